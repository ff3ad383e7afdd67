// Enumeration of small matrices and the fit of drawn frequencies.
#include "support/matrix_census.h"

#include <algorithm>
#include <bitset>
#include <cstddef>

namespace {

void enumerateFrom(int row, MatrixMask partial, int rows, int columns, const std::vector<int>& rowTotals,
                   const std::function<bool(MatrixMask)>& keep, std::vector<MatrixMask>& out)
{
    if (row == rows) {
        if (keep(partial))
            out.push_back(partial);
        return;
    }
    for (MatrixMask pattern = 0; pattern < (MatrixMask{1} << columns); pattern++) {
        if (!rowTotals.empty() && static_cast<int>(std::bitset<32>(pattern).count()) != rowTotals[static_cast<std::size_t>(row)])
            continue;
        enumerateFrom(row + 1, partial | pattern << (row * columns), rows, columns, rowTotals, keep, out);
    }
}

}  // namespace

std::vector<MatrixMask> enumerateMatrices(int rows, int columns, const std::vector<int>& rowTotals,
                                          const std::function<bool(MatrixMask)>& keep)
{
    std::vector<MatrixMask> members;
    enumerateFrom(0, 0, rows, columns, rowTotals, keep, members);
    std::sort(members.begin(), members.end());
    return members;
}

std::vector<MatrixMask> matricesWithTotalsOf(const bravolin::Matrix& observed)
{
    const int rows = observed.rows(), columns = observed.columns();
    MatrixMask mask = 0;
    std::vector<int> rowTotals(static_cast<std::size_t>(rows), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            if (observed.at(r, c)) {
                mask |= MatrixMask{1} << (r * columns + c);
                rowTotals[static_cast<std::size_t>(r)]++;
            }
    const std::vector<int> columnTotals = columnTotalsOf(mask, rows, columns);
    return enumerateMatrices(rows, columns, rowTotals,
                             [&](MatrixMask m) { return columnTotalsOf(m, rows, columns) == columnTotals; });
}

std::vector<int> columnTotalsOf(MatrixMask matrix, int rows, int columns)
{
    std::vector<int> totals(static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            totals[static_cast<std::size_t>(c)] += (matrix >> (r * columns + c)) & 1u;
    return totals;
}

MatrixMask maskOf(const bravolin::CellMatrix& matrix, int rows, int columns)
{
    MatrixMask mask = 0;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            if (matrix[r][c])
                mask |= MatrixMask{1} << (r * columns + c);
    return mask;
}

CensusFit fitDraws(const std::vector<MatrixMask>& members, const std::vector<double>& probabilities, int draws,
                   const std::function<MatrixMask()>& draw)
{
    CensusFit census;
    std::vector<long long> counts(members.size(), 0);
    for (int d = 0; d < draws; d++) {
        const MatrixMask drawn = draw();
        const auto at = std::lower_bound(members.begin(), members.end(), drawn);
        if (at == members.end() || *at != drawn)
            census.outside++;
        else
            counts[static_cast<std::size_t>(at - members.begin())]++;
    }
    census.fit = chiSquareFit(counts, probabilities);
    return census;
}

std::vector<double> uniformOver(const std::vector<MatrixMask>& members)
{
    return std::vector<double>(members.size(), 1.0 / static_cast<double>(members.size()));
}
