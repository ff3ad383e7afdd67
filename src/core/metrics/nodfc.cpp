// NODFc: NODF relative to the largest NODF of the matrix's size and
// presences, divided by fill times the logarithm of size, on the matrix
// without its empty rows and columns.
#include <cstddef>
#include <limits>
#include <vector>

#include "bravolin/metrics.h"
#include "core/deterministic_math.h"

namespace bravolin {

namespace {

// The lines of a side that hold a presence.
std::vector<int> nonEmptyLines(const Matrix& matrix, bool rows)
{
    const int count = rows ? matrix.rows() : matrix.columns();
    const int length = rows ? matrix.columns() : matrix.rows();
    std::vector<int> lines;
    for (int i = 0; i < count; i++)
        for (int k = 0; k < length; k++)
            if ((rows ? matrix.at(i, k) : matrix.at(k, i)) != 0) {
                lines.push_back(i);
                break;
            }
    return lines;
}

}  // namespace

NodfcResult nodfc(const Matrix& matrix, NodfMaxCache& cache)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Matrix measured = matrix.reordered(nonEmptyLines(matrix, true), nonEmptyLines(matrix, false));
    NodfcResult result;
    result.rows = measured.rows();
    result.columns = measured.columns();
    result.presences = measured.presences();
    const double cells = static_cast<double>(result.rows) * static_cast<double>(result.columns);
    result.fill = cells > 0 ? static_cast<double>(result.presences) / cells : nan;
    result.nodf = nodf(measured).total;
    result.nodfMax = nan;
    result.nodfMaxRatio = nan;
    result.nodfc = nan;
    if (result.presences == 0)
        return result;
    const NodfMax max = cache.get(result.rows, result.columns, result.presences);
    result.nodfMax = max.value;
    result.exhaustive = max.exhaustive;
    if (!(max.value > 0))
        return result;
    result.nodfMaxRatio = result.nodf / max.value;
    // log of the geometric mean sqrt(rows x columns), as half the log of
    // the product: one rounding fewer.
    const double logSize = 0.5 * deterministicLog(cells);
    if (logSize > 0)
        result.nodfc = result.nodfMaxRatio / (result.fill * logSize);
    return result;
}

}  // namespace bravolin
