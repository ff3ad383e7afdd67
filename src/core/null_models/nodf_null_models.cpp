// Random matrices of the NODF's null models, their NODF, and the runs of
// simulations.
#include "core/null_models/nodf_draws.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/null_models.h"
#include "core/nodf/nodf_metric.h"
#include "core/null_models/draw_tables.h"
#include "core/null_models/fixed_fixed.h"
#include "core/null_models/null_model_runs.h"

namespace bravolin {

namespace {

// The threshold of a cell draw for a fill fraction. A matrix without cells
// has a fraction 0/0 and no cell to draw; its threshold is then 0.
int thresholdFor(double fraction)
{
    return fraction >= 0 && fraction <= 1 ? static_cast<int>(10000 * fraction) : 0;
}

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

// One simulation: its random matrices (Er, Ce, Li, Co, and FF when it
// runs) and their NODF.
struct NodfSimulation {
    int run = 0;
    int rows = 0, columns = 0;
    bool order = false;
    int models = kNullModels;
    CellMatrix matrices[kAllNullModels];
    std::array<NodfValues, kAllNullModels> values = {};
};

void measureSimulation(NodfContext& worker, NodfSimulation& simulation, const StopRequest& stop)
{
    for (int model = 0; model < simulation.models; model++) {
        measureNodf(worker, simulation.matrices[model], simulation.rows, simulation.columns, simulation.order, false,
                    stop);
        simulation.values[static_cast<std::size_t>(model)] = {worker.nodfRows, worker.nodfColumns, worker.nodfTotal};
    }
}

void drawSimulation(const NodfDrawPlan& plan, Generator& generator, NodfSimulation& simulation, int run,
                    const StopRequest& stop)
{
    simulation.run = run;
    simulation.rows = plan.rows;
    simulation.columns = plan.columns;
    for (int model = 0; model < kNullModels; model++)
        simulation.matrices[model].resize(plan.rows, plan.columns);
    drawNodfErMatrix(plan, generator, simulation.matrices[Er], stop);
    repairEmptyLines(plan, generator, simulation.matrices[Er], stop);
    drawNodfCeMatrix(plan, generator, simulation.matrices[Ce], stop);
    repairEmptyLines(plan, generator, simulation.matrices[Ce], stop);
    drawNodfLiMatrix(plan, generator, simulation.matrices[Li], stop);
    drawNodfCoMatrix(plan, generator, simulation.matrices[Co], stop);
}

}  // namespace

int indexOfDraw(int r, int k)
{
    const float u = drawFractions()[r];
    const double scaled = (k - 1) * static_cast<double>(u);
    const int index = static_cast<int>(scaled);
    return index + 0.5 < scaled && index < k - 1 ? index + 1 : index;
}

NodfDrawPlan planNodfDraws(const Matrix& matrix, const StopRequest& stop)
{
    NodfDrawPlan plan;
    const int rows = plan.rows = matrix.rows(), columns = plan.columns = matrix.columns();
    plan.rowOnes.assign(static_cast<std::size_t>(rows), 0);
    plan.columnOnes.assign(static_cast<std::size_t>(columns), 0);
    int ones = 0;
    for (int r = 0; r < rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < columns; c++) {
            plan.rowOnes[static_cast<std::size_t>(r)] += cells[c];
            plan.columnOnes[static_cast<std::size_t>(c)] += cells[c];
            ones += cells[c];
        }
    }
    const float fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    plan.erThreshold = thresholdFor(fillFraction);
    std::vector<float> rowFill(static_cast<std::size_t>(rows)), columnFill(static_cast<std::size_t>(columns));
    for (int r = 0; r < rows; r++)
        rowFill[static_cast<std::size_t>(r)] =
            static_cast<float>(static_cast<double>(plan.rowOnes[static_cast<std::size_t>(r)]) / columns);
    for (int c = 0; c < columns; c++)
        columnFill[static_cast<std::size_t>(c)] =
            static_cast<float>(static_cast<double>(plan.columnOnes[static_cast<std::size_t>(c)]) / rows);
    plan.ceThresholds.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int r = 0; r < rows; r++) {
        stop.abandonAtLineIfRequested(r);
        for (int c = 0; c < columns; c++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill =
                (static_cast<double>(rowFill[static_cast<std::size_t>(r)]) + columnFill[static_cast<std::size_t>(c)]) / 2;
            plan.ceThresholds[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                              static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(thresholdFor(meanFill));
        }
    }
    // A side without lines is never drawn from.
    if (columns > 0)
        plan.columnIndexes = drawTable(columns, indexOfDraw);
    if (rows > 0)
        plan.rowIndexes = drawTable(rows, indexOfDraw);
    return plan;
}

void repairEmptyLines(const NodfDrawPlan& plan, Generator& generator, CellMatrix& matrix, const StopRequest& stop)
{
    const int rows = plan.rows, columns = plan.columns;
    // A matrix without rows or without columns has no cell to put a 1 in.
    if (rows == 0 || columns == 0)
        return;
    const std::uint16_t* columnIndex = plan.columnIndexes.data();
    const std::uint16_t* rowIndex = plan.rowIndexes.data();
    for (int r = 0; r < rows; r++) {
        stop.abandonAtLineIfRequested(r);
        if (rowIsEmpty(matrix, r, columns))
            matrix[r][columnIndex[generator.draw()]] = 1;
    }
    for (int c = 0; c < columns; c++) {
        stop.abandonAtLineIfRequested(c);
        if (columnIsEmpty(matrix, c, rows))
            matrix[rowIndex[generator.draw()]][c] = 1;
    }
}

