// Brualdi and Sanderson's discrepancy, with the best order of tied columns.
//
// With columns in decreasing order of totals, a presence of row i in the
// column at position q (from 0) must move when q >= t_i, t_i the row's
// total. So a column's cost at position q is the number of its rows with
// t_i <= q, whatever the other columns do: within a group of tied columns,
// which holds positions a .. a + g - 1 whichever way it is ordered, the
// best order is the least-cost assignment of its columns to its positions.
#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

#include "bravolin/metrics.h"
#include "core/metrics/assignment.h"

namespace bravolin {

namespace {

// The cost of every column of a tie group at each of its positions:
// cost[k * g + q] for group[k] at position first + q.
std::vector<long long> groupCosts(const Matrix& matrix, const std::vector<int>& rowTotals,
                                  const std::vector<int>& group, int first)
{
    const int g = static_cast<int>(group.size());
    std::vector<long long> cost(static_cast<std::size_t>(g) * static_cast<std::size_t>(g), 0);
    for (int k = 0; k < g; k++) {
        long long* costs = cost.data() + static_cast<std::size_t>(k) * static_cast<std::size_t>(g);
        // Each row counts from position max(t_i, first) on: a difference
        // array over the group's positions, then its running sum.
        for (int r = 0; r < matrix.rows(); r++) {
            if (matrix.at(r, group[static_cast<std::size_t>(k)]) == 0)
                continue;
            const int from = std::max(rowTotals[static_cast<std::size_t>(r)], first) - first;
            if (from < g)
                costs[from]++;
        }
        for (int q = 1; q < g; q++)
            costs[q] += costs[q - 1];
    }
    return cost;
}

}  // namespace

double discrepancy(const Matrix& matrix)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    std::vector<int> rowTotals(static_cast<std::size_t>(rows), 0), columnTotals(static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            rowTotals[static_cast<std::size_t>(r)] += matrix.at(r, c);
            columnTotals[static_cast<std::size_t>(c)] += matrix.at(r, c);
        }
    std::vector<int> order(static_cast<std::size_t>(columns));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return columnTotals[static_cast<std::size_t>(a)] > columnTotals[static_cast<std::size_t>(b)];
    });
    long long total = 0;
    for (int first = 0; first < columns;) {
        int end = first + 1;
        const int tie = columnTotals[static_cast<std::size_t>(order[static_cast<std::size_t>(first)])];
        while (end < columns && columnTotals[static_cast<std::size_t>(order[static_cast<std::size_t>(end)])] == tie)
            end++;
        const std::vector<int> group(order.begin() + first, order.begin() + end);
        total += leastAssignmentCost(groupCosts(matrix, rowTotals, group, first), end - first);
        first = end;
    }
    return static_cast<double>(total);
}

}  // namespace bravolin
