// The page's way into the library, through embind: a file's bytes and the
// run's settings come in as a JavaScript object, and its results, result
// table rows and pictures go back as plain objects, text as UTF-8 bytes
// (Uint8Array) so that a download holds exactly the bytes the console
// program writes. Every error comes back as a message: a C++ exception
// would reach the script as a bare number.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/limits.h"
#include "bravolin/version.h"
#include "file_analysis.h"
#include "formats/input/batch_files.h"
#include "page_metrics.h"
#include "page_models.h"

using emscripten::val;

namespace {

val bytesOf(const std::string& text)
{
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(text.size(), reinterpret_cast<const unsigned char*>(text.data())));
}

// A number for the script; NaN (an undefined statistic) as null.
val numberOf(double value)
{
    return std::isnan(value) ? val::null() : val(value);
}

std::vector<std::string> stringsOf(const val& array)
{
    std::vector<std::string> strings;
    const int length = array["length"].as<int>();
    for (int i = 0; i < length; i++)
        strings.push_back(array[i].as<std::string>());
    return strings;
}

// "yes", "no" or anything else (found from the table).
std::optional<bool> choiceOf(const val& value)
{
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    const std::string choice = value.as<std::string>();
    if (choice == "yes" || choice == "no")
        return choice == "yes";
    return std::nullopt;
}

// The metrics of request's metrics (names) and wbinary; nodf alone
// without them.
bravolin::MetricSettings metricsOf(const val& request)
{
    if (request["metrics"].isUndefined())
        return {};
    return settingsOfMetrics(stringsOf(request["metrics"]), request["wbinary"].as<bool>());
}

// "T" or "N".
AnalysisMode modeNamed(const std::string& letter)
{
    return letter == "N" ? AnalysisMode::Nodf : AnalysisMode::Temperature;
}

AnalysisMode modeOf(const val& request)
{
    return modeNamed(request["mode"].as<std::string>());
}

// Whether a table's abundances are read: in mode N, for the metric and the
// models that use them, as the console program reads them.
bool readsAbundances(const val& request)
{
    if (modeOf(request) != AnalysisMode::Nodf)
        return false;
    const std::vector<bravolin::NullModel> models =
        bravolin::modelsOfRun(settingsOfModels(stringsOf(request["models"]), 0));
    return bravolin::measures(metricsOf(request), bravolin::Metric::Wnodf) ||
           std::any_of(models.begin(), models.end(), bravolin::drawsAbundances);
}

TableLayout layoutOf(const val& request)
{
    return {choiceOf(request["header"]), choiceOf(request["rowNames"]), request["transpose"].as<bool>(),
            readsAbundances(request)};
}

AnalysisRequest analysisRequestOf(const val& request)
{
    AnalysisRequest analysis;
    analysis.mode = modeOf(request);
    analysis.order = request["order"].as<bool>();
    analysis.simulations = request["simulations"].as<int>();
    analysis.models = stringsOf(request["models"]);
    analysis.metrics = metricsOf(request);
    analysis.runSeed = static_cast<std::uint32_t>(request["seed"].as<double>());
    analysis.seedPerFile = request["seedPerFile"].as<bool>();
    analysis.generatorState = static_cast<std::uint32_t>(request["generatorState"].as<double>());
    analysis.layout = layoutOf(request);
    analysis.date = request["date"].as<std::string>();
    return analysis;
}

const char* outcomeName(FileOutcome outcome)
{
    switch (outcome) {
    case FileOutcome::Read: return "read";
    case FileOutcome::EndsBatch: return "ends_batch";
    case FileOutcome::Skipped: break;
    }
    return "skipped";
}

const char* statusName(FileStatus status)
{
    switch (status) {
    case FileStatus::Analysed: return "analysed";
    case FileStatus::EndsBatch: return "ends_batch";
    case FileStatus::OutOfMemory: return "out_of_memory";
    case FileStatus::Skipped: break;
    }
    return "skipped";
}

const char* completenessName(Completeness completeness)
{
    switch (completeness) {
    case Completeness::Interrupted: return "interrupted";
    case Completeness::Truncated: return "truncated";
    case Completeness::Complete: break;
    }
    return "complete";
}

val readObject(const FileRead& read)
{
    val object = val::object();
    object.set("outcome", outcomeName(read.outcome));
    object.set("table", read.table);
    object.set("rows", read.matrix.rows());
    object.set("columns", read.matrix.columns());
    object.set("lostLines", read.lostLines);
    object.set("announcement", read.announcement);
    object.set("messages", read.messages);
    return object;
}

// The statistics of a model that the script gets, by the names it reads.
struct ScriptStatistic {
    const char* name;
    double bravolin::NullStatistics::*value;
};
const ScriptStatistic kScriptStatistics[] = {
    {"mean", &bravolin::NullStatistics::mean},   {"sd", &bravolin::NullStatistics::sd},
    {"ses", &bravolin::NullStatistics::ses},     {"pLess", &bravolin::NullStatistics::pLess},
    {"pGreater", &bravolin::NullStatistics::pGreater}, {"pTwoSided", &bravolin::NullStatistics::pTwoSided},
    {"q025", &bravolin::NullStatistics::q025},   {"q500", &bravolin::NullStatistics::q500},
    {"q975", &bravolin::NullStatistics::q975},   {"pMcse", &bravolin::NullStatistics::pMcse},
    {"ess", &bravolin::NullStatistics::ess},     {"lag1", &bravolin::NullStatistics::lag1},
};

