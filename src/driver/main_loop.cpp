// Main loop of the program and the per-file pipeline of mode T.
#include "driver/main_loop.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/output_file.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "driver/file_search.h"
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
static char askMode()
{
    for (;;) {
        std::printf("Run matrix's NODF (press N) or Temperature (press T): ");
        char answer = readAnswerInitial();
        if (answer == 'N' || answer == 'T')
            return answer;
    }
}

static void askTemperatureQuestions()
{
    printPackedMatrix = askYesNo("Print Packed Matrix? (Y/N) : ");
    askNullModelQuestions();
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
    std::FILE* nullModelFile = openForAppend(nullModelFileName);
    if (nullModelFile != nullptr) {
        std::fputs("Er    Ce    Li    Co    \n", nullModelFile);
        std::fclose(nullModelFile);
    }
    runTemperatureNullModels();
}

void analyseTemperatureFile()
{
    analyseObservedMatrix();
    if (nullModelsEnabled == 1)
        runNullModelsOfFile();
}

// Processes every file matching the expression; asks for a new expression
// as long as nothing matches.
static void runTemperatureBatch()
{
    askFileExpression();
    fileIndex = 0;
    for (;;) {
        resetMatrixState();
        if (!nextMatchingFile(fileExpression)) {
            if (fileIndex > 0)
                return;
            std::printf("File: %s not found...\n\n", fileExpression);
            beep();
            askFileExpression();
            continue;
        }
        std::strcpy(currentFileName, fileExpression);
        if (readMatrixFile()) {
            std::printf("File: %s in processing\n", currentFileName);
            analyseTemperatureFile();
        } else {
            beep();
        }
        if (++fileIndex == kMaxBatchFiles) {
            std::printf("Maximum number of files reached: %d!\n", kMaxBatchFiles);
            endFileSearch();
            return;
        }
    }
}

int runProgram()
{
    seedRandomFromClock();
    printBanner();
    for (;;) {
        testDebugMarker();
        if (askMode() == 'N') {
            runNodfMode();
            return 0;
        }
        askTemperatureQuestions();
        runTemperatureBatch();
        std::printf("\nEnd of processing. Do you want to run it again? (Y/N)");
        beep();
        if (readAnswerInitial() != 'Y') {
            std::printf("Obrigado por usar o BRAVOLIN!\n");
            waitSeconds(3);
            return 0;
        }
        std::printf("\n\n\n");
    }
}
