// Main loop of the program and the per-file pipeline of mode T.
#include "driver/main_loop.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <new>
#include <vector>

#include "common/console.h"
#include "common/folder_lock.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/platform.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "driver/command_line.h"
#include "driver/file_search.h"
#include "driver/program_state.h"
#include "driver/run_context.h"
#include "input/matrix_reader.h"
#include "nodf/nodf_mode.h"
#include "packing/pack_report.h"
#include "packing/packing.h"
#include "temperature/temperature.h"
#include "temperature/temperature_null_models.h"
#include "temperature/temperature_summary.h"

static void printBanner()
{
    consolePrintf("_______________________BRAVOLIN______________________\n\n");
    consolePrintf("Version: Pelum (3.0.3)\n");
    consolePrintf("Date:    Dec, 15 2008\n");
    consolePrintf("Authors: The BRAVOLIN developers\n");
    consolePrintf("         BRAVOLIN temperature and packing maintainers\n");
    consolePrintf("         BRAVOLIN NODF maintainers\n");
    consolePrintf("Obs.: Maximum: %d rows and columns\n", kMaxMatrixSide);
    consolePrintf("_____________________________________________________\n\n");
}

static void testDebugMarker()
{
    std::FILE* marker = openFile(kDebugMarkerFileName, "r");
    debugMode = marker != nullptr;
    if (marker != nullptr)
        std::fclose(marker);
}

// Asks for the mode until the answer starts with N or T; no bell here.
static char askMode(AnswerSource& answers)
{
    for (;;) {
        consolePrintf("Run matrix's NODF (press N) or Temperature (press T): ");
        char answer = readAnswerInitial(answers);
        if (answer == 'N' || answer == 'T')
            return answer;
    }
}

static void answerTemperatureQuestions(RunContext& run)
{
    printPackedMatrix = answerYesNo(run, "Print Packed Matrix? (Y/N) : ", run.given.print);
    answerNullModelQuestions(run);
}

void resetMatrixState()
{
    std::memset(PresenceMatrix, 0, sizeof PresenceMatrix);
    rowCount = columnCount = 0;
}

// The observed matrix of the file being analysed: its packing and its
// temperature, which its reports and null models read.
static PackingContext observedPacking;
static TemperatureContext observedMeasure;

// Copies the matrix as read into the observed working matrix and measures
// its fill.
static void loadObservedMatrix()
{
    startMatrix(observedPacking, rowCount, columnCount);
    int ones = 0;
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++) {
            observedPacking.matrix[r][c] = PresenceMatrix[r][c];
            ones += PresenceMatrix[r][c];
        }
    observedPacking.occupiedCount = ones;
    percentFill = fillPercentage(ones, rowCount, columnCount);
}

void analyseTemperatureFile(RunContext& run)
{
    RunPictures* pictures = &run.pictures;
    const bool drawing = pictures->pictures;
    loadObservedMatrix();
    deriveTemperatureReportNames();
    packMatrix(observedPacking, PackRun::Observed);
    observedMeasure.keepCellParts = drawing;
    computeTemperature(observedMeasure, observedPacking);
    writeTemperatureSummary(observedPacking, observedMeasure);
    observedTemperature = observedMeasure.matrixTemperature;
    if (drawing)
        drawPackedMatrix(*pictures, observedPacking, observedMeasure);
    std::vector<std::string> summary = {formatText("%02.2f", observedTemperature)};
    if (nullModelsEnabled == 1) {
        savedRowCount = observedPacking.rowCount;
        savedColumnCount = observedPacking.columnCount;
        SimulatedValues simulated;
        const SimulationThreads threads = simulationThreads(run, savedRowCount, savedColumnCount);
        noteThreadsRunning(run, threads,
                           runTemperatureNullModels(observedPacking, threads, drawing ? &simulated : nullptr));
        if (drawing)
            drawNullDistributions(*pictures, 'T', observedTemperature, simulated,
                                  static_cast<double>(erColderCount) / simulationCount,
                                  static_cast<double>(ceColderCount) / simulationCount);
        for (const std::string& value : temperatureNullModelSummary())
            summary.push_back(value);
    }
    finishPicturesOfFile(*pictures, summary);
}

// After an analysis that ran out of memory the observed matrix's tables may
// be half made: they start afresh, their memory given back.
static void forgetObservedMatrix()
{
    observedPacking = PackingContext();
    observedMeasure = TemperatureContext();
}

// Reads the file named currentFileName and analyses it. Returns false when
// the reader's question was answered N, which ends the program.
static bool processTemperatureFile(RunContext& run)
{
    const MatrixReadResult read = readMatrixFile(run.answers);
    if (read.lostLines > 0)
        run.tally.withLostLines++;
    if (read.outcome == ReadOutcome::EndProgram)
        return false;
    if (read.outcome == ReadOutcome::Skipped) {
        run.tally.skipped++;
        beep();
        return true;
    }
    consolePrintf("File: %s in processing\n", currentFileName);
    printFileSeed(run);
    try {
        analyseTemperatureFile(run);
        run.tally.analysed++;
    } catch (const std::bad_alloc&) {
        forgetObservedMatrix();
        reportOutOfMemory(run);
    }
    stopIfInterrupted();
    return true;
}

