// Main loop of the program and the per-file pipeline of mode T.
#include "driver/main_loop.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/platform.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "driver/file_search.h"
#include "driver/program_state.h"
#include "input/matrix_reader.h"
#include "nodf/nodf_mode.h"
#include "packing/packing.h"
#include "temperature/temperature.h"
#include "temperature/temperature_null_models.h"
#include "temperature/temperature_summary.h"

static void printBanner()
{
    std::printf("_______________________BRAVOLIN______________________\n\n");
    std::printf("Version: Pelum (3.0.3)\n");
    std::printf("Date:    Dec, 15 2008\n");
    std::printf("Authors: The BRAVOLIN developers\n");
    std::printf("         BRAVOLIN temperature and packing maintainers\n");
    std::printf("         BRAVOLIN NODF maintainers\n");
    std::printf("Obs.: Maximum: %d rows and columns\n", kMaxMatrixSide);
    std::printf("_____________________________________________________\n\n");
}

static void testDebugMarker()
{
    std::FILE* marker = std::fopen(kDebugMarkerFileName, "r");
    debugMode = marker != nullptr;
    if (marker != nullptr)
        std::fclose(marker);
}

// Asks for the mode until the answer starts with N or T; no bell here.
static char askMode(AnswerSource& answers)
{
    for (;;) {
        std::printf("Run matrix's NODF (press N) or Temperature (press T): ");
        char answer = readAnswerInitial(answers);
        if (answer == 'N' || answer == 'T')
            return answer;
    }
}

static void askTemperatureQuestions(AnswerSource& answers)
{
    printPackedMatrix = askYesNo(answers, "Print Packed Matrix? (Y/N) : ");
    askNullModelQuestions(answers);
}

void resetMatrixState()
{
    std::memset(PresenceMatrix, 0, sizeof PresenceMatrix);
    for (int i = 0; i < kTableSide; i++)
        rowOrder[i] = columnOrder[i] = i;
    resetAnalysisState();
}

// Copies the matrix as read into workingMatrix and measures its fill.
static void copyToWorkingMatrix()
{
    occupiedCount = 0;
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++) {
            workingMatrix[r][c] = PresenceMatrix[r][c];
            occupiedCount += PresenceMatrix[r][c];
        }
    percentFill = fillPercentage(occupiedCount, rowCount, columnCount);
}

// The observed matrix: packed, measured and reported.
static void analyseObservedMatrix()
{
    copyToWorkingMatrix();
    simulationRunning = 0;
    packMatrix();
    computeTemperature();
    writeTemperatureSummary();
    observedTemperature = matrixTemperature;
}

// The null models of the file, after its observed results are written.
static void runNullModelsOfFile()
{
    simulationRunning = 1;
    savedRowCount = rowCount;
    savedColumnCount = columnCount;
    runTemperatureNullModels();
}

void analyseTemperatureFile()
{
    analyseObservedMatrix();
    if (nullModelsEnabled == 1)
        runNullModelsOfFile();
}

// Processes every file matching the expression; asks for a new expression
// as long as nothing matches. Returns false when the reader's question was
// answered N (or input ended there), which ends the program.
static bool runTemperatureBatch(AnswerSource& answers)
{
    askFileExpression(answers);
    fileIndex = 0;
    for (;;) {
        resetMatrixState();
        if (!nextMatchingFile(fileExpression)) {
            if (fileIndex > 0)
                return true;
            reportNothingMatched(fileExpression);
            askFileExpression(answers);
            continue;
        }
        std::strcpy(currentFileName, fileExpression);
        const MatrixReadResult read = readMatrixFile(answers);
        if (read.outcome == ReadOutcome::EndProgram)
            return false;
        if (read.outcome == ReadOutcome::Read) {
            std::printf("File: %s in processing\n", currentFileName);
            analyseTemperatureFile();
            stopIfInterrupted();
        } else {
            beep();
        }
        if (++fileIndex == kMaxBatchFiles) {
            std::printf("Maximum number of files reached: %d!\n", kMaxBatchFiles);
            endFileSearch();
            return true;
        }
    }
}

// The runs of the program, from the mode question of the first to the
// farewell; returns when the program is to end.
static void runDialogue(AnswerSource& answers)
{
    for (;;) {
        testDebugMarker();
        if (askMode(answers) == 'N') {
            runNodfMode(answers);
            return;
        }
        askTemperatureQuestions(answers);
        if (!runTemperatureBatch(answers))
            return;
        std::printf("\nEnd of processing. Do you want to run it again? (Y/N)");
        beep();
        if (readAnswerInitial(answers) != 'Y') {
            std::printf("Obrigado por usar o BRAVOLIN!\n");
            waitSeconds(3);
            return;
        }
        std::printf("\n\n\n");
    }
}

int runProgram()
{
    resetProgramState();
    installInterruptHandlers();
    seedRandomFromClock();
    printBanner();
    try {
        runDialogue(consoleAnswers());
    } catch (const InputEnded&) {
        // A script ran out of answers, or the console was closed: the
        // program ends rather than ask again forever.
    }
    std::fflush(stdout);
    return anyOutputIncomplete() ? 1 : 0;
}
