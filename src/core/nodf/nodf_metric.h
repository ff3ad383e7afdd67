// The NODF nestedness metric: the paired overlap of every pair of rows and
// of columns of a matrix, optionally after ordering rows and columns by
// decreasing totals, pooled into the NODF of the rows, of the columns and
// in total.
#ifndef BRAVOLIN_CORE_NODF_NODF_METRIC_H
#define BRAVOLIN_CORE_NODF_NODF_METRIC_H

#include <cstdint>
#include <vector>

#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

// The NODF of one matrix and the storage it is computed with, sized to the
// matrix. The observed matrix has one; so has every worker that measures
// random matrices. Rows and columns are numbered from 0.
struct NodfContext {
    int rows = 0;
    int columns = 0;
    std::vector<int> rowTotals, columnTotals;
    // The row and column of the measured matrix at each position of the
    // order measured. Ordering exchanges these numbers instead of whole
    // rows and columns: an exchange sort of 3000 rows can make millions of
    // exchanges.
    std::vector<int> rowSource, columnSource;
    std::vector<int> chain;          // scratch of the ordering
    // Rows and columns in the order measured as bits, 64 cells a word.
    std::vector<std::uint64_t> packedRows, packedColumns;
    int rowWords = 0, columnWords = 0;
    // Entry [k * side + i], k > i: the paired value of the earlier line i
    // and the later line k; every other entry 0. Filled only when asked
    // for (the observed matrix, whose tables are part of its result).
    std::vector<float> rowPairTable, columnPairTable;
    // shares[later * (later + 1) / 2 + shared]: shared / later in single
    // precision, for every later total up to shareSide; a pair value is a
    // lookup instead of a division.
    std::vector<float> shares;
    int shareSide = -1;
    float nodfRows = 0, nodfColumns = 0, nodfTotal = 0;
};

// Measures the rows x columns cells of matrix (from index 0), ordered by
// decreasing totals when order is set: fills the orders, the totals,
// nodfRows, nodfColumns and nodfTotal, and both pair tables when
// keepPairTables is set. A matrix with a single row or column, or none,
// gives a not-a-number for the side without pairs. The measurement gives
// up between two blocks of lines once stop is requested.
void measureNodf(NodfContext& ctx, const CellMatrix& matrix, int rows, int columns, bool order,
                 bool keepPairTables, const StopRequest& stop = {});

}  // namespace bravolin

#endif
