// Random matrices of the mode T null models and their temperatures.
#include "temperature/temperature_null_models.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/draw_tables.h"
#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "common/simulation_pipeline.h"
#include "common/stop_request.h"
#include "packing/packing.h"
#include "temperature/temperature.h"

namespace {

// One simulation: its four random matrices (Er, Ce, Li, Co) and their
// temperatures.
struct TemperatureSimulation {
    int run = 0;
    CellMatrix matrices[4];
    float temperatures[4] = {};
};

void markKeptLines(const std::vector<int>& order, int offset, int count, bool* kept)
{
    std::memset(kept, 0, sizeof(bool) * kTableSide);
    for (int i = 1; i <= count; i++)
        kept[order[static_cast<std::size_t>(i + offset)]] = true;
}

// drawPosition's result for the draw r: k times the draw's fraction stored
// in single precision, rounded to the nearest integer with halves down, and
// 0 taken as 1.
int positionOfDraw(int r, int k)
{
    const float u = static_cast<float>(static_cast<double>(r) / kRandomMax);
    const double scaled = k * static_cast<double>(u);
    int position = static_cast<int>(scaled);
    if (position + 0.5 < scaled && position < k)
        position++;
    return position == 0 ? 1 : position;
}

// The positions of the two sizes drawn from: a row's column (Li and the row
// repair) and a column's row (Co and the column repair).
DrawTable columnPositions, rowPositions;

void measureSimulation(TemperatureWorker& worker, TemperatureSimulation& simulation, const StopRequest& stop)
{
    for (int model = 0; model < 4; model++)
        simulation.temperatures[model] = measureRandomMatrix(worker, simulation.matrices[model], stop);
}

void drawSimulation(const TemperatureDrawPlan& plan, TemperatureSimulation& simulation, int run)
{
    simulation.run = run;
    for (CellMatrix& matrix : simulation.matrices)
        matrix.resize(plan.rows, plan.columns);
    drawErMatrix(plan, simulation.matrices[0]);
    drawCeMatrix(plan, simulation.matrices[1]);
    drawLiMatrix(plan, simulation.matrices[2]);
    drawCoMatrix(plan, simulation.matrices[3]);
}

// The progress of a simulation, as its packings showed it when they ran one
// after the other: one spinner line for the simulation and one per pass.
void showSimulationSpinner(int run)
{
    runNumber = run;
    showSpinnerLines(1 + 4 * kPackingPasses);
}

// A random matrix of Er or Ce counts toward its P value when it is at least
// as cold (as nested) as the observed matrix; equality counts.
void tallyTemperature(float temperature, float* sum, int* colderCount)
{
    if (temperature <= observedTemperature)
        ++*colderCount;
    *sum = static_cast<float>(static_cast<double>(*sum) + temperature);
}

}  // namespace

void keepAnalysedBlock(const PackingContext& observed)
{
    static bool keptRow[kTableSide], keptColumn[kTableSide];
    markKeptLines(observed.rowOrder, observed.removedFullRows, observed.rowCount, keptRow);
    markKeptLines(observed.columnOrder, observed.removedFullColumns, observed.columnCount, keptColumn);
    // Kept lines move up, never down, so copying in increasing order reads
    // every cell before it is overwritten.
    int i = 0;
    for (int fileRow = 1; fileRow < kTableSide; fileRow++) {
        if (!keptRow[fileRow])
            continue;
        i++;
        int j = 0;
        for (int fileColumn = 1; fileColumn < kTableSide; fileColumn++)
            if (keptColumn[fileColumn])
                PresenceMatrix[i][++j] = PresenceMatrix[fileRow][fileColumn];
    }
}

