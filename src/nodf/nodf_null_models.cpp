// Random matrices of the mode N null models, their NODF and the progress
// line of the simulations.
#include "nodf/nodf_null_models.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/draw_tables.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "common/simulation_pipeline.h"
#include "common/stop_request.h"
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
        consolePrintf("Run: %04d (Last run: 0.5 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, runsLeft / 1800, rest / 60, rest % 60, elapsedHours, elapsedMinutes, elapsedRest);
        return;
    }
    const int remaining = lastRun * runsLeft;
    if (lastRun == 1)
        consolePrintf("Run: %04d (Last run:   1 s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, remaining / 3600, remaining % 3600 / 60, remaining % 60, elapsedHours,
                    elapsedMinutes, elapsedRest);
    else
        consolePrintf("Run: %04d (Last run:   %d s - Remaining: %02d:%02d:%02d - Elapsed: %02d:%02d:%02d)  \r",
                    run, lastRun, remaining / 3600, remaining % 3600 / 60, remaining % 60,
                    elapsedHours, elapsedMinutes, elapsedRest);
}

// The threshold of a cell draw for a fill fraction. A matrix without cells
// has a fraction 0/0 and no cell to draw; its threshold is then 0.
int thresholdFor(double fraction)
{
    return fraction >= 0 && fraction <= 1 ? static_cast<int>(10000 * fraction) : 0;
}

// drawIndex's result for the draw r: (k - 1) times the draw's fraction
// stored in single precision, rounded to the nearest integer, halves down.
int indexOfDraw(int r, int k)
{
    const float u = static_cast<float>(static_cast<double>(r) / kRandomMax);
    const double scaled = (k - 1) * static_cast<double>(u);
    const int index = static_cast<int>(scaled);
    return index + 0.5 < scaled && index < k - 1 ? index + 1 : index;
}

// The indexes of the two sizes drawn from: a row's column (Li and the row
// repair) and a column's row (Co and the column repair).
DrawTable columnIndexes, rowIndexes;

bool rowIsEmpty(const CellMatrix& matrix, int r, int columns)
{
    for (int c = 0; c < columns; c++)
        if (matrix[r][c] == 1)
            return false;
    return true;
}

bool columnIsEmpty(const CellMatrix& matrix, int c, int rows)
{
    for (int r = 0; r < rows; r++)
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

void measureSimulation(NodfContext& worker, NodfSimulation& simulation, const StopRequest& stop)
{
    for (int model = 0; model < 4; model++) {
        measureNodf(worker, simulation.matrices[model], rowCount, columnCount, false, stop);
        simulation.values[model] = {worker.nodfRows, worker.nodfColumns, worker.nodfTotal};
    }
}

void drawSimulation(const NodfDrawPlan& plan, NodfSimulation& simulation, int run)
{
    simulation.run = run;
    for (CellMatrix& matrix : simulation.matrices)
        matrix.resize(plan.rows, plan.columns);
    drawNodfErMatrix(plan, simulation.matrices[0]);
    repairEmptyLines(plan, simulation.matrices[0]);
    drawNodfCeMatrix(plan, simulation.matrices[1]);
    repairEmptyLines(plan, simulation.matrices[1]);
    drawNodfLiMatrix(plan, simulation.matrices[2]);
    drawNodfCoMatrix(plan, simulation.matrices[3]);
}

}  // namespace

int drawIndex(int k)
{
    return indexOfDraw(drawRandom(), k);
}

NodfDrawPlan planNodfDraws()
{
    NodfDrawPlan plan;
    const int rows = plan.rows = rowCount, columns = plan.columns = columnCount;
    plan.rowOnes.assign(static_cast<std::size_t>(rows), 0);
    plan.columnOnes.assign(static_cast<std::size_t>(columns), 0);
    int ones = 0;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            plan.rowOnes[static_cast<std::size_t>(r)] += PresenceMatrix[r][c];
            plan.columnOnes[static_cast<std::size_t>(c)] += PresenceMatrix[r][c];
            ones += PresenceMatrix[r][c];
        }
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    plan.erThreshold = thresholdFor(fillFraction);
    for (int r = 0; r < rows; r++)
        rowFillFraction[r] = static_cast<float>(static_cast<double>(plan.rowOnes[static_cast<std::size_t>(r)]) / columns);
    for (int c = 0; c < columns; c++)
        columnFillFraction[c] = static_cast<float>(static_cast<double>(plan.columnOnes[static_cast<std::size_t>(c)]) / rows);
    plan.ceThresholds.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[r]) + columnFillFraction[c]) / 2;
            plan.ceThresholds[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                              static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(thresholdFor(meanFill));
        }
    return plan;
}

void repairEmptyLines(const NodfDrawPlan& plan, CellMatrix& matrix)
{
    const int rows = plan.rows, columns = plan.columns;
    // A matrix without rows or without columns has no cell to put a 1 in.
    if (rows == 0 || columns == 0)
        return;
    const std::uint16_t* columnIndex = columnIndexes.forK(columns, indexOfDraw);
    const std::uint16_t* rowIndex = rowIndexes.forK(rows, indexOfDraw);
    for (int r = 0; r < rows; r++)
        if (rowIsEmpty(matrix, r, columns))
            matrix[r][columnIndex[drawRandom()]] = 1;
    for (int c = 0; c < columns; c++)
        if (columnIsEmpty(matrix, c, rows))
            matrix[rowIndex[drawRandom()]][c] = 1;
}

