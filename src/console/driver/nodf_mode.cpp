// Mode N driver: settings, summary header, file expression and batch loop.
#include "console/driver/nodf_mode.h"

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "console/driver/interrupts.h"
#include "console/input/file_readers.h"
#include "console/output/folder_lock.h"
#include "console/output/summary_line.h"
#include "console/reports/nodf_reports.h"
#include "console/system/console.h"
#include "console/system/platform.h"
#include "formats/tables/classic_summary.h"
#include "formats/text/text_encoding.h"

namespace {

void answerOrdering(RunContext& run)
{
    run.settings.order = answerYesNo(run, "Order the Matrix (Y/N)? ", run.given.order);
    if (run.settings.order)
        run.settings.printMatrix = answerYesNo(run, "Print Ordered Matrix? (Y/N) : ", run.given.print);
}

// If an interrupt has arrived: the file's results with the simulations
// completed go into the result tables, marked interrupted, and the program
// ends by the interrupt. Otherwise returns.
void stopFileIfInterrupted(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                           const bravolin::NodfResult& observed, const bravolin::NodfNullModels& null,
                           std::uint32_t fileSeed)
{
    if (caughtInterrupt() == 0)
        return;
    reportNodfResults(run, fileName, matrix, observed, &null, fileSeed, Completeness::Interrupted);
    stopIfInterrupted(run.output);
}

// The null models of the matrix measured into observed: their files, their
// progress line, and the end of the matrix's summary line.
bravolin::NodfNullModels runNullModels(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                                       const bravolin::NodfResult& observed, std::uint32_t fileSeed)
{
    NestednessFiles files(run.output, fileName);
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopFileIfInterrupted(run, fileName, matrix, observed, bravolin::NodfNullModels(modelsOfRun(run)), fileSeed);
    const bravolin::NullModelSettings settings = nullModelSettings(run, matrix.rows(), matrix.columns());
    NodfProgress classicProgress(run.output.style());
    SimulationProgress progress(run.output.style(), settings.simulations);
    auto simulationDone = [&classicProgress, &progress, &files](const bravolin::NodfNullModels& soFar, int simulation) {
        classicProgress.show(simulation);
        progress.show(simulation);
        files.writeSimulation(soFar, simulation);
    };
    const bravolin::NodfNullModels null =
        bravolin::runNodfNullModels(matrix, observed, run.generator, settings, simulationDone);
    progress.finish();
    noteThreadsRunning(run, settings, null.run);
    // Stopped by an interrupt: the simulations written end the files.
    if (null.run.stopped)
        stopFileIfInterrupted(run, fileName, matrix, observed, null, fileSeed);
    completeNodfSummaryLine(run.output, fileName, null, observed, settings.simulations);
    if (run.pictures.pictures)
        drawNullDistributions(run.pictures, fileName, observed, null);
    return null;
}

// A file read for the batch, or why not.
struct BatchFile {
    enum { Read, Skipped, EndsBatch } outcome;
    bravolin::Matrix matrix;
    bool linesLost = false;  // the reader lost lines or cells of it
};

// Reads a table: a file that cannot be used is skipped, and has no summary
// line.
BatchFile readTable(RunContext& run, const std::string& fileName)
{
    TableRead table = readTableOfRun(run, fileName);
    if (table.outcome != TableOutcome::Read) {
        run.tally.skipped++;
        return {BatchFile::Skipped, {}, false};
    }
    startNodfSummaryLine(run.output, fileName);
    return {BatchFile::Read, std::move(table.matrix), false};
}

// Starts the summary line of the file and reads its matrix. A file that
// cannot be opened or has too many rows ends the batch; its summary line is
// then ended, so that it never runs into the next line written.
BatchFile readMatrixFile(RunContext& run, const std::string& fileName)
{
    startNodfSummaryLine(run.output, fileName);
    NodfRead read = readNodfFile(run.output.files(), fileName);
    if (read.lostLines > 0)
        run.tally.withLostLines++;
    if (read.outcome == NodfReadOutcome::CannotOpen)
        consolePrintf("File %s not found!\n", printableFileName(fileName).c_str());
    if (read.outcome != NodfReadOutcome::Read) {
        run.output.summaryLine().endOpen();
        return {BatchFile::EndsBatch, {}, false};
    }
    return {BatchFile::Read, std::move(read.matrix), read.lostLines > 0};
}

BatchFile readFile(RunContext& run, const std::string& fileName)
{
    consolePrintf("File: %s in processing...\n", printableFileName(fileName).c_str());
    seedFileGenerator(run, fileName);
    printFileSeed(run);
    return run.readTables ? readTable(run, fileName) : readMatrixFile(run, fileName);
}

// The analysis of the file just read; one that runs out of memory is
// reported. A file without any row is analysed as it always was (its
// values are nan), but it is said, and a script counts it as skipped.
void analyseReadFile(RunContext& run, const std::string& fileName, const BatchFile& file)
{
    const bravolin::Matrix& matrix = file.matrix;
    const bool noRow = matrix.rows() == 0;
    if (noRow && !hintAtFileFormat(run, fileName))
        consolePrintf("File: %s has no row of 0s and 1s.\n", printableFileName(fileName).c_str());
    try {
        analyseNodfFile(run, fileName, matrix, file.linesLost);
        if (noRow)
            run.tally.skipped++;
        else
            run.tally.analysed++;
    } catch (const std::bad_alloc&) {
        reportOutOfMemory(run, fileName);
    }
}

// A file that cannot be read ends the batch. The user reads why, and the
// program waits for a word (input that ends there ends the program as that
// word would); a script is told which files were left out.
void endBatchEarly(RunContext& run, const FileBatch& batch)
{
    run.tally.endedEarly = true;
    if (!run.scripted) {
        run.answers.nextWord();
        return;
    }
    for (const std::string& name : batch.remaining())
        consolePrintf("File: %s not processed.\n", printableFileName(name).c_str());
}

// The batch of mode N, from its summary header on, holding the folder's
// lock while it writes.
void runNodfBatch(RunContext& run)
{
    if (!folderWritable(run))
        return;
    HeldFolderLock lock(run.output.folderLock());
    writeNodfSummaryHeader(run.output, run.settings.nullModels);
    FileBatch batch = takeBatch(run, "\n");
    BatchResultTables tables(run, AnalysisMode::Nodf);
    startPicturePage(run.pictures, AnalysisMode::Nodf, run.settings.nullModels, pageSettings(run, AnalysisMode::Nodf));
    for (;;) {
        consolePrintf("\n");
        const std::optional<std::string> fileName = batch.next();
        if (!fileName) {
            tables.finish();
            if (!run.scripted) {
                consolePrintf("\nEnd of processing...\n");
                beep(run.output.style());
            }
            return;
        }
        const BatchFile file = readFile(run, *fileName);
        if (file.outcome == BatchFile::EndsBatch) {
            tables.finish();
            lock.release();
            endBatchEarly(run, batch);
            return;
        }
        if (file.outcome == BatchFile::Read)
            analyseReadFile(run, *fileName, file);
        stopIfInterrupted(run.output);
    }
}

}  // namespace

