// The page's pipeline of one file.
#include "file_analysis.h"

#include <new>
#include <utility>

#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "bravolin/version.h"
#include "formats/input/batch_files.h"
#include "formats/tables/classic_summary.h"
#include "formats/text/text_encoding.h"
#include "formats/text/text_format.h"
#include "page_models.h"

namespace {

Completeness completenessOf(const FileRead& read)
{
    return read.lostLines > 0 ? Completeness::Truncated : Completeness::Complete;
}

// The file's line of SYSTEMP.TXT: its observed values, then with the
// classic null models the values they add.
template <typename Observed, typename Null>
std::string classicSummaryLine(const AnalysisRequest& request, const std::string& name, const Observed& observed,
                               const Null* null)
{
    std::vector<std::string> values = summaryValues(observed);
    if (null != nullptr && hasClassicModels(settingsOfModels(request.models, request.simulations)))
        for (const std::string& value : nullSummaryValues(*null, observed, request.simulations))
            values.push_back(value);
    return summaryLine(request.mode, name, values);
}

void analyseTemperature(const std::string& name, const bravolin::Matrix& matrix, const AnalysisRequest& request,
                        bravolin::Generator& generator, const SimulationProgress& progress, FileAnalysis& file)
{
    const bravolin::TemperatureResult observed = bravolin::analyseTemperature(matrix);
    file.pictures.push_back(packedPicture(name, matrix, observed));
    std::optional<bravolin::TemperatureNullModels> null;
    if (request.simulations > 0) {
        null = bravolin::runTemperatureNullModels(
            matrix, observed, generator, settingsOfModels(request.models, request.simulations),
            [&progress](const bravolin::TemperatureNullModels&, int simulation) { progress(simulation); });
        file.pictures.push_back(nullPicture(name, observed, *null).picture);
    }
    const bravolin::TemperatureNullModels* simulated = null ? &*null : nullptr;
    file.summaryLine = classicSummaryLine(request, name, observed, simulated);
    file.results = temperatureResults(name, observed, simulated, file.fileSeed, completenessOf(file.read));
    file.tables = temperatureTableRows(tableSettings(request), file.results, matrix, observed, simulated);
}

// The models of the request's null models; none without them.
std::vector<bravolin::NullModel> nullModelsOf(const AnalysisRequest& request)
{
    if (request.simulations == 0)
        return {};
    return bravolin::modelsOfRun(settingsOfModels(request.models, request.simulations));
}

// The NODF's null models, and with further metrics their null values too
// (into metricNull), as the console program's runs them: of a table's
// abundances when they were read (the models of abundances draw from
// them), else of the matrix; the metrics' engine measures the NODF of the
// same matrices as the NODF's alone.
bravolin::NodfNullModels runNodfModels(const FileRead& read, const bravolin::NodfResult& observed,
                                       const AnalysisRequest& request, PageRunState& run,
                                       bravolin::Generator& generator, const SimulationProgress& progress,
                                       MetricNullValues& metricNull)
{
    const bravolin::NullModelSettings settings = settingsOfModels(request.models, request.simulations);
    if (!bravolin::measuresBeyondNodf(request.metrics)) {
        auto done = [&progress](const bravolin::NodfNullModels&, int simulation) { progress(simulation); };
        return read.abundances ? bravolin::runNodfNullModels(*read.abundances, observed, generator, settings, done)
                               : bravolin::runNodfNullModels(read.matrix, observed, generator, settings, done);
    }
    auto done = [&progress](const bravolin::NodfMetricNullModels&, int simulation) { progress(simulation); };
    auto [nodf, metrics] = splitMeasurements(
        read.abundances ? bravolin::runNodfMetricNullModels(*read.abundances, observed, request.metrics,
                                                            run.nodfMaxCache, generator, settings, done)
                        : bravolin::runNodfMetricNullModels(read.matrix, observed, request.metrics, run.nodfMaxCache,
                                                            generator, settings, done));
    metricNull = std::move(metrics);
    return nodf;
}

// Why mode N cannot analyse what was read with the request's metrics and
// models; empty when it can. wnodf weighs abundances, which a matrix file
// does not hold (the console program refuses --metrics wnodf without
// --table); r2dtable cannot draw from a table whose abundances are not
// whole counts (the console program skips it likewise).
std::string nodfRefusal(const AnalysisRequest& request, const FileRead& read)
{
    if (bravolin::measures(request.metrics, bravolin::Metric::Wnodf) && !read.abundances)
        return "wnodf weighs abundances, which a matrix file of 0s and 1s does not hold; "
               "give a table of abundances, or leave wnodf out";
    if (request.simulations == 0 || !read.abundances)
        return "";
    return bravolin::abundanceModelsError(*read.abundances, nullModelsOf(request));
}

void analyseNodf(const std::string& name, const FileRead& read, const AnalysisRequest& request, PageRunState& run,
                 bravolin::Generator& generator, const SimulationProgress& progress, FileAnalysis& file)
{
    const bravolin::Matrix& matrix = read.matrix;
    const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, request.order);
    file.pictures.push_back(orderedPicture(name, matrix, observed));
    const bool metrics = bravolin::measuresBeyondNodf(request.metrics);
    bravolin::MetricValues observedMetrics;
    if (metrics) {
        observedMetrics = bravolin::measureMetrics(matrix, read.abundances ? &*read.abundances : nullptr,
                                                   request.metrics, run.nodfMaxCache);
        file.notes = undefinedMetricsNotes(run.notes, request.metrics, nullModelsOf(request)) +
                     spectralCapNote(run.notes, observedMetrics.spectralCapReached);
    }
    std::optional<bravolin::NodfNullModels> null;
    MetricNullValues metricNull;
    if (request.simulations > 0) {
        file.notes += countsOfOneNote(run.notes, nullModelsOf(request), read.abundances.has_value());
        null = runNodfModels(read, observed, request, run, generator, progress, metricNull);
        file.notes += simulatedSpectralCapNote(run, metricNull);
    }
    const bravolin::NodfNullModels* simulated = null ? &*null : nullptr;
    file.summaryLine = classicSummaryLine(request, name, observed, simulated);
    file.results = nodfResults(name, observed, simulated, file.fileSeed, completenessOf(read));
    if (metrics)
        addMetricResults(file.results, request.metrics, observedMetrics, null ? &metricNull : nullptr);
    if (null) {
        file.pictures.push_back(nullPicture(name, observed, *null).picture);
        for (NamedPicture& picture : metricNullPictures(name, file.results, metricNull))
            file.pictures.push_back(std::move(picture));
    }
    file.tables = nodfTableRows(tableSettings(request), file.results, matrix, observed, simulated,
                                metrics ? &metricNull : nullptr);
}

}  // namespace