// A cell draw is 1 when the draw's share of 10000 is below the cell's
// threshold (a threshold of 10000 still gives 0 for the draw 32767).
void drawNodfErMatrix(const NodfDrawPlan& plan, CellMatrix& out)
{
    const std::uint16_t* share = cellShares();
    const int threshold = plan.erThreshold;
    for (int r = 0; r < plan.rows; r++) {
        unsigned char* row = out[r];
        for (int c = 0; c < plan.columns; c++)
            row[c] = share[drawRandom()] < threshold ? 1 : 0;
    }
}

void drawNodfCeMatrix(const NodfDrawPlan& plan, CellMatrix& out)
{
    const std::uint16_t* share = cellShares();
    for (int r = 0; r < plan.rows; r++) {
        unsigned char* row = out[r];
        const std::uint16_t* thresholds = plan.ceThresholds.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(plan.columns);
        for (int c = 0; c < plan.columns; c++)
            row[c] = share[drawRandom()] < thresholds[c] ? 1 : 0;
    }
}

void drawNodfLiMatrix(const NodfDrawPlan& plan, CellMatrix& out)
{
    if (plan.columns == 0)
        return;
    const std::uint16_t* columnIndex = columnIndexes.forK(plan.columns, indexOfDraw);
    for (int r = 0; r < plan.rows; r++) {
        unsigned char* row = out[r];
        std::fill(row, row + plan.columns, 0);
        for (int placed = plan.rowOnes[static_cast<std::size_t>(r)]; placed > 0; placed--) {
            int c;
            do
                c = columnIndex[drawRandom()];
            while (row[c] == 1);
            row[c] = 1;
        }
    }
}

void drawNodfCoMatrix(const NodfDrawPlan& plan, CellMatrix& out)
{
    if (plan.rows == 0)
        return;
    const std::uint16_t* rowIndex = rowIndexes.forK(plan.rows, indexOfDraw);
    // Each column is cleared and filled on its own; clearing them all first
    // reads the matrix in order instead of down its columns.
    for (int r = 0; r < plan.rows; r++)
        std::fill(out[r], out[r] + plan.columns, 0);
    for (int c = 0; c < plan.columns; c++) {
        for (int placed = plan.columnOnes[static_cast<std::size_t>(c)]; placed > 0; placed--) {
            int r;
            do
                r = rowIndex[drawRandom()];
            while (out[r][c] == 1);
            out[r][c] = 1;
        }
    }
}

int runNodfNullModels(const SimulationThreads& threads, SimulatedValues* kept)
{
    erNodfSum = ceNodfSum = 0;
    erExceedCount = ceExceedCount = 0;
    elapsedSeconds = previousSeconds = 0;
    NestednessFiles files;
    files.open();
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopIfInterrupted();

    int finished = 0;
    auto finish = [&files, kept, &finished](NodfSimulation& simulation) {
        finished++;
        showProgress(simulation.run);
        if (kept != nullptr)
            for (int model = 0; model < 4; model++)
                kept->model[model].push_back(static_cast<double>(simulation.values[model].total) * 100);
        recordNullModelTotal(Er, simulation.values[0].total);
        recordNullModelTotal(Ce, simulation.values[1].total);
        files.writeSimulation(simulation.values);
    };
    const NodfDrawPlan plan = planNodfDraws();
    const std::size_t matrixBytes = (static_cast<std::size_t>(plan.rows) + 1) * (static_cast<std::size_t>(plan.columns) + 1);
    SimulationPipeline<NodfSimulation, NodfContext> pipeline(threads, simulationWindow(threads.threads, 4 * matrixBytes),
                                                             measureSimulation);
    for (int run = 1; run <= simulationCount && !pipeline.stopRequested(); run++) {
        NodfSimulation* simulation = pipeline.slotToDraw(finish);
        if (simulation == nullptr)
            break;
        drawSimulation(plan, *simulation, run);
        pipeline.submit();
    }
    // Stopped by an interrupt: the simulations written end the files.
    pipeline.finishAll(finish);
    if (finished < simulationCount)
        stopIfInterrupted();
    return pipeline.threadsRunning();
}

std::vector<std::string> nodfNullModelSummary()
{
    const float erMean = static_cast<float>(static_cast<double>(erNodfSum) / simulationCount);
    const float ceMean = static_cast<float>(static_cast<double>(ceNodfSum) / simulationCount);
    return {twoDecimals(static_cast<double>(erMean) * 100),
            formatText("%02.2f", static_cast<double>(erExceedCount) / simulationCount),
            twoDecimals(static_cast<double>(ceMean) * 100),
            formatText("%02.2f", static_cast<double>(ceExceedCount) / simulationCount)};
}

void completeNodfSummaryLine()
{
    const std::vector<std::string> values = nodfNullModelSummary();
    appendToSummary(values[0] + " " + values[1] + " " + values[2] + " " + values[3] + "\n");
}
