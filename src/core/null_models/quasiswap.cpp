// The quasiswap model's draws: a random table with the totals, reduced to
// 0/1 by quasiswaps, then thinned by curveball trades.
#include "core/null_models/quasiswap.h"

#include <algorithm>

#include "bravolin/error.h"
#include "core/null_models/curveball.h"

namespace bravolin {

namespace {

// One 2 x 2 quasiswap at the excess cell (i, j), tried with up to tries
// random cells (k, l); false when none fits. A cell in row i or column j
// never fits, since (i, j) is not 0. Stop is checked every 4096 tries.
bool quasiswapAt(CountTable& table, int i, int j, int tries, StreamGenerator& generator, const StopRequest& stop)
{
    for (int t = 0; t < tries; t++) {
        if ((t & 4095) == 4095)
            stop.abandonIfRequested();
        // The column first: a try that fails in row i, which is at hand,
        // needs no row drawn.
        const int l = static_cast<int>(generator.below(static_cast<std::uint64_t>(table.columns)));
        if (table.at(i, l) != 0)
            continue;
        const int k = static_cast<int>(generator.below(static_cast<std::uint64_t>(table.rows)));
        if (table.at(k, j) == 0 && table.at(k, l) > 0) {
            table.at(i, j)--;
            table.at(k, l)--;
            table.at(i, l)++;
            table.at(k, j)++;
            return true;
        }
    }
    return false;
}

// Lowers the excess cell (i, j) along an alternating cycle: from row i a
// path that enters columns through cells at 0 and leaves them through
// cells above 0, to a row k whose cell in column j is 0; then (i, j) and
// the path's cells above 0 lose one, (k, j) and its cells at 0 gain one.
// Every row and column on the cycle gains one and loses one. Breadth-first,
// O(rows x columns). Such a path exists when a 0/1 matrix X has the
// totals: the table minus X has zero totals, so it is a sum of alternating
// cycles of cells where the table exceeds X (above 0) and cells where it
// falls short of X (at 0), and one of them passes through (i, j).
void reduceAlongCycle(CountTable& table, int i, int j, const StopRequest& stop)
{
    const int rows = table.rows, columns = table.columns;
    // Nodes: rows 0 .. rows - 1, then column y as rows + y; each node's
    // parent on the search tree, kUnseen before it is reached.
    constexpr int kUnseen = -2;
    std::vector<int> parent(static_cast<std::size_t>(rows + columns), kUnseen);
    std::vector<int> queue;
    queue.reserve(parent.size());
    parent[static_cast<std::size_t>(i)] = -1;
    queue.push_back(i);
    int k = -1;
    for (std::size_t head = 0; head < queue.size() && k < 0; head++) {
        stop.abandonAtLineIfRequested(static_cast<int>(head));
        const int node = queue[head];
        if (node < rows) {
            if (table.at(node, j) == 0) {
                k = node;
                break;
            }
            for (int y = 0; y < columns; y++)
                if (y != j && parent[static_cast<std::size_t>(rows + y)] == kUnseen && table.at(node, y) == 0) {
                    parent[static_cast<std::size_t>(rows + y)] = node;
                    queue.push_back(rows + y);
                }
        } else {
            const int y = node - rows;
            for (int x = 0; x < rows; x++)
                if (parent[static_cast<std::size_t>(x)] == kUnseen && table.at(x, y) > 0) {
                    parent[static_cast<std::size_t>(x)] = node;
                    queue.push_back(x);
                }
        }
    }
    if (k < 0)
        throw Error("no matrix of 0s and 1s has these row and column totals");
    table.at(i, j)--;
    table.at(k, j)++;
    for (int x = k; x != i;) {
        const int y = parent[static_cast<std::size_t>(x)] - rows;
        table.at(x, y)--;
        x = parent[static_cast<std::size_t>(rows + y)];
        table.at(x, y)++;
    }
}

}  // namespace

CountTable randomTable(const std::vector<int>& rowTotals, const std::vector<int>& columnTotals,
                       StreamGenerator& generator, const StopRequest& stop)
{
    long long rowSum = 0, columnSum = 0;
    for (int total : rowTotals)
        rowSum += total;
    for (int total : columnTotals)
        columnSum += total;
    if (rowSum != columnSum)
        throw Error("the row totals and the column totals have different sums");
    CountTable table;
    table.rows = static_cast<int>(rowTotals.size());
    table.columns = static_cast<int>(columnTotals.size());
    table.counts.assign(static_cast<std::size_t>(table.rows) * static_cast<std::size_t>(table.columns), 0);
    // The columns' units, column by column; each row takes its total of
    // them at random from those not yet taken.
    std::vector<int> units;
    for (int c = 0; c < table.columns; c++)
        units.insert(units.end(), static_cast<std::size_t>(columnTotals[static_cast<std::size_t>(c)]), c);
    std::size_t taken = 0;
    // A row deals up to a few thousand units, each a draw and a swap in a
    // table of millions: stop is checked at every row.
    for (int r = 0; r < table.rows; r++) {
        stop.abandonIfRequested();
        for (int u = 0; u < rowTotals[static_cast<std::size_t>(r)]; u++, taken++) {
            const std::size_t pick =
                taken + static_cast<std::size_t>(generator.below(static_cast<std::uint64_t>(units.size() - taken)));
            std::swap(units[taken], units[pick]);
            table.at(r, units[taken])++;
        }
    }
    return table;
}

void reduceToBinary(CountTable& table, StreamGenerator& generator, const StopRequest& stop)
{
    const auto columns = static_cast<std::size_t>(table.columns);
    std::vector<std::size_t> excess;  // cells that had a count above 1
    for (std::size_t cell = 0; cell < table.counts.size(); cell++)
        if (table.counts[cell] > 1)
            excess.push_back(cell);
    // No step raises a count above 1, so the list only shrinks: a cell
    // brought down to 1 leaves it when it is drawn next.
    const int tries = table.rows * table.columns;
    for (int step = 0; !excess.empty(); step++) {
        stop.abandonAtLineIfRequested(step);
        const auto drawn = static_cast<std::size_t>(generator.below(excess.size()));
        const std::size_t cell = excess[drawn];
        if (table.counts[cell] < 2) {
            excess[drawn] = excess.back();
            excess.pop_back();
            continue;
        }
        const int i = static_cast<int>(cell / columns), j = static_cast<int>(cell % columns);
        if (!quasiswapAt(table, i, j, tries, generator, stop))
            reduceAlongCycle(table, i, j, stop);
    }
}

void drawQuasiswap(const Margins& margins, long long thinTrades, StreamGenerator& generator, CellMatrix& out,
                   const StopRequest& stop)
{
    const int rows = margins.rows, columns = margins.columns;
    const bool complement = 2 * margins.presences > static_cast<long long>(rows) * columns;
    std::vector<int> rowTotals = margins.rowTotals, columnTotals = margins.columnTotals;
    if (complement) {
        for (int& total : rowTotals)
            total = columns - total;
        for (int& total : columnTotals)
            total = rows - total;
    }
    CountTable table = randomTable(rowTotals, columnTotals, generator, stop);
    reduceToBinary(table, generator, stop);
    CurveballMatrix chain(rows, columns);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            chain.set(r, c, table.at(r, c) != 0);
    chain.advance(thinTrades, generator, stop);
    const int o = margins.origin;
    chain.copyTo(out, o, stop);
    if (complement)
        for (int r = o; r < rows + o; r++)
            for (int c = o; c < columns + o; c++)
                out[r][c] ^= 1;
}

}  // namespace bravolin