val statisticsObject(const MatrixResults& results)
{
    val statistics = val::array();
    for (const StatisticResults& statistic : results.statistics) {
        val models = val::array();
        for (const ModelResults& model : statistic.models) {
            val entry = val::object();
            entry.set("model", bravolin::kNullModelNames[model.model]);
            entry.set("n", model.statistics.n);
            for (const ScriptStatistic& field : kScriptStatistics)
                entry.set(field.name, numberOf(model.statistics.*field.value));
            models.call<void>("push", entry);
        }
        val entry = val::object();
        entry.set("name", statistic.name);
        entry.set("observed", numberOf(statistic.observed));
        entry.set("singlePrecision", statistic.singlePrecision);
        entry.set("note", statistic.note);
        entry.set("models", models);
        statistics.call<void>("push", entry);
    }
    return statistics;
}

val tablesObject(const ResultTableText& tables)
{
    val object = val::object();
    object.set("results", bytesOf(tables.results));
    object.set("rows", bytesOf(tables.rows));
    object.set("columns", bytesOf(tables.columns));
    object.set("nullValues", bytesOf(tables.nullValues));
    return object;
}

val analysisObject(const FileAnalysis& file)
{
    val object = val::object();
    object.set("status", statusName(file.status));
    object.set("read", readObject(file.read));
    object.set("fileSeed", file.fileSeed ? val(static_cast<double>(*file.fileSeed)) : val::null());
    object.set("generatorState", static_cast<double>(file.generatorState));
    object.set("resultLine", file.resultLine);
    object.set("notes", file.notes);
    object.set("summaryHeader", file.summaryHeader);
    object.set("summaryLine", file.summaryLine);
    object.set("classicModels", file.classicModels);
    object.set("fill", numberOf(file.results.fill));
    object.set("completeness", completenessName(file.results.completeness));
    object.set("statistics", statisticsObject(file.results));
    object.set("tables", tablesObject(file.tables));
    val pictures = val::array();
    for (const NamedPicture& picture : file.pictures) {
        val entry = val::object();
        entry.set("name", picture.name);
        entry.set("svg", bytesOf(picture.svg));
        pictures.call<void>("push", entry);
    }
    object.set("pictures", pictures);
    return object;
}

val errorObject(const std::string& message)
{
    val object = val::object();
    object.set("error", message);
    return object;
}

// Runs work, turning what it throws into an error object.
template <typename Work>
val guarded(Work work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return errorObject("not enough memory in this browser");
    } catch (const std::exception& error) {
        return errorObject(error.what());
    }
}

// How the file would be read in the run's mode and layout, for the page to
// show before a run: request holds mode, transpose, header and rowNames.
val readFile(const std::string& name, const std::string& bytes, const val& request)
{
    return guarded([&] { return readObject(readPageFile(bytes, name, modeOf(request), layoutOf(request))); });
}

// A run of the page: its files analysed one after another, the state a
// run keeps (NODFmax values, the notes said once) carried between them.
class PageRun {
public:
    // Reads and analyses the file: request holds the settings of
    // analysisRequestOf; onSimulation(number) is called after each
    // simulation.
    val analyseFile(const std::string& name, const std::string& bytes, const val& request, const val& onSimulation)
    {
        return guarded([&] {
            const AnalysisRequest analysis = analysisRequestOf(request);
            return analysisObject(analysePageFile(bytes, name, analysis, state_,
                                                  [&onSimulation](int simulation) { onSimulation(simulation); }));
        });
    }

private:
    PageRunState state_;
};

// The header rows of the result tables of a run: request holds its mode,
// simulations, models, metrics and wbinary.
val tableHeaders(const val& request)
{
    return guarded([&] {
        AnalysisRequest run;
        run.mode = modeOf(request);
        run.simulations = request["simulations"].as<int>();
        run.models = stringsOf(request["models"]);
        run.metrics = metricsOf(request);
        return tablesObject(resultTableHeaders(tableSettings(run)));
    });
}

// The positions of the files named names in the order of a batch.
val batchOrder(const val& names)
{
    const std::vector<std::string> strings = stringsOf(names);
    std::vector<int> order(strings.size());
    for (std::size_t i = 0; i < order.size(); i++)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&strings](int a, int b) { return comesBeforeInBatch(strings[a], strings[b]); });
    val positions = val::array();
    for (int position : order)
        positions.call<void>("push", position);
    return positions;
}

// The library's version, limits and null models, for the page's controls.
val libraryInfo()
{
    val info = val::object();
    info.set("version", bravolin::kVersion);
    info.set("maxSide", bravolin::kMaxMatrixSide);
    info.set("mostSimulations", bravolin::kMostSimulations);
    val models = val::array();
    for (const std::string& name : pageModelNames())
        models.call<void>("push", name);
    info.set("models", models);
    return info;
}

}  // namespace

EMSCRIPTEN_BINDINGS(bravolin_web)
{
    emscripten::function("readFile", &readFile);
    emscripten::class_<PageRun>("PageRun").constructor<>().function("analyseFile", &PageRun::analyseFile);
    emscripten::function("tableHeaders", &tableHeaders);
    emscripten::function("batchOrder", &batchOrder);
    emscripten::function("libraryInfo", &libraryInfo);
}
