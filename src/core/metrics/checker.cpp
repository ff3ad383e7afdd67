// Checkerboard units and the C-score, from the shared rows of every pair
// of columns, counted on the columns packed into bits.
#include <cstddef>
#include <limits>

#include "bravolin/metrics.h"
#include "core/metrics/packed_lines.h"

namespace bravolin {

CheckerResult checker(const Matrix& matrix)
{
    const PackedLines columns = packedColumns(matrix);
    // At most 1500 x 1500 units per pair and 4.5 million pairs: well
    // within 64 bits, and exact in a double.
    long long units = 0;
    for (int a = 0; a < columns.count; a++) {
        const long long first = columns.totals[static_cast<std::size_t>(a)];
        for (int b = a + 1; b < columns.count; b++) {
            const long long shared = sharedCells(columns.line(a), columns.line(b), columns.words);
            units += (first - shared) * (columns.totals[static_cast<std::size_t>(b)] - shared);
        }
    }
    CheckerResult result;
    result.units = static_cast<double>(units);
    const double pairs = static_cast<double>(columns.count) * static_cast<double>(columns.count - 1) / 2.0;
    result.cScore = pairs > 0 ? result.units / pairs : std::numeric_limits<double>::quiet_NaN();
    return result;
}

}  // namespace bravolin