void runNodfMode(RunContext& run)
{
    seedGenerator(run);
    answerOrdering(run);
    answerNullModelQuestions(run);
    runNodfBatch(run);
}

void analyseNodfFile(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix, bool linesLost)
{
    const bravolin::NodfResult result = bravolin::analyseNodf(matrix, run.settings.order);
    writeObservedNodfReports(run.output, fileName, matrix, result, run.settings.printMatrix, run.settings.nullModels);
    if (run.pictures.pictures)
        drawOrderedMatrix(run.pictures, fileName, matrix, result);
    std::vector<std::string> summary = summaryValues(result);
    const std::uint32_t fileSeed = run.generator.state();
    std::optional<bravolin::NodfNullModels> null;
    if (run.settings.nullModels) {
        null = runNullModels(run, fileName, matrix, result, fileSeed);
        for (const std::string& value : nullSummaryValues(*null, result, run.settings.simulations))
            summary.push_back(value);
    }
    finishPicturesOfFile(run.pictures, fileName, summary);
    // A file without a row is counted as skipped: it has no results to give.
    if (matrix.rows() > 0)
        reportNodfResults(run, fileName, matrix, result, null ? &*null : nullptr, fileSeed,
                          linesLost ? Completeness::Truncated : Completeness::Complete);
}
