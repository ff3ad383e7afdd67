// NODF in double precision, and weighted NODF of abundances.
//
// Both are ordered by decreasing numbers of presences, so a pair of lines
// of different numbers has the richer line first and a pair of equal
// numbers scores 0 whatever their order: every pair is scored directly,
// the richer line as the upper one, without sorting. Pair values are added
// in double precision by first line, then second line.
#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

#include "bravolin/metrics.h"
#include "core/metrics/packed_lines.h"

namespace bravolin {

namespace {

double pairCount(int lines)
{
    return static_cast<double>(lines) * static_cast<double>(lines - 1) / 2.0;
}

// The sum of the paired overlaps of every pair of lines.
double overlapSum(const PackedLines& lines)
{
    double sum = 0;
    for (int a = 0; a < lines.count; a++) {
        const int first = lines.totals[static_cast<std::size_t>(a)];
        for (int b = a + 1; b < lines.count; b++) {
            const int second = lines.totals[static_cast<std::size_t>(b)];
            const int poorer = std::min(first, second);
            if (first == second || poorer == 0)
                continue;
            sum += static_cast<double>(sharedCells(lines.line(a), lines.line(b), lines.words)) / poorer;
        }
    }
    return sum;
}

// Percentages of the row and the column sums, NaN for a side without pairs.
NodfPercentages percentages(double rowSum, int rows, double columnSum, int columns)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double rowPairs = pairCount(rows), columnPairs = pairCount(columns);
    NodfPercentages values;
    values.rows = rowPairs > 0 ? 100.0 * rowSum / rowPairs : nan;
    values.columns = columnPairs > 0 ? 100.0 * columnSum / columnPairs : nan;
    values.total = rowPairs + columnPairs > 0 ? 100.0 * (rowSum + columnSum) / (rowPairs + columnPairs) : nan;
    return values;
}

// The sum of the weighted paired values of the lines of cells: count lines
// of length cells each, line i's cell k at cells[i * length + k]. Each pair
// reads the poorer line's presences only.
double weightedSum(const std::vector<double>& cells, int count, int length, bool wbinary)
{
    std::vector<std::vector<int>> present(static_cast<std::size_t>(count));
    for (int i = 0; i < count; i++)
        for (int k = 0; k < length; k++)
            if (cells[static_cast<std::size_t>(i) * static_cast<std::size_t>(length) + static_cast<std::size_t>(k)] > 0)
                present[static_cast<std::size_t>(i)].push_back(k);
    double sum = 0;
    for (int a = 0; a < count; a++) {
        for (int b = a + 1; b < count; b++) {
            const std::size_t na = present[static_cast<std::size_t>(a)].size(), nb = present[static_cast<std::size_t>(b)].size();
            if (na == nb || std::min(na, nb) == 0)
                continue;
            const int richer = na > nb ? a : b, poorer = na > nb ? b : a;
            const double* richerCells = cells.data() + static_cast<std::size_t>(richer) * static_cast<std::size_t>(length);
            const double* poorerCells = cells.data() + static_cast<std::size_t>(poorer) * static_cast<std::size_t>(length);
            int below = 0;
            for (int k : present[static_cast<std::size_t>(poorer)])
                below += poorerCells[k] < richerCells[k] || (wbinary && poorerCells[k] == richerCells[k]);
            sum += static_cast<double>(below) / static_cast<double>(std::min(na, nb));
        }
    }
    return sum;
}

std::vector<double> transposed(const AbundanceMatrix& matrix)
{
    const std::size_t rows = static_cast<std::size_t>(matrix.rows()), columns = static_cast<std::size_t>(matrix.columns());
    std::vector<double> cells(rows * columns);
    for (std::size_t r = 0; r < rows; r++)
        for (std::size_t c = 0; c < columns; c++)
            cells[c * rows + r] = matrix.cells()[r * columns + c];
    return cells;
}

}  // namespace

NodfPercentages nodf(const Matrix& matrix)
{
    return percentages(overlapSum(packedRows(matrix)), matrix.rows(), overlapSum(packedColumns(matrix)),
                       matrix.columns());
}

NodfPercentages wnodf(const AbundanceMatrix& matrix, bool wbinary)
{
    const double rowSum = weightedSum(matrix.cells(), matrix.rows(), matrix.columns(), wbinary);
    const double columnSum = weightedSum(transposed(matrix), matrix.columns(), matrix.rows(), wbinary);
    return percentages(rowSum, matrix.rows(), columnSum, matrix.columns());
}

}  // namespace bravolin
