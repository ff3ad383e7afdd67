// Mode N as the batch driver runs it.
#include "console/driver/nodf_mode.h"

#include <cstddef>
#include <string>
#include <vector>

#include "console/driver/null_model_settings.h"
#include "console/driver/questions.h"
#include "console/system/console.h"
#include "console/reports/nodf_reports.h"
#include "formats/tables/matrix_results.h"
#include "formats/tables/metric_notes.h"
#include "formats/text/text_encoding.h"

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

namespace {

// Says once a program run what the metrics of a file leave undefined.
void noteUndefinedMetrics(ProgramRun& run, const NodfFileResult& result)
{
    const std::vector<bravolin::NullModel> models =
        run.options.settings.nullModels ? modelsOfRun(run.options) : std::vector<bravolin::NullModel>();
    consolePrintf("%s", undefinedMetricsNotes(run.state.metricNotes, result.metricSettings, models).c_str());
}

}  // namespace

bool NodfMode::refusesFile(ProgramRun& run, const std::string& name, const FileRead& read)
{
    if (!run.options.settings.nullModels || !read.abundances)
        return false;
    const std::string error = bravolin::abundanceModelsError(*read.abundances, modelsOfRun(run.options));
    if (error.empty())
        return false;
    consolePrintf("File: %s skipped: %s.\n", printableFileName(name).c_str(), error.c_str());
    return true;
}

NodfFileResult NodfMode::analyse(ProgramRun& run, const bravolin::Matrix& matrix,
                                 const bravolin::AbundanceMatrix* abundances)
{
    NodfFileResult result;
    static_cast<bravolin::NodfResult&>(result) = bravolin::analyseNodf(matrix, run.options.settings.order);
    result.metricSettings = run.options.metricSettings();
    result.nodfMaxCache = &run.state.nodfMaxCache;
    result.abundances = abundances;
    if (!bravolin::measuresBeyondNodf(result.metricSettings))
        return result;
    result.metrics = bravolin::measureMetrics(matrix, abundances, result.metricSettings, run.state.nodfMaxCache);
    noteUndefinedMetrics(run, result);
    consolePrintf("%s", spectralCapNote(run.state.metricNotes, result.metrics.spectralCapReached).c_str());
    return result;
}

std::pair<int, int> NodfMode::randomisedSize(const bravolin::Matrix& matrix, const bravolin::NodfResult& /*observed*/)
{
    return {matrix.rows(), matrix.columns()};
}

NodfFileNullModels NodfMode::runNullModels(ProgramRun& run, const bravolin::Matrix& matrix,
                                           const NodfFileResult& observed, const bravolin::NullModelSettings& settings,
                                           const std::function<void(const NodfFileNullModels&, int)>& done)
{
    const std::vector<bravolin::NullModel> models = bravolin::modelsOfRun(settings);
    consolePrintf("%s", countsOfOneNote(run.state.metricNotes, models, observed.abundances != nullptr).c_str());
    // The values so far, as the writers see them after each simulation.
    NodfFileNullModels soFar(models);
    const bool metrics = bravolin::measuresBeyondNodf(observed.metricSettings);
    if (metrics)
        for (const auto& model : soFar.models)
            soFar.metrics.push_back({model.model, {}});
    if (!metrics) {
        auto nodfDone = [&](const bravolin::NodfNullModels& null, int simulation) {
            for (std::size_t m = 0; m < null.models.size(); m++)
                soFar.models[m].values.push_back(null.models[m].values.back());
            done(soFar, simulation);
        };
        static_cast<bravolin::NodfNullModels&>(soFar) =
            observed.abundances != nullptr
                ? bravolin::runNodfNullModels(*observed.abundances, observed, run.state.generator, settings, nodfDone)
                : bravolin::runNodfNullModels(matrix, observed, run.state.generator, settings, nodfDone);
        return soFar;
    }
    auto metricsDone = [&](const bravolin::NodfMetricNullModels& null, int simulation) {
        for (std::size_t m = 0; m < null.models.size(); m++) {
            soFar.models[m].values.push_back(null.models[m].values.back().nodf);
            soFar.metrics[m].values.push_back(null.models[m].values.back().metrics);
        }
        done(soFar, simulation);
    };
    const bravolin::NodfMetricNullModels null =
        observed.abundances != nullptr
            ? bravolin::runNodfMetricNullModels(*observed.abundances, observed, observed.metricSettings,
                                                *observed.nodfMaxCache, run.state.generator, settings, metricsDone)
            : bravolin::runNodfMetricNullModels(matrix, observed, observed.metricSettings, *observed.nodfMaxCache,
                                                run.state.generator, settings, metricsDone);
    soFar.run = null.run;
    soFar.fixedFixedRun = null.fixedFixedRun;
    soFar.quasiswapRun = null.quasiswapRun;
    for (const auto& model : soFar.metrics)
        for (const bravolin::MetricValues& values : model.values)
            consolePrintf("%s", spectralCapNote(run.state.metricNotes, values.spectralCapReached).c_str());
    return soFar;
}

std::vector<int> NodfMode::metricValues(ProgramRun& run, bool withNullValues)
{
    return metricValuesOfRun(run.options.metricSettings(), modelsOfRun(run.options), withNullValues);
}

std::unique_ptr<FileWriter<NodfAnalysis>> NodfMode::classicFiles(ProgramRun& run)
{
    return nodfClassicFiles(run.output, run.options.settings.printMatrix, classicFilesOfRun(run.options));
}