// In a scripted run, the files a batch left out at its file limit are
// counted and named by number.
static void reportFilesLeftOut(RunContext& run, const FileBatch& batch)
{
    const int leftOut = static_cast<int>(batch.remaining().size());
    if (!run.scripted || leftOut == 0)
        return;
    consolePrintf("Files: %d left out, beyond the %d files a batch takes; run them in a further batch.\n",
                  leftOut, kMaxBatchFiles);
    run.tally.leftOut += leftOut;
}

// Processes every file of the batch, holding the folder's lock while it
// writes. Returns false when the program is to end at once.
static bool runTemperatureBatch(RunContext& run)
{
    FileBatch batch = takeBatch(run, "");
    FolderLock lock;
    lock.take();
    startPicturePage(run.pictures, 'T', nullModelsEnabled == 1);
    for (fileIndex = 0; fileIndex < kMaxBatchFiles;) {
        resetMatrixState();
        if (!batch.nextMatchingFile(fileExpression))
            return true;
        std::strcpy(currentFileName, fileExpression);
        if (!processTemperatureFile(run))
            return false;
        if (++fileIndex == kMaxBatchFiles) {
            consolePrintf("Maximum number of files reached: %d!\n", kMaxBatchFiles);
            reportFilesLeftOut(run, batch);
        }
    }
    return true;
}

// The runs of the program, from the mode question of the first to the
// farewell; returns when the program is to end.
static void runDialogue(RunContext& run)
{
    for (;;) {
        testDebugMarker();
        if ((run.given.mode ? *run.given.mode : askMode(run.answers)) == 'N') {
            runNodfMode(run);
            return;
        }
        answerTemperatureQuestions(run);
        if (!runTemperatureBatch(run) || run.scripted)
            return;
        run.given = CommandLine{};
        consolePrintf("\nEnd of processing. Do you want to run it again? (Y/N)");
        beep();
        // Input that ends here ends the program as it is: every batch ran.
        const std::optional<std::string> again = run.answers.nextWord();
        if (!again)
            return;
        if (std::toupper(static_cast<unsigned char>((*again)[0])) != 'Y') {
            consolePrintf("Obrigado por usar o BRAVOLIN!\n");
            waitSeconds(3);
            return;
        }
        consolePrintf("\n\n\n");
    }
}

// Says what is wrong with the command line, on standard error; a usage
// error ends the program with code 2 before anything is read or written.
static int usageError(const std::string& message)
{
    std::fprintf(stderr, "bravolin: %s\nTry 'bravolin --help' for more information.\n",
                 message.c_str());
    return 2;
}

// Takes the options of a command line that has no usage error: help and
// version, and the folder to work in. Returns the exit code when the
// program is to end here.
static std::optional<int> takeImmediateOptions(const CommandLine& options)
{
    if (options.help || options.version) {
        std::fputs(options.help ? usageText().c_str() : versionText().c_str(), stdout);
        return 0;
    }
    if (options.directory) {
        const std::string problem = enterFolder(*options.directory);
        if (!problem.empty())
            return usageError("cannot work in the folder '" + *options.directory + "': " + problem);
    }
    return std::nullopt;
}

int runProgram(int argc, char* argv[], const ProgramEnvironment& environment)
{
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    if (!parsed.error.empty())
        return usageError(parsed.error);
    if (std::optional<int> code = takeImmediateOptions(parsed.options))
        return *code;

    resetProgramState();
    if (environment.files != nullptr)
        writeOutputThrough(*environment.files);
    installInterruptHandlers(finishInterruptedAtOnce);
    const bool scripted = isScripted(parsed.options);
    ScriptedAnswers script;
    RunContext run(scripted ? static_cast<AnswerSource&>(script) : consoleAnswers());
    run.given = parsed.options;
    run.scripted = scripted;
    run.seed = parsed.options.seed;
    run.threads = parsed.options.threads.value_or(0);
    run.environment = environment;
    // A scripted run keeps one seed for both seeding points, so that the
    // one it prints reruns it.
    if (scripted)
        run.seed = seedOfRun(run);
    run.pictures.pictures = parsed.options.svg;
    run.pictures.page = parsed.options.report;
    setConsoleStyle(!run.scripted, !parsed.options.quiet && (!run.scripted || standardOutputIsTerminal()));
    seedRandom(seedOfRun(run));
    printBanner();
    if (run.scripted)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(*run.seed));
    bool inputEnded = false;
    try {
        runDialogue(run);
    } catch (const InputEnded&) {
        // A script ran out of answers, or the console was closed, before
        // the analysis was complete: the program ends rather than ask
        // again forever, and says so.
        inputEnded = true;
    }
    return finishRun(run, inputEnded);
}
