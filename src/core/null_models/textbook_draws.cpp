// Draws of the independent textbook null models: r00, r0, c0, r1 and r2.
#include "core/null_models/textbook_draws.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/bits.h"

namespace bravolin {

namespace {

// Chooses m distinct positions among 0 .. n - 1, every set of m equally
// likely, by Floyd's algorithm: for j from n - m to n - 1, a draw t from 0
// to j is chosen, or j itself when t already is (j never is yet). Gives up
// once stop is requested, which it checks every 65536 choices (well under
// a millisecond).
template <typename IsChosen, typename Choose>
void chooseDistinct(std::uint64_t n, std::uint64_t m, StreamGenerator& generator, IsChosen isChosen, Choose choose,
                    const StopRequest& stop)
{
    for (std::uint64_t j = n - m; j < n; j++) {
        if ((j & 0xFFFF) == 0)
            stop.abandonIfRequested();
        const std::uint64_t t = generator.below(j + 1);
        choose(isChosen(t) ? j : t);
    }
}

// Marks the fewer of k presences and n - k absences among n positions,
// every set equally likely; true when the absences were marked.
template <typename IsMarked, typename Mark>
bool markTheFewer(std::uint64_t n, std::uint64_t k, StreamGenerator& generator, IsMarked isMarked, Mark mark,
                  const StopRequest& stop)
{
    const bool absences = k > n - k;
    chooseDistinct(n, absences ? n - k : k, generator, isMarked, mark, stop);
    return absences;
}

// Row r of the matrix drawn, from the margins' origin.
unsigned char* rowOf(CellMatrix& out, const Margins& margins, int r)
{
    return out[r + margins.origin] + margins.origin;
}

// Draws of columns with chances proportional to whole-number weights, by
// Walker's alias method in whole numbers (Vose's construction): column c
// holds w_c x columns units, and bucket b holds W of them (W the weights'
// sum), its own column's first (keep_[b]), then alias_[b]'s. A draw, a
// bucket and a unit of it, takes column c with chance w_c / W exactly.
class AliasTable {
public:
    explicit AliasTable(const std::vector<std::uint64_t>& weights)
        : keep_(weights.size()), alias_(weights.size())
    {
        const std::size_t n = weights.size();
        for (std::uint64_t w : weights)
            total_ += w;
        std::vector<std::uint64_t> units(n);
        std::vector<int> small, large;
        for (std::size_t c = 0; c < n; c++) {
            units[c] = weights[c] * n;
            alias_[c] = static_cast<int>(c);
            (units[c] < total_ ? small : large).push_back(static_cast<int>(c));
        }
        // Each short bucket is filled up from a column with units to
        // spare; the units left always fill the buckets left exactly.
        while (!small.empty() && !large.empty()) {
            const auto s = static_cast<std::size_t>(small.back());
            small.pop_back();
            const int l = large.back();
            keep_[s] = units[s];
            alias_[s] = l;
            units[static_cast<std::size_t>(l)] -= total_ - units[s];
            if (units[static_cast<std::size_t>(l)] < total_) {
                large.pop_back();
                small.push_back(l);
            }
        }
        for (int c : large)
            keep_[static_cast<std::size_t>(c)] = total_;
    }

    std::uint64_t total() const { return total_; }

    // A column; the total is positive.
    int draw(StreamGenerator& generator) const
    {
        const auto bucket = static_cast<std::size_t>(generator.below(keep_.size()));
        return generator.below(total_) < keep_[bucket] ? static_cast<int>(bucket) : alias_[bucket];
    }

private:
    std::vector<std::uint64_t> keep_;
    std::vector<int> alias_;
    std::uint64_t total_ = 0;
};

// Weighted draws without replacement among columns, from a Fenwick tree of
// their weights: node i (from 1) holds the weights of columns
// i - lowbit(i) .. i - 1, so a draw and a removal each visit log2(columns)
// nodes. The tree spans a power of 2 of columns, those past the last of
// weight 0, so that the draw's descent needs no bound check and takes no
// branch on the random draw.
class WeightTree {
public:
    explicit WeightTree(const std::vector<std::uint64_t>& weights) : weights_(weights)
    {
        while (size_ < weights.size())
            size_ *= 2;
        tree_.resize(size_ + 1);
    }

    // The weights of the columns not yet taken (taken[c] 0).
    void load(const unsigned char* taken)
    {
        std::fill(tree_.begin(), tree_.end(), 0);
        for (std::size_t i = 1; i <= size_; i++) {
            if (i <= weights_.size() && !taken[i - 1])
                tree_[i] += weights_[i - 1];
            const std::size_t parent = i + (i & (0 - i));
            if (parent <= size_)
                tree_[parent] += tree_[i];
        }
        left_ = tree_[size_];
    }