FileAnalysis analysePageFile(std::string_view bytes, const std::string& name, const AnalysisRequest& request,
                             PageRunState& run, const SimulationProgress& progress)
{
    // Checked before anything is read, as the command line checks --models.
    checkModelsOfMode(request.mode, settingsOfModels(request.models, request.simulations));
    FileAnalysis file;
    file.read = readPageFile(bytes, name, request.mode, request.layout);
    bravolin::Generator generator(request.seedPerFile ? seedOfFile(request.runSeed, name) : request.generatorState);
    file.generatorState = request.generatorState;
    if (file.read.outcome != FileOutcome::Read) {
        file.status = file.read.outcome == FileOutcome::EndsBatch ? FileStatus::EndsBatch : FileStatus::Skipped;
        return file;
    }
    if (request.mode == AnalysisMode::Nodf) {
        const std::string refusal = nodfRefusal(request, file.read);
        if (!refusal.empty()) {
            file.read.messages +=
                formatText("File: %s skipped: %s.\n", printableFileName(name).c_str(), refusal.c_str());
            file.status = FileStatus::Skipped;
            return file;
        }
    }
    if (request.simulations > 0)
        file.fileSeed = generator.state();
    const bravolin::Matrix& matrix = file.read.matrix;
    try {
        if (request.mode == AnalysisMode::Temperature)
            analyseTemperature(name, matrix, request, generator, progress, file);
        else
            analyseNodf(name, file.read, request, run, generator, progress, file);
        file.resultLine = resultLine(file.results);
        file.classicModels =
            request.simulations > 0 && hasClassicModels(settingsOfModels(request.models, request.simulations));
        file.summaryHeader = summaryHeader(request.mode, file.classicModels);
        file.status = FileStatus::Analysed;
    } catch (const std::bad_alloc&) {
        file.read.messages += formatText("File: %s could not be analysed: not enough memory for it in this browser.\n",
                                         printableFileName(name).c_str());
        file.status = FileStatus::OutOfMemory;
    }
    // Mode N measures a file without a row, as the console program does
    // (its null models draw from the batch's generator), but it has no
    // results to report.
    if (file.status == FileStatus::Analysed && matrix.rows() == 0) {
        file.read.messages += formatText("File: %s has no row of 0s and 1s.\n", printableFileName(name).c_str());
        file.tables = {};
        file.resultLine.clear();
        file.summaryLine.clear();
        file.status = FileStatus::Skipped;
    }
    file.generatorState = generator.state();
    return file;
}

ResultTableSettings tableSettings(const AnalysisRequest& request)
{
    ResultTableSettings settings;
    settings.mode = request.mode;
    settings.seed = request.runSeed;
    settings.simulations = request.simulations;
    settings.ordered = request.order;
    settings.version = bravolin::kVersion;
    settings.date = request.date;
    const std::vector<bravolin::NullModel> models = bravolin::modelsOfRun(settingsOfModels(request.models, 0));
    settings.metricValues = metricValuesOfRun(request.metrics, models, false);
    settings.nullMetricValues = metricValuesOfRun(request.metrics, models, true);
    return settings;
}
