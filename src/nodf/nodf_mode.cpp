// Mode N driver: settings, summary header, file expression and batch loop.
#include "nodf/nodf_mode.h"

#include <cstdio>
#include <cstring>

#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "driver/file_search.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_null_models.h"
#include "nodf/nodf_reader.h"
#include "nodf/nodf_reports.h"

static void askOrdering(AnswerSource& answers)
{
    orderMatrix = askYesNo(answers, "Order the Matrix (Y/N)? ");
    if (orderMatrix)
        printPackedMatrix = askYesNo(answers, "Print Ordered Matrix? (Y/N) : ");
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
// PresenceMatrix and workingMatrix. Returns false when the file ends the
// batch (it cannot be opened, or it has too many rows); its summary line is
// then ended, so that it never runs into the next line written.
static bool loadMatrixFile()
{
    // Both buffers hold a name of at most 260 characters and its end.
    std::memcpy(currentFileName, fileExpression, sizeof currentFileName);
    currentFileName[kMaxNameLength] = '\0';
    std::memset(nodfReadMatrix, 0, sizeof nodfReadMatrix);
    std::printf("File: %s in processing...\n", currentFileName);
    startNodfSummaryLine();
    const NodfReadResult read = readNodfMatrix();
    if (read.outcome == NodfReadOutcome::CannotOpen)
        std::printf("File %s not found!\n", currentFileName);
    if (read.outcome != NodfReadOutcome::Read) {
        endOpenSummaryLine();
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

void runNodfMode(AnswerSource& answers)
{
    fileIndex = 0;
    seedRandomFromClock();
    askOrdering(answers);
    askNullModelQuestions(answers);
    writeNodfSummaryHeader();
    askFileExpression(answers);
    for (;;) {
        std::printf("\n");
        if (!nextMatchingFile(fileExpression)) {
            if (fileIndex > 0) {
                std::printf("\nEnd of processing...\n");
                beep();
                return;
            }
            reportNothingMatched(fileExpression);
            askFileExpression(answers);
            continue;
        }
        if (!loadMatrixFile()) {
            // The batch ends here, once the user has typed a word.
            readWord(answers);
            return;
        }
        analyseNodfFile();
        stopIfInterrupted();
        fileIndex++;
    }
}
