// Mode N driver: settings, summary header, file expression and batch loop.
#include "nodf/nodf_mode.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/folder_lock.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_null_models.h"
#include "nodf/nodf_reader.h"
#include "nodf/nodf_reports.h"

static void answerOrdering(RunContext& run)
{
    orderMatrix = answerYesNo(run, "Order the Matrix (Y/N)? ", run.given.order);
    if (orderMatrix)
        printPackedMatrix = answerYesNo(run, "Print Ordered Matrix? (Y/N) : ", run.given.print);
}

// The observed matrix of the file being analysed and its NODF.
static CellMatrix observedMatrix;
static NodfContext observedNodf;

void loadObservedNodfMatrix()
{
    const std::size_t columns = static_cast<std::size_t>(columnCount);
    observedMatrix.resize(rowCount, columnCount);
    for (int r = 0; r < rowCount; r++) {
        std::memcpy(PresenceMatrix[r], nodfReadMatrix[r], columns);
        std::memcpy(observedMatrix[r], nodfReadMatrix[r], columns);
    }
}

// Starts the summary line of the file just found and loads its matrix into
// PresenceMatrix and workingMatrix. Returns false when the file ends the
// batch (it cannot be opened, or it has too many rows); its summary line is
// then ended, so that it never runs into the next line written.
static bool loadMatrixFile(RunContext& run)
{
    // Both buffers hold a name of at most 260 characters and its end.
    std::memcpy(currentFileName, fileExpression, sizeof currentFileName);
    currentFileName[kMaxNameLength] = '\0';
    std::memset(nodfReadMatrix, 0, sizeof nodfReadMatrix);
    consolePrintf("File: %s in processing...\n", currentFileName);
    printFileSeed(run);
    startNodfSummaryLine();
    const NodfReadResult read = readNodfMatrix();
    if (read.lostLines > 0)
        run.tally.withLostLines++;
    if (read.outcome == NodfReadOutcome::CannotOpen)
        consolePrintf("File %s not found!\n", currentFileName);
    if (read.outcome != NodfReadOutcome::Read) {
        endOpenSummaryLine();
        return false;
    }
    loadObservedNodfMatrix();
    return true;
}

void analyseNodfFile(RunContext& run)
{
    RunPictures* pictures = &run.pictures;
    const bool drawing = pictures->pictures;
    computeObservedNodf(observedNodf, observedMatrix, rowCount, columnCount);
    if (drawing)
        drawOrderedMatrix(*pictures, observedNodf);
    std::vector<std::string> summary = {percentText(observedNodf.nodfRows), percentText(observedNodf.nodfColumns),
                                        percentText(observedNodf.nodfTotal)};
    if (nullModelsEnabled == 1) {
        SimulatedValues simulated;
        const SimulationThreads threads = simulationThreads(run, rowCount, columnCount);
        noteThreadsRunning(run, threads, runNodfNullModels(threads, drawing ? &simulated : nullptr));
        completeNodfSummaryLine();
        if (drawing)
            drawNullDistributions(*pictures, 'N', static_cast<double>(observedNodf.nodfTotal) * 100, simulated,
                                  static_cast<double>(erExceedCount) / simulationCount,
                                  static_cast<double>(ceExceedCount) / simulationCount);
        for (const std::string& value : nodfNullModelSummary())
            summary.push_back(value);
    }
    finishPicturesOfFile(*pictures, summary);
}

// The analysis of the file just loaded; one that runs out of memory is
// reported and its tables start afresh, their memory given back.
static void analyseLoadedFile(RunContext& run)
{
    try {
        analyseNodfFile(run);
        run.tally.analysed++;
    } catch (const std::bad_alloc&) {
        observedNodf = NodfContext();
        reportOutOfMemory(run);
    }
}

// A file that cannot be read ends the batch. The user reads why, and the
// program waits for a word (input that ends there ends the program as that
// word would); a script is told which files were left out.
static void endBatchEarly(RunContext& run, const FileBatch& batch)
{
    run.tally.endedEarly = true;
    if (!run.scripted) {
        run.answers.nextWord();
        return;
    }
    for (const std::string& name : batch.remaining())
        consolePrintf("File: %s not processed.\n", name.c_str());
}

// The batch of mode N, from its summary header on, holding the folder's
// lock while it writes.
static void runNodfBatch(RunContext& run)
{
    FolderLock lock;
    lock.take();
    writeNodfSummaryHeader();
    FileBatch batch = takeBatch(run, "\n");
    startPicturePage(run.pictures, 'N', nullModelsEnabled == 1);
    for (;;) {
        consolePrintf("\n");
        if (!batch.nextMatchingFile(fileExpression)) {
            if (!run.scripted) {
                consolePrintf("\nEnd of processing...\n");
                beep();
            }
            return;
        }
        if (!loadMatrixFile(run)) {
            lock.release();
            endBatchEarly(run, batch);
            return;
        }
        analyseLoadedFile(run);
        stopIfInterrupted();
        fileIndex++;
    }
}

void runNodfMode(RunContext& run)
{
    fileIndex = 0;
    seedRandom(seedOfRun(run));
    answerOrdering(run);
    answerNullModelQuestions(run);
    runNodfBatch(run);
}
