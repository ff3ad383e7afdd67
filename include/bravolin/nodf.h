// The NODF metric: the paired overlap of every pair of rows and of columns,
// optionally after ordering rows and columns by decreasing totals, pooled
// into the NODF of the rows, of the columns and in total. Values are
// single-precision fractions from 0 to 1 (the console program prints them
// times 100), exactly those the console program prints from.
#ifndef BRAVOLIN_NODF_H
#define BRAVOLIN_NODF_H

#include <atomic>
#include <vector>

#include "bravolin/matrix.h"

namespace bravolin {

// NaN for a side without any pair to average (one line, or none).
struct NodfValues {
    float rows = 0, columns = 0, total = 0;
};

struct NodfResult {
    int rows = 0, columns = 0;
    float fill = 0;  // the matrix's percentage of presences, as the temperature's analysis gives it; NaN without cells
    bool ordered = false;
    NodfValues nodf;
    // The order measured: position i holds the matrix's row rowOrder[i].
    // Lines of equal totals keep the order the exchanges of the ordering
    // leave them in.
    std::vector<int> rowOrder, columnOrder;
    // rows x rows and columns x columns, by position in the order measured:
    // entry [k * rows + i], k > i, is the share of the later row k's
    // presences that the earlier row i also holds, counted when row i is
    // strictly fuller and row k holds any; every other entry is 0.
    std::vector<float> rowPairs, columnPairs;
};

// Measures the NODF of matrix, ordered by decreasing totals when order is
// set, in the order of the matrix otherwise. A matrix without rows or
// columns is measured too: a side without any pair to average is NaN. When
// stop is set (from any thread) while it runs, it gives up within
// milliseconds by throwing Stopped.
NodfResult analyseNodf(const Matrix& matrix, bool order, const std::atomic<bool>* stop = nullptr);

// The matrix in the order measured, with its names in that order.
Matrix orderedMatrix(const Matrix& matrix, const NodfResult& result);

// A NODF fraction as the percentage reports give: the float nearest to the
// fraction times 100. The statistics of the null models and the result
// tables use this value, so that a table's percentages give its statistics.
float nodfPercent(float fraction);

}  // namespace bravolin

#endif
