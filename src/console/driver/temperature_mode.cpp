// Mode T: questions, batch and the pipeline of each file.
#include "console/driver/temperature_mode.h"

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "console/driver/interrupts.h"
#include "console/input/file_readers.h"
#include "console/output/folder_lock.h"
#include "console/output/report_names.h"
#include "console/reports/pack_report.h"
#include "console/reports/temperature_reports.h"
#include "console/system/console.h"
#include "console/system/platform.h"
#include "formats/tables/classic_summary.h"
#include "formats/text/text_encoding.h"

namespace {

void answerTemperatureQuestions(RunContext& run)
{
    run.settings.printMatrix = answerYesNo(run, "Print Packed Matrix? (Y/N) : ", run.given.print);
    answerNullModelQuestions(run);
}

// If an interrupt has arrived: the file's results with the simulations
// completed go into the result tables, marked interrupted, and the program
// ends by the interrupt. Otherwise returns.
void stopFileIfInterrupted(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                           const bravolin::TemperatureResult& observed, const bravolin::TemperatureNullModels& null,
                           std::uint32_t fileSeed)
{
    if (caughtInterrupt() == 0)
        return;
    reportTemperatureResults(run, fileName, matrix, observed, &null, fileSeed, Completeness::Interrupted);
    stopIfInterrupted(run.output);
}

// The null models of the matrix analysed into observed: their file, their
// spinner, and the end of the matrix's summary line.
bravolin::TemperatureNullModels runNullModels(RunContext& run, const std::string& fileName,
                                              const TemperatureReportNames& names, const bravolin::Matrix& matrix,
                                              const bravolin::TemperatureResult& observed, std::uint32_t fileSeed)
{
    TemperatureNullFile nullFile(run.output, names.nullModels);
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopFileIfInterrupted(run, fileName, matrix, observed, bravolin::TemperatureNullModels(modelsOfRun(run)),
                          fileSeed);
    const bravolin::NullModelSettings settings = nullModelSettings(run, observed.packedRows(), observed.packedColumns());
    SimulationProgress progress(run.output.style(), settings.simulations);
    auto simulationDone = [&run, &nullFile, &progress](const bravolin::TemperatureNullModels& soFar, int simulation) {
        // The progress of a simulation, as its packings showed it when they
        // ran one after the other: one line for the simulation and one per
        // pass of each of its four packings.
        run.spinner.setSimulation(simulation);
        run.spinner.show(1 + bravolin::kClassicModelCount * bravolin::kPackingPasses);
        progress.show(simulation);
        nullFile.writeSimulation(soFar, simulation);
    };
    const bravolin::TemperatureNullModels null =
        bravolin::runTemperatureNullModels(matrix, observed, run.generator, settings, simulationDone);
    progress.finish();
    noteThreadsRunning(run, settings, null.run);
    // Stopped by an interrupt: the simulations written end the file.
    if (null.run.stopped)
        stopFileIfInterrupted(run, fileName, matrix, observed, null, fileSeed);
    run.spinner.setSimulation(settings.simulations + 1);
    completeTemperatureSummaryLine(run.output, fileName, null, observed, settings.simulations);
    if (run.pictures.pictures)
        drawNullDistributions(run.pictures, fileName, observed, null);
    return null;
}

// Reads the file named fileName, as a table or as a matrix file. The
// outcome is Skipped, its reason on the console, for a file that cannot be
// used, and EndProgram when the reader's question was answered N.
MatrixRead readFile(RunContext& run, const std::string& fileName)
{
    if (run.readTables) {
        TableRead table = readTableOfRun(run, fileName);
        return {table.outcome == TableOutcome::Read ? ReadOutcome::Read : ReadOutcome::Skipped, 0,
                std::move(table.matrix)};
    }
    MatrixRead read = readMatrixFile(run.output.files(), fileName, run.answers);
    if (read.lostLines > 0)
        run.tally.withLostLines++;
    if (read.problem == ReadProblem::NoRow)
        hintAtFileFormat(run, fileName);
    return read;
}

// Reads the file named fileName and analyses it. Returns false when the
// reader's question was answered N, which ends the program.
bool processTemperatureFile(RunContext& run, const std::string& fileName)
{
    const MatrixRead read = readFile(run, fileName);
    if (read.outcome == ReadOutcome::EndProgram)
        return false;
    if (read.outcome == ReadOutcome::Skipped) {
        run.tally.skipped++;
        beep(run.output.style());
        return true;
    }
    consolePrintf("File: %s in processing\n", printableFileName(fileName).c_str());
    seedFileGenerator(run, fileName);
    printFileSeed(run);
    try {
        analyseTemperatureFile(run, fileName, read.matrix, read.lostLines > 0);
        run.tally.analysed++;
    } catch (const std::bad_alloc&) {
        reportOutOfMemory(run, fileName);
    }
    stopIfInterrupted(run.output);
    return true;
}

// In a scripted run, the files a batch left out at its file limit are
// counted and named by number.
void reportFilesLeftOut(RunContext& run, const FileBatch& batch)
{
    const int leftOut = static_cast<int>(batch.remaining().size());
    if (!run.scripted || leftOut == 0)
        return;
    consolePrintf("Files: %d left out, beyond the %d files a batch takes; run them in a further batch.\n", leftOut,
                  kMaxBatchFiles);
    run.tally.leftOut += leftOut;
}

// Processes every file of the batch, holding the folder's lock while it
// writes. Returns false when the program is to end at once.
bool runTemperatureBatch(RunContext& run)
{
    FileBatch batch = takeBatch(run, "");
    if (!folderWritable(run))
        return false;
    HeldFolderLock lock(run.output.folderLock());
    BatchResultTables tables(run, AnalysisMode::Temperature);
    startPicturePage(run.pictures, AnalysisMode::Temperature, run.settings.nullModels, pageSettings(run, AnalysisMode::Temperature));
    for (int handled = 0; handled < kMaxBatchFiles;) {
        const std::optional<std::string> fileName = batch.next();
        if (!fileName)
            return true;
        if (!processTemperatureFile(run, *fileName))
            return false;
        if (++handled == kMaxBatchFiles) {
            consolePrintf("Maximum number of files reached: %d!\n", kMaxBatchFiles);
            reportFilesLeftOut(run, batch);
        }
    }
    return true;
}

}  // namespace