// A cell draw is 1 when the draw's share of 10000 is below the cell's
// threshold (a threshold of 10000 still gives 0 for the draw 32767).
void drawNodfErMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const std::uint16_t* share = cellShares();
    const int threshold = plan.erThreshold;
    for (int r = 0; r < plan.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* row = out[r];
        for (int c = 0; c < plan.columns; c++)
            row[c] = share[generator.draw()] < threshold ? 1 : 0;
    }
}

void drawNodfCeMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    const std::uint16_t* share = cellShares();
    for (int r = 0; r < plan.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* row = out[r];
        const std::uint16_t* thresholds = plan.ceThresholds.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(plan.columns);
        for (int c = 0; c < plan.columns; c++)
            row[c] = share[generator.draw()] < thresholds[c] ? 1 : 0;
    }
}

void drawNodfLiMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    if (plan.columns == 0)
        return;
    const std::uint16_t* columnIndex = plan.columnIndexes.data();
    for (int r = 0; r < plan.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* row = out[r];
        std::fill(row, row + plan.columns, 0);
        for (int placed = plan.rowOnes[static_cast<std::size_t>(r)]; placed > 0; placed--) {
            int c;
            do
                c = columnIndex[generator.draw()];
            while (row[c] == 1);
            row[c] = 1;
        }
    }
}

void drawNodfCoMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    if (plan.rows == 0)
        return;
    const std::uint16_t* rowIndex = plan.rowIndexes.data();
    // Each column is cleared and filled on its own; clearing them all first
    // reads the matrix in order instead of down its columns.
    for (int r = 0; r < plan.rows; r++)
        std::fill(out[r], out[r] + plan.columns, 0);
    for (int c = 0; c < plan.columns; c++) {
        stop.abandonAtLineIfRequested(c);
        for (int placed = plan.columnOnes[static_cast<std::size_t>(c)]; placed > 0; placed--) {
            int r;
            do
                r = rowIndex[generator.draw()];
            while (out[r][c] == 1);
            out[r][c] = 1;
        }
    }
}

NodfNullModels runNodfNullModels(const Matrix& matrix, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings, const NodfSimulationDone& onSimulation)
{
    checkNullModelSettings(settings);
    if (observed.rows != matrix.rows() || observed.columns != matrix.columns())
        throw Error("the observed analysis is of a matrix of another size");
    NodfDrawPlan plan;
    NodfNullModels result;
    std::optional<CurveballChain> chain;
    try {
        const StopRequest stop(settings.stop, nullptr);
        plan = planNodfDraws(matrix, stop);
        result.fixedFixedRun = planFixedFixedRun(settings, matrix.rows(), generator.state());
        if (result.fixedFixedRun.ran)
            chain.emplace(matrix.cells(), matrix.rows(), matrix.columns(), result.fixedFixedRun.seed, stop);
    } catch (const SimulationAbandoned&) {
        result.run = stoppedBeforeStart(settings);
        return result;
    }
    const FixedFixedRun& ff = result.fixedFixedRun;
    float sumEr = 0, sumCe = 0;
    // Only a total above the observed one counts toward the P value.
    auto tally = [&observed](float total, float& sum, int& above) {
        sum = static_cast<float>(static_cast<double>(sum) + total);
        if (total > observed.nodf.total)
            above++;
    };
    auto finish = [&](NodfSimulation& simulation) {
        tally(simulation.values[Er].total, sumEr, result.aboveEr);
        tally(simulation.values[Ce].total, sumCe, result.aboveCe);
        std::array<NodfValues, kNullModels> values;
        std::copy(simulation.values.begin(), simulation.values.begin() + kNullModels, values.begin());
        result.values.push_back(values);
        if (chain)
            result.fixedFixed.push_back(simulation.values[FF]);
        if (onSimulation)
            onSimulation(simulation.run, values);
    };
    const std::size_t matrixBytes =
        (static_cast<std::size_t>(plan.rows) + 1) * (static_cast<std::size_t>(plan.columns) + 1);
    const int models = chain ? kAllNullModels : kNullModels;
    result.run = runSimulations<NodfSimulation, NodfContext>(
        settings, static_cast<std::size_t>(models) * matrixBytes, measureSimulation,
        [&](NodfSimulation& simulation, int run, const StopRequest& stop) {
            simulation.order = observed.ordered;
            drawSimulation(plan, generator, simulation, run, stop);
            simulation.models = models;
            if (chain) {
                chain->advance(run == 1 ? ff.burnIn : ff.thin, stop);
                simulation.matrices[FF].resize(plan.rows, plan.columns);
                chain->copyTo(simulation.matrices[FF], 0, stop);
            }
        },
        finish);
    if (result.run.completed > 0) {
        result.meanTotalEr = static_cast<float>(static_cast<double>(sumEr) / result.run.completed);
        result.meanTotalCe = static_cast<float>(static_cast<double>(sumCe) / result.run.completed);
    }
    return result;
}

}  // namespace bravolin
