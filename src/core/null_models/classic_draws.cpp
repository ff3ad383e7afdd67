// The plan and the draws of the classic null models, compiled for the
// rules of each analysis.
#include "core/null_models/classic_draws.h"

#include <algorithm>

#include "core/null_models/draw_tables.h"

namespace bravolin {

namespace {

// The threshold of a cell draw for a fill fraction. A block without cells
// has a fraction 0/0 and no cell to draw; its threshold is then 0.
int thresholdFor(double fraction)
{
    return fraction >= 0 && fraction <= 1 ? static_cast<int>(10000 * fraction) : 0;
}

// The draw's fraction times scale, rounded to the nearest integer, halves
// down, and at most most.
int roundedShare(int r, int scale, int most)
{
    const double scaled = scale * static_cast<double>(drawFractions()[r]);
    const int share = static_cast<int>(scaled);
    return share + 0.5 < scaled && share < most ? share + 1 : share;
}

std::size_t at(int line)
{
    return static_cast<std::size_t>(line);
}

// Puts count presences at distinct positions of one line: each position is
// drawn from positions until it falls on an absence; cell(p) is the line's
// cell at position p.
template <typename Cell>
void placePresences(int count, const std::uint16_t* positions, Generator& generator, Cell cell)
{
    for (int placed = count; placed > 0; placed--) {
        unsigned char* drawn;
        do
            drawn = &cell(positions[generator.draw()]);
        while (*drawn == 1);
        *drawn = 1;
    }
}

}  // namespace

int TemperatureDrawRules::position(int r, int k)
{
    const int position = roundedShare(r, k, k);
    return position == 0 ? 1 : position;
}

int NodfDrawRules::position(int r, int k)
{
    return roundedShare(r, k - 1, k - 1);
}

template <typename Rules>
ClassicDrawPlan planClassicDraws(const CellMatrix& block, int rows, int columns, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    ClassicDrawPlan plan;
    plan.rows = rows;
    plan.columns = columns;
    plan.rowOnes.assign(at(rows + o), 0);
    plan.columnOnes.assign(at(columns + o), 0);
    int ones = 0;
    for (int i = o; i < rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        for (int j = o; j < columns + o; j++) {
            plan.rowOnes[at(i)] += block[i][j];
            plan.columnOnes[at(j)] += block[i][j];
            ones += block[i][j];
        }
    }
    const float fillFraction = static_cast<float>(static_cast<double>(ones) / (rows * columns));
    plan.erThreshold = thresholdFor(fillFraction);
    std::vector<float> rowFill(at(rows + o)), columnFill(at(columns + o));
    for (int i = o; i < rows + o; i++)
        rowFill[at(i)] = static_cast<float>(static_cast<double>(plan.rowOnes[at(i)]) / columns);
    for (int j = o; j < columns + o; j++)
        columnFill[at(j)] = static_cast<float>(static_cast<double>(plan.columnOnes[at(j)]) / rows);
    const std::size_t width = at(columns + o);
    plan.ceThresholds.resize(at(rows + o) * width);
    for (int i = o; i < rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        for (int j = o; j < columns + o; j++) {
            // The mean of the two fills is not rounded to single precision.
            const double meanFill = (static_cast<double>(rowFill[at(i)]) + columnFill[at(j)]) / 2;
            plan.ceThresholds[at(i) * width + at(j)] = static_cast<std::uint16_t>(thresholdFor(meanFill));
        }
    }
    if (columns > 0)
        plan.columnPositions = drawTable(columns, Rules::position);
    if (rows > 0)
        plan.rowPositions = drawTable(rows, Rules::position);
    return plan;
}

template <typename Rules>
void drawErCells(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    const std::uint16_t* share = cellShares();
    const int threshold = plan.erThreshold;
    for (int i = o; i < plan.rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        for (int j = o; j < plan.columns + o; j++)
            row[j] = share[generator.draw()] < threshold ? 1 : 0;
    }
}

template <typename Rules>
void drawCeCells(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    const std::uint16_t* share = cellShares();
    const std::size_t width = at(plan.columns + o);
    for (int i = o; i < plan.rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        const std::uint16_t* thresholds = plan.ceThresholds.data() + at(i) * width;
        for (int j = o; j < plan.columns + o; j++)
            row[j] = share[generator.draw()] < thresholds[j] ? 1 : 0;
    }
}

template <typename Rules>
void drawLiMatrix(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    if (plan.columns == 0)
        return;
    for (int i = o; i < plan.rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        unsigned char* row = out[i];
        std::fill(row + o, row + o + plan.columns, 0);
        placePresences(plan.rowOnes[at(i)], plan.columnPositions.data(), generator,
                       [row](int j) -> unsigned char& { return row[j]; });
    }
}

template <typename Rules>
void drawCoMatrix(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    if (plan.rows == 0)
        return;
    // Each column is cleared and filled on its own; clearing them all first
    // reads the matrix in order instead of down its columns.
    for (int i = o; i < plan.rows + o; i++)
        std::fill(out[i] + o, out[i] + o + plan.columns, 0);
    for (int j = o; j < plan.columns + o; j++) {
        stop.abandonAtLineIfRequested(j);
        placePresences(plan.columnOnes[at(j)], plan.rowPositions.data(), generator,
                       [&out, j](int i) -> unsigned char& { return out[i][j]; });
    }
}

template <typename Rules>
void repairEmptyLines(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& matrix, const StopRequest& stop)
{
    constexpr int o = Rules::kOrigin;
    const int rows = plan.rows, columns = plan.columns;
    // A block without rows or without columns has no cell to put a 1 in.
    if (rows == 0 || columns == 0)
        return;
    const std::uint16_t* columnPosition = plan.columnPositions.data();
    const std::uint16_t* rowPosition = plan.rowPositions.data();
    for (int i = o; i < rows + o; i++) {
        stop.abandonAtLineIfRequested(i);
        if (rowIsEmpty(matrix, i, o, columns))
            matrix[i][columnPosition[generator.draw()]] = 1;
    }
    for (int j = o; j < columns + o; j++) {
        stop.abandonAtLineIfRequested(j);
        if (columnIsEmpty(matrix, j, o, rows))
            matrix[rowPosition[generator.draw()]][j] = 1;
    }
}

template <typename Rules>
void drawClassicModels(const ClassicDrawPlan& plan, Generator& generator, CellMatrix* out, const StopRequest& stop)
{
    for (int model = 0; model < 4; model++)
        out[model].resize(plan.rows, plan.columns);
    drawErCells<Rules>(plan, generator, out[0], stop);
    repairEmptyLines<Rules>(plan, generator, out[0], stop);
    drawCeCells<Rules>(plan, generator, out[1], stop);
    if constexpr (Rules::kRepairsCe)
        repairEmptyLines<Rules>(plan, generator, out[1], stop);
    drawLiMatrix<Rules>(plan, generator, out[2], stop);
    drawCoMatrix<Rules>(plan, generator, out[3], stop);
}

#define BRAVOLIN_CLASSIC_DRAWS(Rules)                                                                           \
    template ClassicDrawPlan planClassicDraws<Rules>(const CellMatrix&, int, int, const StopRequest&);          \
    template void drawErCells<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&);      \
    template void drawCeCells<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&);      \
    template void drawLiMatrix<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&);     \
    template void drawCoMatrix<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&);     \
    template void repairEmptyLines<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&); \
    template void drawClassicModels<Rules>(const ClassicDrawPlan&, Generator&, CellMatrix*, const StopRequest&);

BRAVOLIN_CLASSIC_DRAWS(TemperatureDrawRules)
BRAVOLIN_CLASSIC_DRAWS(NodfDrawRules)

}  // namespace bravolin
