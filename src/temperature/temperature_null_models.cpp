// Random matrices of the mode T null models and their temperatures.
#include "temperature/temperature_null_models.h"

#include <cstring>

#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "common/simulation_pipeline.h"
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

int rowOnes(int i, int columns)
{
    int count = 0;
    for (int j = 1; j <= columns; j++)
        count += PresenceMatrix[i][j];
    return count;
}

int columnOnes(int j, int rows)
{
    int count = 0;
    for (int i = 1; i <= rows; i++)
        count += PresenceMatrix[i][j];
    return count;
}

// One cell draw: 1 when the draw's share of 10000 is below threshold (a
// threshold of 10000 still gives 0 for the draw 32767).
inline unsigned char drawCell(int threshold)
{
    const int v = static_cast<int>(static_cast<double>(drawRandom()) / kRandomMax * 10000);
    return v < threshold ? 1 : 0;
}

void measureSimulation(TemperatureWorker& worker, TemperatureSimulation& simulation)
{
    for (int model = 0; model < 4; model++)
        simulation.temperatures[model] = measureRandomMatrix(worker, simulation.matrices[model]);
}

void drawSimulation(TemperatureSimulation& simulation, int run)
{
    simulation.run = run;
    for (CellMatrix& matrix : simulation.matrices)
        matrix.resize(savedRowCount, savedColumnCount);
    drawErMatrix(simulation.matrices[0]);
    drawCeMatrix(simulation.matrices[1]);
    drawLiMatrix(simulation.matrices[2]);
    drawCoMatrix(simulation.matrices[3]);
}

// The progress of a simulation, as its packings showed it when they ran one
// after the other: one spinner line for the simulation and one per pass.
void showSimulationSpinner(int run)
{
    runNumber = run;
    for (int line = 0; line < 1 + 4 * kPackingPasses; line++)
        showSpinner();
}

// A random matrix of Er or Ce counts toward its P value when it is at least
// as cold (as nested) as the observed matrix; equality counts.
void tallyTemperature(float temperature, float* sum, int* colderCount)
{
    if (temperature <= observedTemperature)
        ++*colderCount;
    *sum = static_cast<float>(static_cast<double>(*sum) + temperature);
}

void completeSummaryLine()
{
    appendToSummary(formatText("%02.2f %02.2f %02.2f %02.2f\n", erTemperatureSum,
                               static_cast<double>(erColderCount) / simulationCount,
                               ceTemperatureSum,
                               static_cast<double>(ceColderCount) / simulationCount));
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

void drawErMatrix(CellMatrix& out)
{
    const int rows = savedRowCount, columns = savedColumnCount;
    int ones = 0;
    for (int i = 1; i <= rows; i++)
        ones += rowOnes(i, columns);
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    const int threshold = static_cast<int>(static_cast<double>(fillFraction) * 10000);
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++)
            out[i][j] = drawCell(threshold);
    for (int i = 1; i <= rows; i++)
        if (rowIsEmpty(out, i, columns))
            out[i][drawPosition(columns)] = 1;
    for (int j = 1; j <= columns; j++)
        if (columnIsEmpty(out, j, rows))
            out[drawPosition(rows)][j] = 1;
}

void drawCeMatrix(CellMatrix& out)
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int i = 1; i <= rows; i++)
        rowFillFraction[i] = static_cast<float>(static_cast<double>(rowOnes(i, columns)) / columns);
    for (int j = 1; j <= columns; j++)
        columnFillFraction[j] = static_cast<float>(static_cast<double>(columnOnes(j, rows)) / rows);
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[i]) + columnFillFraction[j]) / 2;
            out[i][j] = drawCell(static_cast<int>(meanFill * 10000));
        }
}

void drawLiMatrix(CellMatrix& out)
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int i = 1; i <= rows; i++) {
        unsigned char* row = out[i];
        std::memset(&row[1], 0, static_cast<std::size_t>(columns));
        for (int placed = rowOnes(i, columns); placed > 0; placed--) {
            int j;
            do
                j = drawPosition(columns);
            while (row[j] == 1);
            row[j] = 1;
        }
    }
}

void drawCoMatrix(CellMatrix& out)
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int j = 1; j <= columns; j++) {
        for (int i = 1; i <= rows; i++)
            out[i][j] = 0;
        for (int placed = columnOnes(j, rows); placed > 0; placed--) {
            int i;
            do
                i = drawPosition(rows);
            while (out[i][j] == 1);
            out[i][j] = 1;
        }
    }
}

int drawPosition(int k)
{
    const float u = static_cast<float>(static_cast<double>(drawRandom()) / kRandomMax);
    const double scaled = k * static_cast<double>(u);
    int position = static_cast<int>(scaled);
    if (position + 0.5 < scaled && position < k)
        position++;
    return position == 0 ? 1 : position;
}

float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn)
{
    startMatrix(worker.packing, savedRowCount, savedColumnCount);
    worker.packing.matrix.swap(drawn);
    packMatrix(worker.packing, PackRun::Simulation);
    computeTemperature(worker.temperature, worker.packing);
    worker.packing.matrix.swap(drawn);
    return worker.temperature.matrixTemperature;
}

void runTemperatureNullModels(const PackingContext& observed, int threads)
{
    keepAnalysedBlock(observed);
    erTemperatureSum = ceTemperatureSum = 0;
    erColderCount = ceColderCount = 0;
    OutputFile nullModelFile(nullModelFileName);
    nullModelFile.write("Er    Ce    Li    Co    \n");
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopIfInterrupted();

    auto finish = [&nullModelFile](TemperatureSimulation& simulation) {
        showSimulationSpinner(simulation.run);
        const float* temperatures = simulation.temperatures;
        tallyTemperature(temperatures[0], &erTemperatureSum, &erColderCount);
        tallyTemperature(temperatures[1], &ceTemperatureSum, &ceColderCount);
        // The whole line in one write, flushed: the file holds whole lines
        // after every simulation, whatever stops the program.
        nullModelFile.print("%05.02f %05.02f %05.02f %05.02f\n", temperatures[0], temperatures[1],
                            temperatures[2], temperatures[3]);
        nullModelFile.flush();
        if (simulation.run < simulationCount)
            stopIfInterrupted();
    };
    SimulationPipeline<TemperatureSimulation, TemperatureWorker> pipeline(threads, measureSimulation);
    for (int run = 1; run <= simulationCount; run++) {
        drawSimulation(pipeline.slotToDraw(finish), run);
        pipeline.submit();
    }
    pipeline.finishAll(finish);
    runNumber = simulationCount + 1;

    erTemperatureSum = static_cast<float>(static_cast<double>(erTemperatureSum) / simulationCount);
    ceTemperatureSum = static_cast<float>(static_cast<double>(ceTemperatureSum) / simulationCount);
    completeSummaryLine();
}
