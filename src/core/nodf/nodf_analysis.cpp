// The NODF of a matrix, as the library gives it.
#include <cstddef>
#include <limits>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/nodf.h"
#include "core/nodf/nodf_metric.h"
#include "core/packing/packing.h"

namespace bravolin {

NodfResult analyseNodf(const Matrix& matrix, bool order, const std::atomic<bool>* stop)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    const StopRequest stopRequest(stop, nullptr);
    CellMatrix cells;
    cells.resize(rows, columns);
    long long ones = 0;
    NodfContext measured;
    try {
        for (int r = 0; r < rows; r++) {
            stopRequest.abandonAtLineIfRequested(r);
            const std::uint8_t* from = matrix.row(r);
            std::copy(from, from + columns, cells[r]);
            for (int c = 0; c < columns; c++)
                ones += from[c];
        }
        measureNodf(measured, cells, rows, columns, order, true, stopRequest);
    } catch (const SimulationAbandoned&) {
        throw Stopped();
    }
    NodfResult result;
    result.rows = rows;
    result.columns = columns;
    result.fill = rows > 0 && columns > 0 ? fillPercentage(ones, rows, columns) : std::numeric_limits<float>::quiet_NaN();
    result.ordered = order;
    result.nodf = {measured.nodfRows, measured.nodfColumns, measured.nodfTotal};
    result.rowOrder = measured.rowSource;
    result.columnOrder = measured.columnSource;
    result.rowPairs = std::move(measured.rowPairTable);
    result.columnPairs = std::move(measured.columnPairTable);
    return result;
}

Matrix orderedMatrix(const Matrix& matrix, const NodfResult& result)
{
    return matrix.reordered(result.rowOrder, result.columnOrder);
}

float nodfPercent(float fraction)
{
    return static_cast<float>(static_cast<double>(fraction) * 100);
}

}  // namespace bravolin
