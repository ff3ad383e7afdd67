// Mode N as the batch driver runs it.
#include "console/driver/nodf_mode.h"

#include "console/driver/null_model_settings.h"
#include "console/driver/questions.h"
#include "console/reports/nodf_reports.h"

void NodfMode::askQuestions(ProgramRun& run)
{
    RunSettings& settings = run.options.settings;
    settings.order = answerYesNo(run, "Order the Matrix (Y/N)? ", run.options.given().order);
    if (settings.order)
        settings.printMatrix = answerYesNo(run, "Print Ordered Matrix? (Y/N) : ", run.options.given().print);
    answerNullModelQuestions(run);
}

FileRead NodfMode::readMatrixFile(ProgramRun& run, const std::string& name)
{
    return readNodfFile(run.output.files(), name, run.options.scripted());
}

bravolin::NodfResult NodfMode::analyse(ProgramRun& run, const bravolin::Matrix& matrix)
{
    return bravolin::analyseNodf(matrix, run.options.settings.order);
}

std::pair<int, int> NodfMode::randomisedSize(const bravolin::Matrix& matrix, const bravolin::NodfResult& /*observed*/)
{
    return {matrix.rows(), matrix.columns()};
}

bravolin::NodfNullModels NodfMode::runNullModels(const bravolin::Matrix& matrix, const bravolin::NodfResult& observed,
                                                 bravolin::Generator& generator,
                                                 const bravolin::NullModelSettings& settings,
                                                 const bravolin::SimulationDone<bravolin::NodfValues>& done)
{
    return bravolin::runNodfNullModels(matrix, observed, generator, settings, done);
}

std::unique_ptr<FileWriter<NodfAnalysis>> NodfMode::classicFiles(ProgramRun& run)
{
    return nodfClassicFiles(run.output, run.options.settings.printMatrix, classicFilesOfRun(run.options));
}
