// Mode N driver: settings, summary header, file expression and batch loop.
#include "nodf/nodf_mode.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "driver/file_search.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_null_models.h"
#include "nodf/nodf_reader.h"
#include "nodf/nodf_reports.h"

static void askOrdering()
{
    orderMatrix = askYesNo("Order the Matrix (Y/N)? ");
    if (orderMatrix)
        printPackedMatrix = askYesNo("Print Ordered Matrix? (Y/N) : ");
}

[[noreturn]] static void endBatch()
{
    std::printf("\nEnd of processing...\n");
    beep();
    endProgram();
}

static void copyReadMatrix()
{
    const std::size_t columns = static_cast<std::size_t>(columnCount);
    for (int r = 0; r < rowCount; r++) {
        std::memcpy(PresenceMatrix[r], nodfReadMatrix[r], columns);
        std::memcpy(workingMatrix[r], nodfReadMatrix[r], columns);
    }
}

// Starts the summary line of the file just found and loads its matrix into
// PresenceMatrix and workingMatrix. Returns false when the file cannot be
// opened, once the user has typed a word.
static bool loadMatrixFile()
{
    // Both buffers hold a name of at most 260 characters and its end.
    std::memcpy(currentFileName, fileExpression, sizeof currentFileName);
    currentFileName[kMaxNameLength] = '\0';
    std::memset(nodfReadMatrix, 0, sizeof nodfReadMatrix);
    std::printf("File: %s in processing...\n", currentFileName);
    startNodfSummaryLine();
    if (!readNodfMatrix()) {
        std::printf("File %s not found!\n", currentFileName);
        readWord(answerBuffer, sizeof answerBuffer);
        return false;
    }
    copyReadMatrix();
    return true;
}

void analyseNodfFile()
{
    computeNodf(Observed);
    if (nullModelsEnabled == 1) {
        runNodfNullModels();
        completeNodfSummaryLine();
    }
}

void runNodfMode()
{
    fileIndex = 0;
    seedRandomFromClock();
    askOrdering();
    askNullModelQuestions();
    writeNodfSummaryHeader();
    askFileExpression();
    for (;;) {
        std::printf("\n");
        if (!nextMatchingFile(fileExpression)) {
            if (fileIndex > 0)
                endBatch();
            std::printf("File: %s not found...\n\n", fileExpression);
            beep();
            askFileExpression();
            continue;
        }
        if (!loadMatrixFile())
            return;
        analyseNodfFile();
        fileIndex++;
    }
}
