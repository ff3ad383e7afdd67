// Random matrices of the mode T null models and their temperatures.
#include "temperature/temperature_null_models.h"

#include <cstring>

#include "common/interrupts.h"
#include "common/output_file.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "packing/packing.h"
#include "temperature/temperature.h"

namespace {

void markKeptLines(const int* order, int offset, int count, bool* kept)
{
    std::memset(kept, 0, sizeof(bool) * kTableSide);
    for (int i = 1; i <= count; i++)
        kept[order[i + offset]] = true;
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

// Packs and measures the random matrix in workingMatrix, as the observed
// one was; leaves its temperature in matrixTemperature.
void measureRandomMatrix()
{
    resetAnalysisState();
    rowCount = savedRowCount;
    columnCount = savedColumnCount;
    packMatrix();
    computeTemperature();
}

// A random matrix of Er or Ce counts toward its P value when it is at least
// as cold (as nested) as the observed matrix; equality counts.
void tallyTemperature(float* sum, int* colderCount)
{
    if (matrixTemperature <= observedTemperature)
        ++*colderCount;
    *sum = static_cast<float>(static_cast<double>(*sum) + matrixTemperature);
}

void completeSummaryLine()
{
    appendToSummary(formatText("%02.2f %02.2f %02.2f %02.2f\n", erTemperatureSum,
                               static_cast<double>(erColderCount) / simulationCount,
                               ceTemperatureSum,
                               static_cast<double>(ceColderCount) / simulationCount));
}

}  // namespace

void keepAnalysedBlock()
{
    static bool keptRow[kTableSide], keptColumn[kTableSide];
    markKeptLines(rowOrder, removedFullRows, savedRowCount, keptRow);
    markKeptLines(columnOrder, removedFullColumns, savedColumnCount, keptColumn);
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

void drawErMatrix()
{
    const int rows = savedRowCount, columns = savedColumnCount;
    int ones = 0;
    for (int i = 1; i <= rows; i++) {
        std::memset(&workingMatrix[i][1], 0, static_cast<std::size_t>(columns));
        ones += rowOnes(i, columns);
    }
    fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    const int threshold = static_cast<int>(static_cast<double>(fillFraction) * 10000);
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++)
            workingMatrix[i][j] = drawCell(threshold);
    for (int i = 1; i <= rows; i++)
        if (workingRowIsEmpty(i, columns))
            workingMatrix[i][drawPosition(columns)] = 1;
    for (int j = 1; j <= columns; j++)
        if (workingColumnIsEmpty(j, rows))
            workingMatrix[drawPosition(rows)][j] = 1;
}

void drawCeMatrix()
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int i = 1; i <= rows; i++) {
        std::memset(&workingMatrix[i][1], 0, static_cast<std::size_t>(columns));
        rowFillFraction[i] = static_cast<float>(static_cast<double>(rowOnes(i, columns)) / columns);
    }
    for (int j = 1; j <= columns; j++)
        columnFillFraction[j] = static_cast<float>(static_cast<double>(columnOnes(j, rows)) / rows);
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFillFraction[i]) + columnFillFraction[j]) / 2;
            workingMatrix[i][j] = drawCell(static_cast<int>(meanFill * 10000));
        }
}

void drawLiMatrix()
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int i = 1; i <= rows; i++) {
        std::memset(&workingMatrix[i][1], 0, static_cast<std::size_t>(columns));
        for (int placed = rowOnes(i, columns); placed > 0; placed--) {
            int j;
            do
                j = drawPosition(columns);
            while (workingMatrix[i][j] == 1);
            workingMatrix[i][j] = 1;
        }
    }
}

void drawCoMatrix()
{
    const int rows = savedRowCount, columns = savedColumnCount;
    for (int j = 1; j <= columns; j++) {
        for (int i = 1; i <= rows; i++)
            workingMatrix[i][j] = 0;
        for (int placed = columnOnes(j, rows); placed > 0; placed--) {
            int i;
            do
                i = drawPosition(rows);
            while (workingMatrix[i][j] == 1);
            workingMatrix[i][j] = 1;
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

void runTemperatureNullModels()
{
    keepAnalysedBlock();
    erTemperatureSum = ceTemperatureSum = 0;
    erColderCount = ceColderCount = 0;
    OutputFile nullModelFile(nullModelFileName);
    nullModelFile.write("Er    Ce    Li    Co    \n");
    for (runNumber = 1; runNumber <= simulationCount; runNumber++) {
        stopIfInterrupted();
        showSpinner();
        float temperatures[4];
        drawErMatrix();
        measureRandomMatrix();
        temperatures[0] = matrixTemperature;
        tallyTemperature(&erTemperatureSum, &erColderCount);

        drawCeMatrix();
        measureRandomMatrix();
        temperatures[1] = matrixTemperature;
        tallyTemperature(&ceTemperatureSum, &ceColderCount);

        drawLiMatrix();
        measureRandomMatrix();
        temperatures[2] = matrixTemperature;

        drawCoMatrix();
        measureRandomMatrix();
        temperatures[3] = matrixTemperature;

        // The whole line in one write, flushed: the file holds whole lines
        // after every simulation, whatever stops the program.
        nullModelFile.print("%05.02f %05.02f %05.02f %05.02f\n", temperatures[0], temperatures[1],
                            temperatures[2], temperatures[3]);
        nullModelFile.flush();
    }
    erTemperatureSum = static_cast<float>(static_cast<double>(erTemperatureSum) / simulationCount);
    ceTemperatureSum = static_cast<float>(static_cast<double>(ceTemperatureSum) / simulationCount);
    completeSummaryLine();
}