TemperatureDrawPlan planTemperatureDraws()
{
    TemperatureDrawPlan plan;
    const int rows = plan.rows = savedRowCount, columns = plan.columns = savedColumnCount;
    plan.rowOnes.assign(static_cast<std::size_t>(rows) + 1, 0);
    plan.columnOnes.assign(static_cast<std::size_t>(columns) + 1, 0);
    int ones = 0;
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++) {
            plan.rowOnes[static_cast<std::size_t>(i)] += PresenceMatrix[i][j];
            plan.columnOnes[static_cast<std::size_t>(j)] += PresenceMatrix[i][j];
            ones += PresenceMatrix[i][j];
        }
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    plan.erThreshold = static_cast<int>(static_cast<double>(fillFraction) * 10000);
    for (int i = 1; i <= rows; i++)
        rowFillFraction[i] = static_cast<float>(static_cast<double>(plan.rowOnes[static_cast<std::size_t>(i)]) / columns);
    for (int j = 1; j <= columns; j++)
        columnFillFraction[j] = static_cast<float>(static_cast<double>(plan.columnOnes[static_cast<std::size_t>(j)]) / rows);
    plan.ceThresholds.resize((static_cast<std::size_t>(rows) + 1) * (static_cast<std::size_t>(columns) + 1));
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[i]) + columnFillFraction[j]) / 2;
            plan.ceThresholds[static_cast<std::size_t>(i) * (static_cast<std::size_t>(columns) + 1) +
                              static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(static_cast<int>(meanFill * 10000));
        }
    return plan;
}

// A cell draw is 1 when the draw's share of 10000 is below the cell's
// threshold (a threshold of 10000 still gives 0 for the draw 32767).
void drawErMatrix(const TemperatureDrawPlan& plan, CellMatrix& out)
{
    const int rows = plan.rows, columns = plan.columns;
    const std::uint16_t* share = cellShares();
    for (int i = 1; i <= rows; i++) {
        unsigned char* row = out[i];
        for (int j = 1; j <= columns; j++)
            row[j] = share[drawRandom()] < plan.erThreshold ? 1 : 0;
    }
    const std::uint16_t* columnPosition = columnPositions.forK(columns, positionOfDraw);
    const std::uint16_t* rowPosition = rowPositions.forK(rows, positionOfDraw);
    for (int i = 1; i <= rows; i++)
        if (rowIsEmpty(out, i, columns))
            out[i][columnPosition[drawRandom()]] = 1;
    for (int j = 1; j <= columns; j++)
        if (columnIsEmpty(out, j, rows))
            out[rowPosition[drawRandom()]][j] = 1;
}

void drawCeMatrix(const TemperatureDrawPlan& plan, CellMatrix& out)
{
    const std::uint16_t* share = cellShares();
    const std::size_t width = static_cast<std::size_t>(plan.columns) + 1;
    for (int i = 1; i <= plan.rows; i++) {
        unsigned char* row = out[i];
        const std::uint16_t* thresholds = plan.ceThresholds.data() + static_cast<std::size_t>(i) * width;
        for (int j = 1; j <= plan.columns; j++)
            row[j] = share[drawRandom()] < thresholds[j] ? 1 : 0;
    }
}

void drawLiMatrix(const TemperatureDrawPlan& plan, CellMatrix& out)
{
    const std::uint16_t* columnPosition = columnPositions.forK(plan.columns, positionOfDraw);
    for (int i = 1; i <= plan.rows; i++) {
        unsigned char* row = out[i];
        std::fill(row + 1, row + 1 + plan.columns, 0);
        for (int placed = plan.rowOnes[static_cast<std::size_t>(i)]; placed > 0; placed--) {
            int j;
            do
                j = columnPosition[drawRandom()];
            while (row[j] == 1);
            row[j] = 1;
        }
    }
}

void drawCoMatrix(const TemperatureDrawPlan& plan, CellMatrix& out)
{
    const std::uint16_t* rowPosition = rowPositions.forK(plan.rows, positionOfDraw);
    // Each column is cleared and filled on its own; clearing them all first
    // reads the matrix in order instead of down its columns.
    for (int i = 1; i <= plan.rows; i++)
        std::fill(out[i] + 1, out[i] + 1 + plan.columns, 0);
    for (int j = 1; j <= plan.columns; j++) {
        for (int placed = plan.columnOnes[static_cast<std::size_t>(j)]; placed > 0; placed--) {
            int i;
            do
                i = rowPosition[drawRandom()];
            while (out[i][j] == 1);
            out[i][j] = 1;
        }
    }
}

