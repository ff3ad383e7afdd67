// The NODF of a matrix, as the library gives it.
#include <cstddef>
#include <vector>

#include "bravolin/nodf.h"
#include "core/nodf/nodf_metric.h"

namespace bravolin {

NodfResult analyseNodf(const Matrix& matrix, bool order)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    CellMatrix cells;
    cells.resize(rows, columns);
    for (int r = 0; r < rows; r++) {
        const std::uint8_t* from = matrix.row(r);
        std::copy(from, from + columns, cells[r]);
    }
    NodfContext measured;
    measureNodf(measured, cells, rows, columns, order, true);
    NodfResult result;
    result.rows = rows;
    result.columns = columns;
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

}  // namespace bravolin
