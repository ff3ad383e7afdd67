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
#include "common/simulation_pipeline.h"
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

bool rowIsEmpty(const CellMatrix& matrix, int r)
{
    for (int c = 0; c < columnCount; c++)
        if (matrix[r][c] == 1)
            return false;
    return true;
}

bool columnIsEmpty(const CellMatrix& matrix, int c)
{
    for (int r = 0; r < rowCount; r++)
        if (matrix[r][c] == 1)
            return false;
    return true;
}

// One simulation: its four random matrices (Er, Ce, Li, Co) and their NODF.
struct NodfSimulation {
    int run = 0;
    CellMatrix matrices[4];
    NodfValues values[4] = {};
};

void measureSimulation(NodfContext& worker, NodfSimulation& simulation)
{
    for (int model = 0; model < 4; model++) {
        measureNodf(worker, simulation.matrices[model], rowCount, columnCount, false);
        simulation.values[model] = {worker.nodfRows, worker.nodfColumns, worker.nodfTotal};
    }
}

void drawSimulation(NodfSimulation& simulation, int run)
{
    simulation.run = run;
    for (CellMatrix& matrix : simulation.matrices)
        matrix.resize(rowCount, columnCount);
    drawNodfErMatrix(simulation.matrices[0]);
    repairEmptyLines(simulation.matrices[0]);
    drawNodfCeMatrix(simulation.matrices[1]);
    repairEmptyLines(simulation.matrices[1]);
    drawNodfLiMatrix(simulation.matrices[2]);
    drawNodfCoMatrix(simulation.matrices[3]);
}

}  // namespace

int drawIndex(int k)
{
    const float u = static_cast<float>(static_cast<double>(drawRandom()) / kRandomMax);
    const double scaled = (k - 1) * static_cast<double>(u);
    const int index = static_cast<int>(scaled);
    return index + 0.5 < scaled && index < k - 1 ? index + 1 : index;
}

void repairEmptyLines(CellMatrix& matrix)
{
    // A matrix without rows or without columns has no cell to put a 1 in.
    if (rowCount == 0 || columnCount == 0)
        return;
    for (int r = 0; r < rowCount; r++)
        if (rowIsEmpty(matrix, r))
            matrix[r][drawIndex(columnCount)] = 1;
    for (int c = 0; c < columnCount; c++)
        if (columnIsEmpty(matrix, c))
            matrix[drawIndex(rowCount)][c] = 1;
}

void drawNodfErMatrix(CellMatrix& out)
{
    int ones = 0;
    for (int r = 0; r < rowCount; r++)
        ones += presenceRowOnes(r);
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rowCount * columnCount));
    const int threshold = thresholdFor(fillFraction);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++)
            out[r][c] = drawCell(threshold);
}

void drawNodfCeMatrix(CellMatrix& out)
{
    for (int r = 0; r < rowCount; r++)
        rowFillFraction[r] = static_cast<float>(static_cast<double>(presenceRowOnes(r)) / columnCount);
    for (int c = 0; c < columnCount; c++)
        columnFillFraction[c] = static_cast<float>(static_cast<double>(presenceColumnOnes(c)) / rowCount);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[r]) + columnFillFraction[c]) / 2;
            out[r][c] = drawCell(thresholdFor(meanFill));
        }
}

void drawNodfLiMatrix(CellMatrix& out)
{
    for (int r = 0; r < rowCount; r++) {
        const int ones = presenceRowOnes(r);
        unsigned char* row = out[r];
        std::memset(row, 0, static_cast<std::size_t>(columnCount));
        for (int placed = 0; placed < ones; placed++) {
            int c;
            do
                c = drawIndex(columnCount);
            while (row[c] == 1);
            row[c] = 1;
        }
    }
}

void drawNodfCoMatrix(CellMatrix& out)
{
    for (int c = 0; c < columnCount; c++) {
        const int ones = presenceColumnOnes(c);
        for (int r = 0; r < rowCount; r++)
            out[r][c] = 0;
        for (int placed = 0; placed < ones; placed++) {
            int r;
            do
                r = drawIndex(rowCount);
            while (out[r][c] == 1);
            out[r][c] = 1;
        }
    }
}

void runNodfNullModels(int threads)
{
    erNodfSum = ceNodfSum = 0;
    erExceedCount = ceExceedCount = 0;
    elapsedSeconds = previousSeconds = 0;
    NestednessFiles files;
    files.open();
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopIfInterrupted();

    auto finish = [&files](NodfSimulation& simulation) {
        showProgress(simulation.run);
        recordNullModelTotal(Er, simulation.values[0].total);
        recordNullModelTotal(Ce, simulation.values[1].total);
        files.writeSimulation(simulation.values);
        if (simulation.run < simulationCount)
            stopIfInterrupted();
    };
    SimulationPipeline<NodfSimulation, NodfContext> pipeline(threads, measureSimulation);
    for (int run = 1; run <= simulationCount; run++) {
        drawSimulation(pipeline.slotToDraw(finish), run);
        pipeline.submit();
    }
    pipeline.finishAll(finish);
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