    // A column drawn with a chance of its weight over the weight left, and
    // taken out; the weight left is positive.
    int drawAndRemove(StreamGenerator& generator)
    {
        std::uint64_t u = generator.below(left_);
        // The last column whose preceding weights sum to at most u: its own
        // weight is positive and takes u in.
        std::size_t column = 0;
        for (std::size_t step = size_ / 2; step > 0; step /= 2) {
            // All ones when the descent passes the node (masks, which
            // compilers keep free of branches).
            const std::uint64_t node = tree_[column + step];
            const std::uint64_t past = 0 - static_cast<std::uint64_t>(node <= u);
            column += step & static_cast<std::size_t>(past);
            u -= node & past;
        }
        const std::uint64_t weight = weights_[column];
        for (std::size_t i = column + 1; i <= size_; i += i & (0 - i))
            tree_[i] -= weight;
        left_ -= weight;
        return static_cast<int>(column);
    }

private:
    const std::vector<std::uint64_t>& weights_;
    std::vector<std::uint64_t> tree_;
    std::size_t size_ = 1;  // the columns the tree spans
    std::uint64_t left_ = 0;
};

// Each row's presences by successive weighted draws. While the columns
// taken hold less than nine tenths of the weight, a column is drawn with
// the fixed chances and drawn again when already taken (which gives each
// column left its weight over the weight left; a try succeeds with a
// chance of at least a tenth, and costs a few nanoseconds against the
// tree's descent of some 30); the rest of the row is drawn from a Fenwick
// tree of the columns left. On vegan's BCI, r2 takes 105 us where a
// switch to the tree at half the weight took 150.
void drawWeightedRows(const Margins& margins, const std::vector<std::uint64_t>& weights, StreamGenerator& generator,
                      CellMatrix& out, const StopRequest& stop)
{
    out.resize(margins.rows, margins.columns);
    const AliasTable chances(weights);
    WeightTree tree(weights);
    // A row may take thousands of weighted draws: stop is checked at every
    // row.
    for (int r = 0; r < margins.rows; r++) {
        stop.abandonIfRequested();
        unsigned char* row = rowOf(out, margins, r);
        std::fill(row, row + margins.columns, 0);
        const int presences = margins.rowTotals[static_cast<std::size_t>(r)];
        int placed = 0;
        std::uint64_t taken = 0;
        while (placed < presences && 10 * taken < 9 * chances.total()) {
            const int c = chances.draw(generator);
            if (row[c])
                continue;
            row[c] = 1;
            taken += weights[static_cast<std::size_t>(c)];
            placed++;
        }
        if (placed == presences)
            continue;
        tree.load(row);
        for (; placed < presences; placed++)
            row[tree.drawAndRemove(generator)] = 1;
    }
}

}  // namespace

Margins marginsOf(const Matrix& observed, const StopRequest& stop)
{
    Margins margins;
    margins.rows = observed.rows();
    margins.columns = observed.columns();
    margins.rowTotals.assign(static_cast<std::size_t>(margins.rows), 0);
    margins.columnTotals.assign(static_cast<std::size_t>(margins.columns), 0);
    for (int r = 0; r < margins.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const std::uint8_t* cells = observed.row(r);
        for (int c = 0; c < margins.columns; c++) {
            margins.rowTotals[static_cast<std::size_t>(r)] += cells[c];
            margins.columnTotals[static_cast<std::size_t>(c)] += cells[c];
        }
        margins.presences += margins.rowTotals[static_cast<std::size_t>(r)];
    }
    return margins;
}

void drawR00(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop)
{
    out.resize(margins.rows, margins.columns);
    // The cells are marked as bits (9 million of them fit in a processor's
    // cache, where their bytes would not), then written out row by row.
    const std::size_t cells = static_cast<std::size_t>(margins.rows) * static_cast<std::size_t>(margins.columns);
    std::vector<std::uint64_t> bits((cells + kWordBits - 1) / kWordBits, 0);
    const bool absences = markTheFewer(
        cells, static_cast<std::uint64_t>(margins.presences), generator,
        [&](std::uint64_t t) { return (bits[t / kWordBits] >> (t % kWordBits)) & 1u; },
        [&](std::uint64_t t) { bits[t / kWordBits] |= std::uint64_t{1} << (t % kWordBits); }, stop);
    const unsigned flip = absences ? 1u : 0u;
    std::size_t cell = 0;
    for (int r = 0; r < margins.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* row = rowOf(out, margins, r);
        for (int c = 0; c < margins.columns; c++, cell++)
            row[c] = static_cast<unsigned char>(((bits[cell / kWordBits] >> (cell % kWordBits)) & 1u) ^ flip);
    }
}

void drawR0(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop)
{
    out.resize(margins.rows, margins.columns);
    const int columns = margins.columns;
    for (int r = 0; r < margins.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* row = rowOf(out, margins, r);
        std::fill(row, row + columns, 0);
        if (markTheFewer(
                static_cast<std::uint64_t>(columns),
                static_cast<std::uint64_t>(margins.rowTotals[static_cast<std::size_t>(r)]), generator,
                [&](std::uint64_t t) { return row[t] != 0; }, [&](std::uint64_t t) { row[t] = 1; }, stop))
            for (int c = 0; c < columns; c++)
                row[c] ^= 1;
    }
}

void drawC0(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop)
{
    out.resize(margins.rows, margins.columns);
    const int rows = margins.rows;
    for (int r = 0; r < rows; r++)
        std::fill(rowOf(out, margins, r), rowOf(out, margins, r) + margins.columns, 0);
    for (int c = 0; c < margins.columns; c++) {
        stop.abandonAtLineIfRequested(c);
        auto cell = [&](std::uint64_t t) -> unsigned char& { return rowOf(out, margins, static_cast<int>(t))[c]; };
        if (markTheFewer(
                static_cast<std::uint64_t>(rows),
                static_cast<std::uint64_t>(margins.columnTotals[static_cast<std::size_t>(c)]), generator,
                [&](std::uint64_t t) { return cell(t) != 0; }, [&](std::uint64_t t) { cell(t) = 1; }, stop))
            for (int r = 0; r < rows; r++)
                cell(static_cast<std::uint64_t>(r)) ^= 1;
    }
}

void drawR1(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop)
{
    drawWeightedRows(margins, std::vector<std::uint64_t>(margins.columnTotals.begin(), margins.columnTotals.end()),
                     generator, out, stop);
}

void drawR2(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop)
{
    std::vector<std::uint64_t> squares;
    squares.reserve(margins.columnTotals.size());
    for (int total : margins.columnTotals)
        squares.push_back(static_cast<std::uint64_t>(total) * static_cast<std::uint64_t>(total));
    drawWeightedRows(margins, squares, generator, out, stop);
}

}  // namespace bravolin
