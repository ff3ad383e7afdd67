// The page's pipeline of one file.
#include "file_analysis.h"

#include <new>

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

void analyseNodf(const std::string& name, const bravolin::Matrix& matrix, const AnalysisRequest& request,
                 bravolin::Generator& generator, const SimulationProgress& progress, FileAnalysis& file)
{
    const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, request.order);
    file.pictures.push_back(orderedPicture(name, matrix, observed));
    std::optional<bravolin::NodfNullModels> null;
    if (request.simulations > 0) {
        null = bravolin::runNodfNullModels(
            matrix, observed, generator, settingsOfModels(request.models, request.simulations),
            [&progress](const bravolin::NodfNullModels&, int simulation) { progress(simulation); });
        file.pictures.push_back(nullPicture(name, observed, *null).picture);
    }
    const bravolin::NodfNullModels* simulated = null ? &*null : nullptr;
    file.summaryLine = classicSummaryLine(request, name, observed, simulated);
    file.results = nodfResults(name, observed, simulated, file.fileSeed, completenessOf(file.read));
    file.tables = nodfTableRows(tableSettings(request), file.results, matrix, observed, simulated);
}

}  // namespace

FileAnalysis analysePageFile(std::string_view bytes, const std::string& name, const AnalysisRequest& request,
                             const SimulationProgress& progress)
{
    // Checked before anything is read, as the command line checks --models.
    settingsOfModels(request.models, request.simulations);
    FileAnalysis file;
    file.read = readPageFile(bytes, name, request.mode, request.layout);
    bravolin::Generator generator(request.seedPerFile ? seedOfFile(request.runSeed, name) : request.generatorState);
    file.generatorState = request.generatorState;
    if (file.read.outcome != FileOutcome::Read) {
        file.status = file.read.outcome == FileOutcome::EndsBatch ? FileStatus::EndsBatch : FileStatus::Skipped;
        return file;
    }
    if (request.simulations > 0)
        file.fileSeed = generator.state();
    const bravolin::Matrix& matrix = file.read.matrix;
    try {
        if (request.mode == AnalysisMode::Temperature)
            analyseTemperature(name, matrix, request, generator, progress, file);
        else
            analyseNodf(name, matrix, request, generator, progress, file);
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
    return settings;
}