int drawPosition(int k)
{
    return positionOfDraw(drawRandom(), k);
}

float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn, const StopRequest& stop)
{
    startMatrix(worker.packing, savedRowCount, savedColumnCount);
    worker.packing.matrix.swap(drawn);
    // The drawn matrix goes back to its slot however the measurement ends.
    struct SwapBack {
        CellMatrix& a;
        CellMatrix& b;
        ~SwapBack() { a.swap(b); }
    } swapBack{worker.packing.matrix, drawn};
    packMatrix(worker.packing, PackRun::Simulation, stop);
    computeTemperature(worker.temperature, worker.packing, stop);
    return worker.temperature.matrixTemperature;
}

int runTemperatureNullModels(const PackingContext& observed, const SimulationThreads& threads,
                             SimulatedValues* kept)
{
    keepAnalysedBlock(observed);
    erTemperatureSum = ceTemperatureSum = 0;
    erColderCount = ceColderCount = 0;
    OutputFile nullModelFile(nullModelFileName);
    nullModelFile.write("Er    Ce    Li    Co    \n");
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopIfInterrupted();

    int finished = 0;
    auto finish = [&nullModelFile, kept, &finished](TemperatureSimulation& simulation) {
        finished++;
        showSimulationSpinner(simulation.run);
        const float* temperatures = simulation.temperatures;
        if (kept != nullptr)
            for (int model = 0; model < 4; model++)
                kept->model[model].push_back(temperatures[model]);
        tallyTemperature(temperatures[0], &erTemperatureSum, &erColderCount);
        tallyTemperature(temperatures[1], &ceTemperatureSum, &ceColderCount);
        // The whole line in one write, flushed: the file holds whole lines
        // after every simulation, whatever stops the program.
        OutputBatch batch;
        nullModelFile.print("%05.02f %05.02f %05.02f %05.02f\n", temperatures[0], temperatures[1],
                            temperatures[2], temperatures[3]);
        nullModelFile.flush();
    };
    const TemperatureDrawPlan plan = planTemperatureDraws();
    const std::size_t matrixBytes = (static_cast<std::size_t>(plan.rows) + 1) * (static_cast<std::size_t>(plan.columns) + 1);
    SimulationPipeline<TemperatureSimulation, TemperatureWorker> pipeline(
        threads, simulationWindow(threads.threads, 4 * matrixBytes), measureSimulation);
    for (int run = 1; run <= simulationCount && !pipeline.stopRequested(); run++) {
        TemperatureSimulation* simulation = pipeline.slotToDraw(finish);
        if (simulation == nullptr)
            break;
        drawSimulation(plan, *simulation, run);
        pipeline.submit();
    }
    // Stopped by an interrupt: the simulations written end the file.
    pipeline.finishAll(finish);
    if (finished < simulationCount)
        stopIfInterrupted();
    runNumber = simulationCount + 1;

    erTemperatureSum = static_cast<float>(static_cast<double>(erTemperatureSum) / simulationCount);
    ceTemperatureSum = static_cast<float>(static_cast<double>(ceTemperatureSum) / simulationCount);
    const std::vector<std::string> values = temperatureNullModelSummary();
    appendToSummary(values[0] + " " + values[1] + " " + values[2] + " " + values[3] + "\n");
    return pipeline.threadsRunning();
}

std::vector<std::string> temperatureNullModelSummary()
{
    return {formatText("%02.2f", erTemperatureSum),
            formatText("%02.2f", static_cast<double>(erColderCount) / simulationCount),
            formatText("%02.2f", ceTemperatureSum),
            formatText("%02.2f", static_cast<double>(ceColderCount) / simulationCount)};
}
