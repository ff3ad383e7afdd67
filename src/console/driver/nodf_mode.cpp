// Mode N as the batch driver runs it.
#include "console/driver/nodf_mode.h"

#include <cstddef>
#include <string>
#include <vector>

#include "console/driver/null_model_settings.h"
#include "console/driver/questions.h"
#include "console/system/console.h"
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

namespace {

bool anyOf(const std::vector<bravolin::NullModel>& models, bool (*test)(bravolin::NullModel))
{
    for (bravolin::NullModel model : models)
        if (test(model))
            return true;
    return false;
}

// Says once a program run what the metrics of a file leave undefined.
void noteUndefinedMetrics(ProgramRun& run, const NodfFileResult& result, bool abundances)
{
    RunState& state = run.state;
    const bravolin::MetricSettings& metrics = result.metricSettings;
    const bool nullModels = run.options.settings.nullModels;
    const std::vector<bravolin::NullModel> models = modelsOfRun(run.options);
    if (bravolin::measures(metrics, bravolin::Metric::Wnodf) && !abundances && !state.wnodfOfPresencesReported) {
        consolePrintf("Metrics: wnodf of a file of 0s and 1s (read without --table) is %s.\n",
                      metrics.wbinary ? "its NODF (--wbinary)" : "0 (with --wbinary it is its NODF)");
        state.wnodfOfPresencesReported = true;
    }
    if (bravolin::measures(metrics, bravolin::Metric::Wnodf) && nullModels && !state.wnodfLeftOutReported) {
        std::string names;
        for (bravolin::NullModel model : models)
            if (!bravolin::measuredUnder(model, bravolin::WnodfTotal))
                names += (names.empty() ? "" : ", ") + std::string(bravolin::kNullModelNames[model]);
        consolePrintf("Metrics: wnodf has no null values under the binary models %s; "
                      "the tables give its observed values alone.\n",
                      names.c_str());
        state.wnodfLeftOutReported = true;
    }
    if (bravolin::measures(metrics, bravolin::Metric::Nodfc) && nullModels && !state.nodfcUndefinedReported &&
        anyOf(models, [](bravolin::NullModel model) { return !bravolin::keepsPresences(model); })) {
        consolePrintf("Metrics: nodfc and nodf_max_ratio are NA under Er and Ce, "
                      "which change the number of presences.\n");
        state.nodfcUndefinedReported = true;
    }
}

void noteSpectralCap(RunState& state, bool reached)
{
    if (!reached || state.spectralCapReported)
        return;
    consolePrintf("Metrics: the spectral radius stopped at its cap of %d iterations before converging "
                  "on a matrix; its value is the last estimate.\n",
                  bravolin::kSpectralIterationCap);
    state.spectralCapReported = true;
}

}  // namespace

NodfFileResult NodfMode::analyse(ProgramRun& run, const bravolin::Matrix& matrix,
                                 const bravolin::AbundanceMatrix* abundances)
{
    NodfFileResult result;
    static_cast<bravolin::NodfResult&>(result) = bravolin::analyseNodf(matrix, run.options.settings.order);
    result.metricSettings = run.options.metricSettings();
    result.nodfMaxCache = &run.state.nodfMaxCache;
    if (!bravolin::measuresBeyondNodf(result.metricSettings))
        return result;
    result.metrics = bravolin::measureMetrics(matrix, abundances, result.metricSettings, run.state.nodfMaxCache);
    noteUndefinedMetrics(run, result, abundances != nullptr);
    noteSpectralCap(run.state, result.metrics.spectralCapReached);
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
    // The values so far, as the writers see them after each simulation.
    NodfFileNullModels soFar(bravolin::modelsOfRun(settings));
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
            bravolin::runNodfNullModels(matrix, observed, run.state.generator, settings, nodfDone);
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
        bravolin::runNodfMetricNullModels(matrix, observed, observed.metricSettings, *observed.nodfMaxCache,
                                          run.state.generator, settings, metricsDone);
    soFar.run = null.run;
    soFar.fixedFixedRun = null.fixedFixedRun;
    soFar.quasiswapRun = null.quasiswapRun;
    for (const auto& model : soFar.metrics)
        for (const bravolin::MetricValues& values : model.values)
            noteSpectralCap(run.state, values.spectralCapReached);
    return soFar;
}

std::vector<int> NodfMode::metricValues(ProgramRun& run, bool withNullValues)
{
    std::vector<int> values;
    const std::vector<bravolin::NullModel> models = modelsOfRun(run.options);
    for (int value : bravolin::measuredValues(run.options.metricSettings())) {
        bool measured = !withNullValues;
        for (bravolin::NullModel model : models)
            measured = measured || bravolin::measuredUnder(model, value);
        if (measured)
            values.push_back(value);
    }
    return values;
}

std::unique_ptr<FileWriter<NodfAnalysis>> NodfMode::classicFiles(ProgramRun& run)
{
    return nodfClassicFiles(run.output, run.options.settings.printMatrix, run.options.settings.nullModels);
}
