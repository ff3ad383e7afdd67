// The largest NODF of a matrix of given size and presences with every line
// non-empty: exactly by enumeration for small matrices, and by a staircase
// search followed by hill climbing on single presences above (see
// bravolin/metrics.h for both, step by step).
//
// NODF is unchanged by transposing (the rows' pairs become the columns'),
// so both work with the longer side as the rows. A matrix's NODF, ordered
// by decreasing totals, is (sum of pair values) / (pairs), a pair value
// being shared / smaller total for lines of different totals and 0
// otherwise; the searches compare the sums, and the value reported is
// nodf() of the matrix found.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/metrics.h"

namespace bravolin {

namespace {

void checkArguments(int rows, int columns, long long presences)
{
    if (rows < 1 || columns < 1 || rows > kMaxMatrixSide || columns > kMaxMatrixSide)
        throw Error("NODFmax needs a matrix of 1 to " + std::to_string(kMaxMatrixSide) + " rows and columns, not " +
                    std::to_string(rows) + " x " + std::to_string(columns));
    if (presences < std::max(rows, columns) || presences > static_cast<long long>(rows) * columns)
        throw Error("no " + std::to_string(rows) + " x " + std::to_string(columns) + " matrix has " +
                    std::to_string(presences) + " presences with one in every row and column: NODFmax needs " +
                    std::to_string(std::max(rows, columns)) + " to " +
                    std::to_string(static_cast<long long>(rows) * columns) + " presences");
}

// The value of a pair of lines of totals a and b sharing shared cells.
inline double pairValue(int a, int b, int shared)
{
    const int smaller = std::min(a, b);
    return a == b || smaller == 0 ? 0.0 : static_cast<double>(shared) / smaller;
}

// ----- Exhaustive search -----

int bitCount(unsigned mask)
{
    int count = 0;
    for (; mask != 0; mask &= mask - 1)
        count++;
    return count;
}

// Rows are masks over at most four columns (20 cells, the shorter side as
// the columns).
struct Enumeration {
    int rows = 0, columns = 0;
    std::vector<unsigned> masks, bestMasks;
    double best = -1;
};

double maskSum(const std::vector<unsigned>& masks, int columns)
{
    const int rows = static_cast<int>(masks.size());
    double sum = 0;
    for (int a = 0; a < rows; a++)
        for (int b = a + 1; b < rows; b++)
            sum += pairValue(bitCount(masks[a]), bitCount(masks[b]), bitCount(masks[a] & masks[b]));
    std::vector<unsigned> columnMasks(static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            if ((masks[static_cast<std::size_t>(r)] >> c & 1u) != 0)
                columnMasks[static_cast<std::size_t>(c)] |= 1u << r;
    for (int a = 0; a < columns; a++)
        for (int b = a + 1; b < columns; b++)
            sum += pairValue(bitCount(columnMasks[a]), bitCount(columnMasks[b]), bitCount(columnMasks[a] & columnMasks[b]));
    return sum;
}

// Every matrix up to permutations of rows and columns: rows as masks in
// non-increasing order, columns in non-increasing order of totals.
void enumerate(Enumeration& e, int row, unsigned largest, long long left, unsigned covered)
{
    const int rowsAfter = e.rows - row - 1;
    if (row == e.rows) {
        if (left != 0 || covered != (1u << e.columns) - 1)
            return;
        int previous = e.rows + 1;
        for (int c = 0; c < e.columns; c++) {
            int total = 0;
            for (unsigned mask : e.masks)
                total += static_cast<int>(mask >> c & 1u);
            if (total > previous)
                return;
            previous = total;
        }
        const double sum = maskSum(e.masks, e.columns);
        if (sum > e.best) {
            e.best = sum;
            e.bestMasks = e.masks;
        }
        return;
    }
    for (unsigned mask = largest; mask >= 1; mask--) {
        const long long after = left - bitCount(mask);
        if (after < rowsAfter || after > static_cast<long long>(rowsAfter) * e.columns)
            continue;
        e.masks[static_cast<std::size_t>(row)] = mask;
        enumerate(e, row + 1, mask, after, covered | mask);
    }
}

// ----- Heuristic: the staircase -----

// A staircase matrix by its column lengths, non-increasing, the first one
// every row: column j holds rows 0 .. length[j] - 1. Ties are counted as
// the pairs of lines of equal lengths, the pairs that do not score 100.
struct Staircase {
    int rows = 0, columns = 0;
    std::vector<int> length;                       // of each column
    std::vector<int> columnsOfLength, rowsOfLength;  // how many lines have each length
    long long ties = 0;

    int rowLength(int row) const  // columns whose length exceeds row
    {
        return static_cast<int>(std::lower_bound(length.begin(), length.end(), row, std::greater<int>()) - length.begin());
    }
};

// The change of ties when one line leaves the lines of length from for
// those of length to.
long long tieChange(const std::vector<int>& ofLength, int from, int to)
{
    return ofLength[static_cast<std::size_t>(to)] - (ofLength[static_cast<std::size_t>(from)] - 1);
}

// Column column's length grows (by 1) or shrinks (by -1), and with it the
// row at its end.
void changeCorner(Staircase& s, int column, int by)
{
    const int before = s.length[static_cast<std::size_t>(column)];
    const int row = by > 0 ? before : before - 1;
    const int rowBefore = s.rowLength(row);
    s.ties += tieChange(s.columnsOfLength, before, before + by) + tieChange(s.rowsOfLength, rowBefore, rowBefore + by);
    s.columnsOfLength[static_cast<std::size_t>(before)]--;
    s.columnsOfLength[static_cast<std::size_t>(before + by)]++;
    s.rowsOfLength[static_cast<std::size_t>(rowBefore)]--;
    s.rowsOfLength[static_cast<std::size_t>(rowBefore + by)]++;
    s.length[static_cast<std::size_t>(column)] += by;
}

// The change of ties of adding a presence at the foot of column column.
long long additionChange(const Staircase& s, int column)
{
    const int before = s.length[static_cast<std::size_t>(column)];
    const int rowBefore = s.rowLength(before);
    return tieChange(s.columnsOfLength, before, before + 1) + tieChange(s.rowsOfLength, rowBefore, rowBefore + 1);
}

bool canGrow(const Staircase& s, int column)
{
    const int l = s.length[static_cast<std::size_t>(column)];
    return l < s.rows && (column == 0 || s.length[static_cast<std::size_t>(column - 1)] > l);
}

// A presence may leave the foot of a column that keeps one, and whose row
// keeps one (the first column holds every row's first presence).
bool canShrink(const Staircase& s, int column)
{
    const int l = s.length[static_cast<std::size_t>(column)];
    return column > 0 && l >= 2 && (column + 1 == s.columns || s.length[static_cast<std::size_t>(column + 1)] < l);
}

// The cross, then each further presence at the corner that adds the
// fewest ties, on equal ones the corner in the leftmost column.
Staircase greedyStaircase(int rows, int columns, long long presences)
{
    Staircase s;
    s.rows = rows;
    s.columns = columns;
    s.length.assign(static_cast<std::size_t>(columns), 1);
    s.length[0] = rows;
    s.columnsOfLength.assign(static_cast<std::size_t>(rows) + 1, 0);
    s.rowsOfLength.assign(static_cast<std::size_t>(columns) + 1, 0);
    s.columnsOfLength[1] += columns - 1;
    s.columnsOfLength[static_cast<std::size_t>(rows)]++;
    s.rowsOfLength[1] += rows - 1;
    s.rowsOfLength[static_cast<std::size_t>(columns)]++;
    for (const std::vector<int>* ofLength : {&s.columnsOfLength, &s.rowsOfLength})
        for (int count : *ofLength)
            s.ties += static_cast<long long>(count) * (count - 1) / 2;
    for (long long placed = rows + columns - 1; placed < presences; placed++) {
        int bestColumn = -1;
        long long bestChange = 0;
        for (int c = 0; c < columns; c++) {
            if (!canGrow(s, c))
                continue;
            const long long change = additionChange(s, c);
            if (bestColumn < 0 || change < bestChange) {
                bestColumn = c;
                bestChange = change;
            }
        }
        changeCorner(s, bestColumn, 1);
    }
    return s;
}

// Moves of one presence from a removable corner to another free corner
// while one removes ties: every pair tried, the first of the best made.
void climbStaircase(Staircase& s)
{
    for (;;) {
        int bestFrom = -1, bestTo = -1;
        long long bestChange = 0;
        for (int from = 0; from < s.columns; from++) {
            if (!canShrink(s, from))
                continue;
            const long long before = s.ties;
            changeCorner(s, from, -1);
            const long long removal = s.ties - before;
            for (int to = 0; to < s.columns; to++) {
                if (to == from || !canGrow(s, to))
                    continue;
                const long long change = removal + additionChange(s, to);
                if (change < bestChange) {
                    bestFrom = from;
                    bestTo = to;
                    bestChange = change;
                }
            }
            changeCorner(s, from, 1);
        }
        if (bestFrom < 0)
            return;
        changeCorner(s, bestFrom, -1);
        changeCorner(s, bestTo, 1);
    }
}

// ----- Heuristic: single presences -----

// One side of the matrix: its lines' totals and the shared cells of every
// pair of its lines.
struct Side {
    int count = 0;
    std::vector<int> total;
    std::vector<int> shared;  // count x count

    int& sharedOf(int a, int b) { return shared[static_cast<std::size_t>(a) * static_cast<std::size_t>(count) + static_cast<std::size_t>(b)]; }
    int sharedOf(int a, int b) const
    {
        return shared[static_cast<std::size_t>(a) * static_cast<std::size_t>(count) + static_cast<std::size_t>(b)];
    }
};

struct Climb {
    int rows = 0, columns = 0;
    std::vector<std::uint8_t> cells;  // rows x columns
    Side rowSide, columnSide;
    long long evaluations = 0;  // pair values worked out by the moves tried

    std::uint8_t cell(int r, int c) const
    {
        return cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
    }
    // The cell of line `line` of a side at position `at` (a line of the
    // other side).
    std::uint8_t cellOf(bool rowsSide, int line, int at) const { return rowsSide ? cell(line, at) : cell(at, line); }
};

Side sideOf(const Climb& m, bool rowsSide)
{
    Side side;
    side.count = rowsSide ? m.rows : m.columns;
    const int length = rowsSide ? m.columns : m.rows;
    side.total.assign(static_cast<std::size_t>(side.count), 0);
    side.shared.assign(static_cast<std::size_t>(side.count) * static_cast<std::size_t>(side.count), 0);
    for (int a = 0; a < side.count; a++)
        for (int k = 0; k < length; k++)
            side.total[static_cast<std::size_t>(a)] += m.cellOf(rowsSide, a, k);
    for (int a = 0; a < side.count; a++)
        for (int b = a + 1; b < side.count; b++) {
            int shared = 0;
            for (int k = 0; k < length; k++)
                shared += m.cellOf(rowsSide, a, k) & m.cellOf(rowsSide, b, k);
            side.sharedOf(a, b) = side.sharedOf(b, a) = shared;
        }
    return side;
}

Climb climbFrom(int rows, int columns, std::vector<std::uint8_t> cells)
{
    Climb m;
    m.rows = rows;
    m.columns = columns;
    m.cells = std::move(cells);
    m.rowSide = sideOf(m, true);
    m.columnSide = sideOf(m, false);
    return m;
}

// The change of the pair sum when line `line` of side `along` moves its
// presence from position from to position to; `across` is the other side,
// whose lines from and to lose and gain it.
double lineMoveChange(Climb& m, bool rowsSide, int line, int from, int to)
{
    const Side& along = rowsSide ? m.rowSide : m.columnSide;
    const Side& across = rowsSide ? m.columnSide : m.rowSide;
    double change = 0;
    const int lineTotal = along.total[static_cast<std::size_t>(line)];
    for (int x = 0; x < along.count; x++) {
        if (x == line)
            continue;
        const int gained = m.cellOf(rowsSide, x, to) - m.cellOf(rowsSide, x, from);
        if (gained == 0)
            continue;
        const int shared = along.sharedOf(line, x), other = along.total[static_cast<std::size_t>(x)];
        change += pairValue(lineTotal, other, shared + gained) - pairValue(lineTotal, other, shared);
    }
    const int fromTotal = across.total[static_cast<std::size_t>(from)], toTotal = across.total[static_cast<std::size_t>(to)];
    for (int y = 0; y < across.count; y++) {
        if (y == from || y == to)
            continue;
        const int present = m.cellOf(rowsSide, line, y), other = across.total[static_cast<std::size_t>(y)];
        const int sharedFrom = across.sharedOf(from, y), sharedTo = across.sharedOf(to, y);
        change += pairValue(fromTotal - 1, other, sharedFrom - present) - pairValue(fromTotal, other, sharedFrom);
        change += pairValue(toTotal + 1, other, sharedTo + present) - pairValue(toTotal, other, sharedTo);
    }
    const int sharedBoth = across.sharedOf(from, to);
    change += pairValue(fromTotal - 1, toTotal + 1, sharedBoth) - pairValue(fromTotal, toTotal, sharedBoth);
    m.evaluations += along.count + across.count;
    return change;
}

void applyLineMove(Climb& m, bool rowsSide, int line, int from, int to)
{
    Side& along = rowsSide ? m.rowSide : m.columnSide;
    Side& across = rowsSide ? m.columnSide : m.rowSide;
    for (int x = 0; x < along.count; x++) {
        if (x == line)
            continue;
        const int gained = m.cellOf(rowsSide, x, to) - m.cellOf(rowsSide, x, from);
        along.sharedOf(line, x) += gained;
        along.sharedOf(x, line) += gained;
    }
    for (int y = 0; y < across.count; y++) {
        if (y == from || y == to)
            continue;
        const int present = m.cellOf(rowsSide, line, y);
        across.sharedOf(from, y) -= present;
        across.sharedOf(y, from) -= present;
        across.sharedOf(to, y) += present;
        across.sharedOf(y, to) += present;
    }
    across.total[static_cast<std::size_t>(from)]--;
    across.total[static_cast<std::size_t>(to)]++;
    const int r = rowsSide ? line : from, c = rowsSide ? from : line;
    const int r2 = rowsSide ? line : to, c2 = rowsSide ? to : line;
    m.cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(m.columns) + static_cast<std::size_t>(c)] = 0;
    m.cells[static_cast<std::size_t>(r2) * static_cast<std::size_t>(m.columns) + static_cast<std::size_t>(c2)] = 1;
}

// A raise of the pair sum smaller than this is rounding, not a gain: a true
// change is a sum of fractions of denominators up to 3000, at least about
// 1e-7 when not 0, and the rounding of a change stays near 1e-12.
constexpr double kLeastGain = 1e-9;

// The best move of presence (r, c) within its row, then within its column,
// made when it gains; true when made.
bool improvePresence(Climb& m, int r, int c)
{
    double best = kLeastGain;
    int bestTo = -1;
    bool bestInRow = true;
    for (const bool inRow : {true, false}) {
        // Along the row the presence leaves column c, along the column row r.
        const int line = inRow ? r : c, from = inRow ? c : r;
        const Side& leaving = inRow ? m.columnSide : m.rowSide;
        if (leaving.total[static_cast<std::size_t>(from)] < 2)
            continue;
        for (int to = 0; to < leaving.count && m.evaluations < kNodfMaxMoveBudget; to++) {
            if (m.cellOf(inRow, line, to) != 0)
                continue;
            const double change = lineMoveChange(m, inRow, line, from, to);
            if (change > best) {
                best = change;
                bestTo = to;
                bestInRow = inRow;
            }
        }
    }
    if (bestTo < 0)
        return false;
    applyLineMove(m, bestInRow, bestInRow ? r : c, bestInRow ? c : r, bestTo);
    return true;
}

void climbPresences(Climb& m)
{
    bool moved = true;
    while (moved && m.evaluations < kNodfMaxMoveBudget) {
        moved = false;
        for (int r = 0; r < m.rows; r++)
            for (int c = 0; c < m.columns; c++)
                if (m.cell(r, c) != 0 && improvePresence(m, r, c))
                    moved = true;
    }
}

// The start of the climb: the staircase, or for too few presences for one
// the diagonal of single presences beside the cross.
std::vector<std::uint8_t> startingCells(int rows, int columns, long long presences)
{
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0);
    auto set = [&](int r, int c) { cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] = 1; };
    const long long cross = rows + columns - 1;
    if (presences >= cross) {
        Staircase s = greedyStaircase(rows, columns, presences);
        climbStaircase(s);
        for (int c = 0; c < columns; c++)
            for (int r = 0; r < s.length[static_cast<std::size_t>(c)]; r++)
                set(r, c);
        return cells;
    }
    const int singles = static_cast<int>(cross - presences);
    const int blockRows = rows - singles, blockColumns = columns - singles;
    for (int c = 0; c < blockColumns; c++)
        set(0, c);
    for (int r = 1; r < blockRows; r++)
        set(r, 0);
    for (int k = 0; k < singles; k++)
        set(blockRows + k, blockColumns + k);
    return cells;
}

}  // namespace

