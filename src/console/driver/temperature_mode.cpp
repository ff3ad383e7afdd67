// Mode T as the batch driver runs it.
#include "console/driver/temperature_mode.h"

#include "console/driver/null_model_settings.h"
#include "console/driver/questions.h"
#include "console/reports/temperature_reports.h"

void TemperatureMode::askQuestions(ProgramRun& run)
{
    run.options.settings.printMatrix = answerYesNo(run, "Print Packed Matrix? (Y/N) : ", run.options.given().print);
    answerNullModelQuestions(run);
}

FileRead TemperatureMode::readMatrixFile(ProgramRun& run, const std::string& name)
{
    return readTemperatureFile(run.output.files(), name, run.answers, run.options.scripted());
}

bravolin::TemperatureResult TemperatureMode::analyse(ProgramRun& run, const bravolin::Matrix& matrix,
                                                     const bravolin::AbundanceMatrix* /*abundances*/)
{
    bravolin::TemperatureOptions options;
    options.unexpectedCells = run.options.commandLine().svg;
    options.packingHistory = run.options.settings.debug;
    Spinner& spinner = run.state.spinner;
    options.onPackingPass = [&spinner] { spinner.show(1); };
    return bravolin::analyseTemperature(matrix, options);
}

std::pair<int, int> TemperatureMode::randomisedSize(const bravolin::Matrix& /*matrix*/,
                                                    const bravolin::TemperatureResult& observed)
{
    return {observed.packedRows(), observed.packedColumns()};
}

bravolin::TemperatureNullModels TemperatureMode::runNullModels(ProgramRun& run, const bravolin::Matrix& matrix,
                                                               const bravolin::TemperatureResult& observed,
                                                               const bravolin::NullModelSettings& settings,
                                                               const bravolin::SimulationDone<float>& done)
{
    return bravolin::runTemperatureNullModels(matrix, observed, run.state.generator, settings, done);
}

void TemperatureMode::Progress::show(int simulation)
{
    // The progress of a simulation, as its packings showed it when they ran
    // one after the other: one line for the simulation and one per pass of
    // each of its four packings.
    spinner_.setSimulation(simulation);
    spinner_.show(1 + bravolin::kClassicModelCount * bravolin::kPackingPasses);
}

void TemperatureMode::Progress::finish(int simulations)
{
    spinner_.setSimulation(simulations + 1);
}

std::unique_ptr<FileWriter<TemperatureAnalysis>> TemperatureMode::classicFiles(ProgramRun& run)
{
    return temperatureClassicFiles(run.output, run.options.settings.printMatrix, run.options.settings.debug,
                                   classicFilesOfRun(run.options));
}
