// Random matrices of the temperature's null models, their temperatures,
// and the runs of simulations.
#include "core/null_models/temperature_draws.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/null_models.h"
#include "core/null_models/draw_tables.h"
#include "core/null_models/fixed_fixed.h"
#include "core/null_models/null_model_runs.h"
#include "core/null_models/simulation_pipeline.h"

namespace bravolin {

namespace {

// One simulation: its random matrices (Er, Ce, Li, Co, and FF when it
// runs) and their temperatures.
struct TemperatureSimulation {
    int run = 0;
    int rows = 0, columns = 0;
    int models = kNullModels;
    CellMatrix matrices[kAllNullModels];
    float temperatures[kAllNullModels] = {};
};

void measureSimulation(TemperatureWorker& worker, TemperatureSimulation& simulation, const StopRequest& stop)
{
    for (int model = 0; model < simulation.models; model++)
        simulation.temperatures[model] =
            measureRandomMatrix(worker, simulation.matrices[model], simulation.rows, simulation.columns, stop);
}

void drawSimulation(const TemperatureDrawPlan& plan, Generator& generator, TemperatureSimulation& simulation,
                    int run, const StopRequest& stop)
{
    simulation.run = run;
    simulation.rows = plan.rows;
    simulation.columns = plan.columns;
    for (int model = 0; model < kNullModels; model++)
        simulation.matrices[model].resize(plan.rows, plan.columns);
    drawErMatrix(plan, generator, simulation.matrices[Er], stop);
    drawCeMatrix(plan, generator, simulation.matrices[Ce], stop);
    drawLiMatrix(plan, generator, simulation.matrices[Li], stop);
    drawCoMatrix(plan, generator, simulation.matrices[Co], stop);
}

// Marks the lines that order holds; throws Error for an order that cannot
// be a packing's of lines lines.
std::vector<bool> keptLines(const std::vector<int>& order, int lines, const char* what)
{
    if (order.empty())
        throw Error(std::string("the observed analysis kept no ") + what + ": give the result of analyseTemperature");
    std::vector<bool> kept(static_cast<std::size_t>(lines), false);
    for (int line : order) {
        if (line < 0 || line >= lines || kept[static_cast<std::size_t>(line)])
            throw Error(std::string("the observed analysis's ") + what + " order does not fit a matrix of " +
                        std::to_string(lines) + " " + what + "s: give the result of analyseTemperature");
        kept[static_cast<std::size_t>(line)] = true;
    }
    return kept;
}

// The block's cells, row by row from index 0, for the FF chain.
std::vector<std::uint8_t> cellsOfBlock(const CellMatrix& block, int rows, int columns)
{
    std::vector<std::uint8_t> cells;
    cells.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int i = 1; i <= rows; i++)
        cells.insert(cells.end(), block[i] + 1, block[i] + 1 + columns);
    return cells;
}

}  // namespace

CellMatrix analysedBlock(const Matrix& matrix, const TemperatureResult& observed, int* rows, int* columns,
                         const StopRequest& stop)
{
    const std::vector<bool> keptRow = keptLines(observed.rowOrder, matrix.rows(), "row");
    const std::vector<bool> keptColumn = keptLines(observed.columnOrder, matrix.columns(), "column");
    *rows = observed.packedRows();
    *columns = observed.packedColumns();
    CellMatrix block;
    block.resize(*rows, *columns);
    int i = 0;
    for (int row = 0; row < matrix.rows(); row++) {
        stop.abandonAtLineIfRequested(row);
        if (!keptRow[static_cast<std::size_t>(row)])
            continue;
        i++;
        const std::uint8_t* cells = matrix.row(row);
        int j = 0;
        for (int column = 0; column < matrix.columns(); column++)
            if (keptColumn[static_cast<std::size_t>(column)])
                block[i][++j] = cells[column];
    }
    return block;
}

int positionOfDraw(int r, int k)
{
    const float u = drawFractions()[r];
    const double scaled = k * static_cast<double>(u);
    int position = static_cast<int>(scaled);
    if (position + 0.5 < scaled && position < k)
        position++;
    return position == 0 ? 1 : position;
}