NodfMax exhaustiveNodfMax(int rows, int columns, long long presences)
{
    checkArguments(rows, columns, presences);
    if (static_cast<long long>(rows) * columns > kExhaustiveNodfMaxCells)
        throw Error("NODFmax is tried exhaustively up to " + std::to_string(kExhaustiveNodfMaxCells) + " cells, not " +
                    std::to_string(static_cast<long long>(rows) * columns));
    Enumeration e;
    e.rows = std::max(rows, columns);
    e.columns = std::min(rows, columns);
    e.masks.assign(static_cast<std::size_t>(e.rows), 0);
    enumerate(e, 0, (1u << e.columns) - 1, presences, 0);
    std::vector<std::uint8_t> cells;
    for (unsigned mask : e.bestMasks)
        for (int c = 0; c < e.columns; c++)
            cells.push_back(static_cast<std::uint8_t>(mask >> c & 1u));
    NodfMax result;
    result.value = nodf(Matrix(e.rows, e.columns, cells)).total;
    result.exhaustive = true;
    return result;
}

NodfMax heuristicNodfMax(int rows, int columns, long long presences)
{
    checkArguments(rows, columns, presences);
    const int longer = std::max(rows, columns), shorter = std::min(rows, columns);
    Climb m = climbFrom(longer, shorter, startingCells(longer, shorter, presences));
    climbPresences(m);
    NodfMax result;
    result.value = nodf(Matrix(longer, shorter, m.cells)).total;
    return result;
}

NodfMax nodfMax(int rows, int columns, long long presences)
{
    if (static_cast<long long>(rows) * columns <= kExhaustiveNodfMaxCells)
        return exhaustiveNodfMax(rows, columns, presences);
    return heuristicNodfMax(rows, columns, presences);
}

NodfMax NodfMaxCache::get(int rows, int columns, long long presences)
{
    std::shared_ptr<Entry> entry;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::shared_ptr<Entry>& slot = entries_[std::make_tuple(rows, columns, presences)];
        if (slot == nullptr)
            slot = std::make_shared<Entry>();
        entry = slot;
    }
    std::call_once(entry->computed, [&] { entry->value = nodfMax(rows, columns, presences); });
    return entry->value;
}

}  // namespace bravolin
