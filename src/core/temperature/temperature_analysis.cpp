// The temperature of a matrix, as the library gives it: the packing and the
// isocline's measurement of one matrix, their results in indices from 0.
#include <cstddef>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/temperature.h"
#include "core/packing/packing.h"
#include "core/temperature/isocline.h"

namespace bravolin {

namespace {

// Points enough for a smooth curve at any size of picture.
constexpr int kIsoclineSamples = 400;

// The lines packing kept, in packed order, as indices from 0.
std::vector<int> keptOrder(const std::vector<int>& order, int offset, int count)
{
    std::vector<int> kept(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; i++)
        kept[static_cast<std::size_t>(i - 1)] = order[static_cast<std::size_t>(i + offset)] - 1;
    return kept;
}

std::vector<UnexpectedCell> unexpectedCells(const TemperatureContext& measured, const PackingContext& packed,
                                            const StopRequest& stop)
{
    std::vector<UnexpectedCell> cells;
    const int rows = packed.rowCount, columns = packed.columnCount;
    const std::size_t width = static_cast<std::size_t>(columns) + 1;
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        for (int j = 1; j <= columns; j++) {
            const std::size_t cell = static_cast<std::size_t>(i) * width + static_cast<std::size_t>(j);
            if (measured.cellUnexpected[cell])
                cells.push_back({i - 1, j - 1, packed.matrix[i][j] == 1, measured.cellPart[cell]});
        }
    }
    return cells;
}

}  // namespace

TemperatureResult analyseTemperature(const Matrix& matrix, const TemperatureOptions& options)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    if (rows == 0 || columns == 0)
        throw Error("a matrix needs at least one row and one column for its temperature");
    PackingContext packing;
    startMatrix(packing, rows, columns);
    long long ones = 0;
    for (int r = 1; r <= rows; r++) {
        const std::uint8_t* cells = matrix.row(r - 1);
        for (int c = 1; c <= columns; c++) {
            packing.matrix[r][c] = cells[c - 1];
            ones += cells[c - 1];
        }
    }
    packing.occupiedCount = static_cast<int>(ones);

    TemperatureResult result;
    result.rows = rows;
    result.columns = columns;
    result.fill = fillPercentage(ones, rows, columns);
    const PackingWatch watch{options.onPackingPass, options.packingHistory ? &result.packingHistory : nullptr};
    TemperatureContext measured;
    measured.keepCellParts = options.unexpectedCells;
    const StopRequest stop(options.stop, nullptr);
    try {
        packMatrix(packing, stop, &watch);
        computeTemperature(measured, packing, stop);
        if (options.unexpectedCells)
            result.unexpected = unexpectedCells(measured, packing, stop);
    } catch (const SimulationAbandoned&) {
        throw Stopped();
    }

    result.rowOrder = keptOrder(packing.rowOrder, packing.removedFullRows, packing.rowCount);
    result.columnOrder = keptOrder(packing.columnOrder, packing.removedFullColumns, packing.columnCount);
    result.packedFill = packing.packedPercentFill;
    result.temperature = measured.matrixTemperature;
    result.rowTemperature.assign(measured.rowTemperature.begin() + 1, measured.rowTemperature.end());
    result.columnTemperature.assign(measured.columnTemperature.begin() + 1, measured.columnTemperature.end());
    result.isoclineParameter = measured.isoclineParameter;
    for (const auto& point : isoclinePoints(measured, kIsoclineSamples))
        result.isocline.push_back({point.first, point.second});
    return result;
}

Matrix packedMatrix(const Matrix& matrix, const TemperatureResult& result)
{
    return matrix.reordered(result.rowOrder, result.columnOrder);
}

}  // namespace bravolin
