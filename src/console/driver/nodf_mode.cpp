// Mode N as the batch driver runs it.
#include "console/driver/nodf_mode.h"

#include <cstddef>
#include <string>
#include <vector>

#include "console/driver/null_model_settings.h"
#include "console/driver/questions.h"
#include "console/system/console.h"
#include "console/reports/nodf_reports.h"
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

// The names of the models that pass test, as a sentence lists them: "Er",
// "Er and Ce", "Er, Ce and r2dtable"; empty for none.
std::string namesOf(const std::vector<bravolin::NullModel>& models, bool (*test)(bravolin::NullModel))
{
    std::vector<std::string> names;
    for (bravolin::NullModel model : models)
        if (test(model))
            names.push_back(bravolin::kNullModelNames[model]);
    std::string text;
    for (std::size_t i = 0; i < names.size(); i++)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// The verb of a sentence about names (namesOf): singular for one name.
const char* verbOf(const std::string& names, const char* one, const char* several)
{
    return names.find(" and ") == std::string::npos ? one : several;
}

bool isBinary(bravolin::NullModel model)
{
    return !bravolin::drawsAbundances(model);
}

bool changesPresences(bravolin::NullModel model)
{
    return !bravolin::keepsPresences(model);
}

// Says once a program run what the metrics of a file leave undefined.
void noteUndefinedMetrics(ProgramRun& run, const NodfFileResult& result)
{
    RunState& state = run.state;
    const bravolin::MetricSettings& metrics = result.metricSettings;
    const bool nullModels = run.options.settings.nullModels;
    const std::vector<bravolin::NullModel> models = modelsOfRun(run.options);
    const std::string binary = namesOf(models, isBinary);
    if (bravolin::measures(metrics, bravolin::Metric::Wnodf) && nullModels && !binary.empty() &&
        !state.wnodfLeftOutReported) {
        const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
        const std::string given =
            ofAbundances.empty() ? "its observed values alone" : "its null values under " + ofAbundances + " alone";
        consolePrintf("Metrics: wnodf has no null values under the binary models of the run (%s), which draw no "
                      "abundances; the tables give %s.\n",
                      binary.c_str(), given.c_str());
        state.wnodfLeftOutReported = true;
    }
    const std::string changing = namesOf(models, changesPresences);
    if (bravolin::measures(metrics, bravolin::Metric::Nodfc) && nullModels && !changing.empty() &&
        !state.nodfcUndefinedReported) {
        consolePrintf("Metrics: nodfc and nodf_max_ratio are NA under %s, which %s the number of presences.\n",
                      changing.c_str(), verbOf(changing, "changes", "change"));
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
    const std::vector<bravolin::NullModel> models = bravolin::modelsOfRun(settings);
    const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
    if (observed.abundances == nullptr && !ofAbundances.empty() && !run.state.countsOfOneReported) {
        consolePrintf("Models: %s of a file of 0s and 1s (read without --table) %s its 1s as counts of one; "
                      "read abundances with --table.\n",
                      ofAbundances.c_str(), verbOf(ofAbundances, "takes", "take"));
        run.state.countsOfOneReported = true;
    }
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
    return nodfClassicFiles(run.output, run.options.settings.printMatrix, classicFilesOfRun(run.options));
}