TemperatureDrawPlan planTemperatureDraws(const CellMatrix& block, int rows, int columns, const StopRequest& stop)
{
    TemperatureDrawPlan plan;
    plan.rows = rows;
    plan.columns = columns;
    plan.rowOnes.assign(static_cast<std::size_t>(rows) + 1, 0);
    plan.columnOnes.assign(static_cast<std::size_t>(columns) + 1, 0);
    int ones = 0;
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        for (int j = 1; j <= columns; j++) {
            plan.rowOnes[static_cast<std::size_t>(i)] += block[i][j];
            plan.columnOnes[static_cast<std::size_t>(j)] += block[i][j];
            ones += block[i][j];
        }
    }
    const float fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    plan.erThreshold = static_cast<int>(static_cast<double>(fillFraction) * 10000);
    std::vector<float> rowFill(static_cast<std::size_t>(rows) + 1), columnFill(static_cast<std::size_t>(columns) + 1);
    for (int i = 1; i <= rows; i++)
        rowFill[static_cast<std::size_t>(i)] =
            static_cast<float>(static_cast<double>(plan.rowOnes[static_cast<std::size_t>(i)]) / columns);
    for (int j = 1; j <= columns; j++)
        columnFill[static_cast<std::size_t>(j)] =
            static_cast<float>(static_cast<double>(plan.columnOnes[static_cast<std::size_t>(j)]) / rows);
    plan.ceThresholds.resize((static_cast<std::size_t>(rows) + 1) * (static_cast<std::size_t>(columns) + 1));
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        for (int j = 1; j <= columns; j++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill =
                (static_cast<double>(rowFill[static_cast<std::size_t>(i)]) + columnFill[static_cast<std::size_t>(j)]) / 2;
            plan.ceThresholds[static_cast<std::size_t>(i) * (static_cast<std::size_t>(columns) + 1) +
                              static_cast<std::size_t>(j)] = static_cast<std::uint16_t>(static_cast<int>(meanFill * 10000));
        }
    }
    plan.columnPositions = drawTable(columns, positionOfDraw);
    plan.rowPositions = drawTable(rows, positionOfDraw);
    return plan;
}

// A cell draw is 1 when the draw's share of 10000 is below the cell's
// threshold (a threshold of 10000 still gives 0 for the draw 32767).
void drawErMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const int rows = plan.rows, columns = plan.columns;
    const std::uint16_t* share = cellShares();
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        for (int j = 1; j <= columns; j++)
            row[j] = share[generator.draw()] < plan.erThreshold ? 1 : 0;
    }
    const std::uint16_t* columnPosition = plan.columnPositions.data();
    const std::uint16_t* rowPosition = plan.rowPositions.data();
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        if (rowIsEmpty(out, i, columns))
            out[i][columnPosition[generator.draw()]] = 1;
    }
    for (int j = 1; j <= columns; j++) {
        stop.abandonAtLineIfRequested(j);
        if (columnIsEmpty(out, j, rows))
            out[rowPosition[generator.draw()]][j] = 1;
    }
}

void drawCeMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const std::uint16_t* share = cellShares();
    const std::size_t width = static_cast<std::size_t>(plan.columns) + 1;
    for (int i = 1; i <= plan.rows; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        const std::uint16_t* thresholds = plan.ceThresholds.data() + static_cast<std::size_t>(i) * width;
        for (int j = 1; j <= plan.columns; j++)
            row[j] = share[generator.draw()] < thresholds[j] ? 1 : 0;
    }
}

void drawLiMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const std::uint16_t* columnPosition = plan.columnPositions.data();
    for (int i = 1; i <= plan.rows; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        std::fill(row + 1, row + 1 + plan.columns, 0);
        for (int placed = plan.rowOnes[static_cast<std::size_t>(i)]; placed > 0; placed--) {
            int j;
            do
                j = columnPosition[generator.draw()];
            while (row[j] == 1);
            row[j] = 1;
        }
    }
}

void drawCoMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const std::uint16_t* rowPosition = plan.rowPositions.data();
    // Each column is cleared and filled on its own; clearing them all first
    // reads the matrix in order instead of down its columns.
    for (int i = 1; i <= plan.rows; i++)
        std::fill(out[i] + 1, out[i] + 1 + plan.columns, 0);
    for (int j = 1; j <= plan.columns; j++) {
        stop.abandonAtLineIfRequested(j);
        for (int placed = plan.columnOnes[static_cast<std::size_t>(j)]; placed > 0; placed--) {
            int i;
            do
                i = rowPosition[generator.draw()];
            while (out[i][j] == 1);
            out[i][j] = 1;
        }
    }
}

float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn, int rows, int columns,
                          const StopRequest& stop)
{
    startMatrix(worker.packing, rows, columns);
    worker.packing.matrix.swap(drawn);
    // The drawn matrix goes back to its slot however the measurement ends.
    struct SwapBack {
        CellMatrix& a;
        CellMatrix& b;
        ~SwapBack() { a.swap(b); }
    } swapBack{worker.packing.matrix, drawn};
    packMatrix(worker.packing, stop);
    computeTemperature(worker.temperature, worker.packing, stop);
    return worker.temperature.matrixTemperature;
}

TemperatureNullModels runTemperatureNullModels(const Matrix& matrix, const TemperatureResult& observed,
                                               Generator& generator, const NullModelSettings& settings,
                                               const TemperatureSimulationDone& onSimulation)
{
    checkNullModelSettings(settings);
    if (observed.rows != matrix.rows() || observed.columns != matrix.columns())
        throw Error("the observed analysis is of a matrix of another size");
    int rows = 0, columns = 0;
    TemperatureDrawPlan plan;
    TemperatureNullModels result;
    std::optional<CurveballChain> chain;
    try {
        const StopRequest stop(settings.stop, nullptr);
        const CellMatrix block = analysedBlock(matrix, observed, &rows, &columns, stop);
        plan = planTemperatureDraws(block, rows, columns, stop);
        result.fixedFixedRun = planFixedFixedRun(settings, rows, generator.state());
        if (result.fixedFixedRun.ran)
            chain.emplace(cellsOfBlock(block, rows, columns), rows, columns, result.fixedFixedRun.seed, stop);
    } catch (const SimulationAbandoned&) {
        result.run = stoppedBeforeStart(settings);
        return result;
    }
    const FixedFixedRun& ff = result.fixedFixedRun;
    float sumEr = 0, sumCe = 0;
    // A random matrix of Er or Ce counts toward its P value when it is at
    // least as cold (as nested) as the observed matrix; equality counts.
    auto tally = [&observed](float temperature, float& sum, int& colder) {
        if (temperature <= observed.temperature)
            colder++;
        sum = static_cast<float>(static_cast<double>(sum) + temperature);
    };
    auto finish = [&](TemperatureSimulation& simulation) {
        std::array<float, kNullModels> temperatures;
        std::copy(simulation.temperatures, simulation.temperatures + kNullModels, temperatures.begin());
        tally(temperatures[Er], sumEr, result.colderEr);
        tally(temperatures[Ce], sumCe, result.colderCe);
        result.temperatures.push_back(temperatures);
        if (chain)
            result.fixedFixed.push_back(simulation.temperatures[FF]);
        if (onSimulation)
            onSimulation(simulation.run, temperatures);
    };
    const std::size_t matrixBytes = (static_cast<std::size_t>(rows) + 1) * (static_cast<std::size_t>(columns) + 1);
    const int models = chain ? kAllNullModels : kNullModels;
    result.run = runSimulations<TemperatureSimulation, TemperatureWorker>(
        settings, static_cast<std::size_t>(models) * matrixBytes, measureSimulation,
        [&](TemperatureSimulation& simulation, int run, const StopRequest& stop) {
            drawSimulation(plan, generator, simulation, run, stop);
            simulation.models = models;
            if (chain) {
                chain->advance(run == 1 ? ff.burnIn : ff.thin, stop);
                simulation.matrices[FF].resize(rows, columns);
                chain->copyTo(simulation.matrices[FF], 1, stop);
            }
        },
        finish);
    if (result.run.completed > 0) {
        result.meanEr = static_cast<float>(static_cast<double>(sumEr) / result.run.completed);
        result.meanCe = static_cast<float>(static_cast<double>(sumCe) / result.run.completed);
    }
    return result;
}

}  // namespace bravolin
