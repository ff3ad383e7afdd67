// Random matrices of the mode N null models, their NODF and the progress
// line of the simulations.
#include "nodf/nodf_null_models.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_reports.h"
#include "nodf/two_decimals.h"

namespace {

// The remaining time shown is an estimate for 1000 runs, whatever the
// number asked for.
constexpr int kEstimatedRuns = 1000;

// The clock of the progress line: the seconds field at the last run and the
// seconds elapsed since the first.
int previousSeconds;
int elapsedSeconds;

void showProgress(int run)
{
    const int seconds = currentSecondsField();
    if (run == 1)
        previousSeconds = seconds;
    const int lastRun = seconds >= previousSeconds ? seconds - previousSeconds
                                                   : seconds + 60 - previousSeconds;
    elapsedSeconds += lastRun;
    previousSeconds = seconds;
    if (!progressLinesShown())
        return;
    const int runsLeft = kEstimatedRuns - run;
    const int elapsedHours = elapsedSeconds / 3600, elapsedMinutes = elapsedSeconds % 3600 / 60,
              elapsedRest = elapsedSeconds % 3600 % 60;
    if (lastRun == 0) {
        const int rest = runsLeft % 1800;
        std::printf("Run: %04d (Last run: 0.5 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, runsLeft / 1800, rest / 60, rest % 60, elapsedHours, elapsedMinutes, elapsedRest);
        return;
    }
    const int remaining = lastRun * runsLeft;
    if (lastRun == 1)
        std::printf("Run: %04d (Last run:   1 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, remaining / 3600, remaining % 3600 / 60, remaining % 60, elapsedHours,
                    elapsedMinutes, elapsedRest);
    else
        std::printf("Run: %04d (Last run:   %d s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, lastRun, remaining / 3600, remaining % 3600 / 60, remaining % 60,
                    elapsedHours, elapsedMinutes, elapsedRest);
}

// The threshold of a cell draw for a fill fraction. A matrix without cells
// has a fraction 0/0 and no cell to draw; its threshold is then 0.
int thresholdFor(double fraction)
{
    return fraction >= 0 && fraction <= 1 ? static_cast<int>(10000 * fraction) : 0;
}

// One cell draw: 1 when the draw's share of 10000 is below threshold (a
// threshold of 10000 still gives 0 for the draw 32767).
inline unsigned char drawCell(int threshold)
{
    const int share = static_cast<int>(10000 * (static_cast<double>(drawRandom()) / kRandomMax));
    return share < threshold ? 1 : 0;
}

int presenceRowOnes(int r)
{
    int ones = 0;
    for (int c = 0; c < columnCount; c++)
        ones += PresenceMatrix[r][c];
    return ones;
}

int presenceColumnOnes(int c)
{
    int ones = 0;
    for (int r = 0; r < rowCount; r++)
        ones += PresenceMatrix[r][c];
    return ones;
}

bool workingRowIsEmpty(int r)
{
    for (int c = 0; c < columnCount; c++)
        if (workingMatrix[r][c] == 1)
            return false;
    return true;
}

bool workingColumnIsEmpty(int c)
{
    for (int r = 0; r < rowCount; r++)
        if (workingMatrix[r][c] == 1)
            return false;
    return true;
}

void clearWorkingRow(int r)
{
    for (int c = 0; c < columnCount; c++)
        workingMatrix[r][c] = 0;
}

}  // namespace

int drawIndex(int k)
{
    const float u = static_cast<float>(static_cast<double>(drawRandom()) / kRandomMax);
    const double scaled = (k - 1) * static_cast<double>(u);
    const int index = static_cast<int>(scaled);
    return index + 0.5 < scaled && index < k - 1 ? index + 1 : index;
}

void repairEmptyLines()
{
    // A matrix without rows or without columns has no cell to put a 1 in.
    if (rowCount == 0 || columnCount == 0)
        return;
    for (int r = 0; r < rowCount; r++)
        if (workingRowIsEmpty(r))
            workingMatrix[r][drawIndex(columnCount)] = 1;
    for (int c = 0; c < columnCount; c++)
        if (workingColumnIsEmpty(c))
            workingMatrix[drawIndex(rowCount)][c] = 1;
}

void drawNodfErMatrix()
{
    int ones = 0;
    for (int r = 0; r < rowCount; r++) {
        ones += presenceRowOnes(r);
        clearWorkingRow(r);
    }
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rowCount * columnCount));
    const int threshold = thresholdFor(fillFraction);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++)
            workingMatrix[r][c] = drawCell(threshold);
}

void drawNodfCeMatrix()
{
    for (int r = 0; r < rowCount; r++) {
        rowFillFraction[r] = static_cast<float>(static_cast<double>(presenceRowOnes(r)) / columnCount);
        clearWorkingRow(r);
    }
    for (int c = 0; c < columnCount; c++)
        columnFillFraction[c] = static_cast<float>(static_cast<double>(presenceColumnOnes(c)) / rowCount);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[r]) + columnFillFraction[c]) / 2;
            workingMatrix[r][c] = drawCell(thresholdFor(meanFill));
        }
}

void drawNodfLiMatrix()
{
    for (int r = 0; r < rowCount; r++) {
        const int ones = presenceRowOnes(r);
        clearWorkingRow(r);
        for (int placed = 0; placed < ones; placed++) {
            int c;
            do
                c = drawIndex(columnCount);
            while (workingMatrix[r][c] == 1);
            workingMatrix[r][c] = 1;
        }
    }
}

void drawNodfCoMatrix()
{
    for (int c = 0; c < columnCount; c++) {
        const int ones = presenceColumnOnes(c);
        for (int r = 0; r < rowCount; r++)
            workingMatrix[r][c] = 0;
        for (int placed = 0; placed < ones; placed++) {
            int r;
            do
                r = drawIndex(rowCount);
            while (workingMatrix[r][c] == 1);
            workingMatrix[r][c] = 1;
        }
    }
}

// The NODF values that computeNodf left for the matrix just measured.
NodfValues measuredValues()
{
    return {nodfRows, nodfColumns, nodfTotal};
}

void runNodfNullModels()
{
    erNodfSum = ceNodfSum = 0;
    erExceedCount = ceExceedCount = 0;
    elapsedSeconds = previousSeconds = 0;
    NestednessFiles files;
    files.open();
    for (int run = 1; run <= simulationCount; run++) {
        stopIfInterrupted();
        showProgress(run);
        NodfValues values[4];
        drawNodfErMatrix();
        repairEmptyLines();
        computeNodf(Er);
        values[0] = measuredValues();
        drawNodfCeMatrix();
        repairEmptyLines();
        computeNodf(Ce);
        values[1] = measuredValues();
        drawNodfLiMatrix();
        computeNodf(Li);
        values[2] = measuredValues();
        drawNodfCoMatrix();
        computeNodf(Co);
        values[3] = measuredValues();
        files.writeSimulation(values);
    }
}

void completeNodfSummaryLine()
{
    const float erMean = static_cast<float>(static_cast<double>(erNodfSum) / simulationCount);
    const float ceMean = static_cast<float>(static_cast<double>(ceNodfSum) / simulationCount);
    appendToSummary(twoDecimals(static_cast<double>(erMean) * 100) +
                    formatText(" %02.2f ", static_cast<double>(erExceedCount) / simulationCount) +
                    twoDecimals(static_cast<double>(ceMean) * 100) +
                    formatText(" %02.2f\n", static_cast<double>(ceExceedCount) / simulationCount));
}