bool runTemperatureMode(RunContext& run)
{
    answerTemperatureQuestions(run);
    return runTemperatureBatch(run);
}

void analyseTemperatureFile(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                            bool linesLost)
{
    const bool drawing = run.pictures.pictures;
    const TemperatureReportNames names = temperatureReportNames(fileName);
    bravolin::TemperatureOptions options;
    options.unexpectedCells = drawing;
    options.packingHistory = run.settings.debug;
    options.onPackingPass = [&run] { run.spinner.show(1); };
    const bravolin::TemperatureResult result = bravolin::analyseTemperature(matrix, options);
    writePackReport(run.output, names.packing, matrix, result, run.settings.printMatrix, run.settings.debug);
    writeTemperatureSummary(run.output, fileName, names, result, run.settings.nullModels);
    if (drawing)
        drawPackedMatrix(run.pictures, fileName, matrix, result);
    std::vector<std::string> summary = summaryValues(result);
    const std::uint32_t fileSeed = run.generator.state();
    std::optional<bravolin::TemperatureNullModels> null;
    if (run.settings.nullModels) {
        null = runNullModels(run, fileName, names, matrix, result, fileSeed);
        for (const std::string& value : nullSummaryValues(*null, result, run.settings.simulations))
            summary.push_back(value);
    }
    finishPicturesOfFile(run.pictures, fileName, summary);
    reportTemperatureResults(run, fileName, matrix, result, null ? &*null : nullptr, fileSeed,
                             linesLost ? Completeness::Truncated : Completeness::Complete);
}
