// Draws of the r2dtable model: the rows take their individuals from the
// columns' pool, one by one, without replacement.
#include "core/null_models/r2dtable.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string>
#include <utility>

namespace bravolin {

namespace {

// The individuals left in each column, and a Fenwick tree over them that
// finds the column of the k-th individual left in O(log columns).
class ColumnPool {
public:
    explicit ColumnPool(std::size_t columns) : left_(columns)
    {
        while (top_ < columns)
            top_ *= 2;
        tree_.assign(top_ + 1, 0);
    }

    // The pool becomes counts (one per column), in O(columns).
    void fill(const std::vector<long long>& counts)
    {
        left_ = counts;
        std::fill(tree_.begin(), tree_.end(), 0);
        for (std::size_t i = 1; i <= left_.size(); i++)
            tree_[i] = left_[i - 1];
        for (std::size_t i = 1; i <= top_; i++) {
            const std::size_t parent = i + (i & (0 - i));
            if (parent <= top_)
                tree_[parent] += tree_[i];
        }
    }

    long long total() const { return tree_[top_]; }
    const std::vector<long long>& left() const { return left_; }

    // Takes the individual of place k (from 0, below total()) in column
    // order out of the pool; returns its column.
    // The columns padded to a power of 2 leave the descent without a check
    // of its bounds. The nodes whose sums hold the individual taken are
    // the root and those the descent passes on its left, so it takes the
    // individual out of them as it goes: one pass instead of two. Each
    // step goes left or right by masks, not a branch: the way is as random
    // as the draw, and a branch mispredicted half the time doubled the cost
    // of a draw.
    std::size_t take(long long k)
    {
        std::size_t place = 0;
        for (std::size_t step = top_ / 2; step > 0; step /= 2) {
            const std::size_t node = place + step;
            const long long below = tree_[node];
            const long long right = below <= k ? 1 : 0;
            tree_[node] -= 1 - right;
            place += step & (0 - static_cast<std::size_t>(right));
            k -= below & (0 - right);
        }
        tree_[top_]--;
        left_[place]--;
        return place;
    }

private:
    std::vector<long long> left_;
    // From 1 to top_: node i sums left_ over (i - (i & -i), i], the columns
    // beyond left_'s counting 0; node top_ holds the total.
    std::vector<long long> tree_;
    std::size_t top_ = 1;  // the lowest power of 2 at least the columns
};

// A cell as a message names it: row and column from 1, with their names
// where the matrix has them.
std::string cellName(const AbundanceMatrix& matrix, int row, int column)
{
    std::string text = "row " + std::to_string(row + 1);
    if (!matrix.rowNames().empty())
        text += " (" + matrix.rowNames()[static_cast<std::size_t>(row)] + ")";
    text += ", column " + std::to_string(column + 1);
    if (!matrix.columnNames().empty())
        text += " (" + matrix.columnNames()[static_cast<std::size_t>(column)] + ")";
    return text;
}

// A value as a message gives it: up to 15 significant digits, so that a
// fraction shows as the user wrote it (2.5, 0.1) and one just off a whole
// number (2.0000001) as not whole; with a decimal point whatever the
// program's locale.
std::string valueText(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(15);
    text << value;
    return text.str();
}

}  // namespace

bool countMarginsOf(const AbundanceMatrix& observed, CountMargins& margins, std::string& error)
{
    CountMargins counted{observed.rows(), observed.columns(),
                         std::vector<long long>(static_cast<std::size_t>(observed.rows())),
                         std::vector<long long>(static_cast<std::size_t>(observed.columns())), 0};
    for (int r = 0; r < counted.rows; r++) {
        const double* cells = observed.row(r);
        for (int c = 0; c < counted.columns; c++) {
            const double value = cells[c];
            if (value != std::floor(value)) {
                error = "the abundance of the cell at " + cellName(observed, r, c) + " is " + valueText(value) +
                        ": r2dtable draws whole numbers of individuals, so every abundance must be a whole "
                        "number; give counts, or choose abundance_shuffle, which shuffles the abundances as they are";
                return false;
            }
            // Checked before the sum, so that no count beyond the limit is
            // ever converted or added.
            if (value > static_cast<double>(kMaxR2dtableIndividuals - counted.individuals)) {
                error = "the abundances sum to more than " + std::to_string(kMaxR2dtableIndividuals) +
                        " individuals, which r2dtable draws one by one (about 20 seconds a simulation): choose "
                        "abundance_shuffle, which shuffles the abundances as they are";
                return false;
            }
            const auto count = static_cast<long long>(value);
            counted.individuals += count;
            counted.rowTotals[static_cast<std::size_t>(r)] += count;
            counted.columnTotals[static_cast<std::size_t>(c)] += count;
        }
    }
    margins = std::move(counted);
    return true;
}

void drawR2dtable(const CountMargins& margins, StreamGenerator& generator, AbundanceMatrix& out,
                  const StopRequest& stop)
{
    const auto columns = static_cast<std::size_t>(margins.columns);
    std::vector<double> cells(static_cast<std::size_t>(margins.rows) * columns, 0.0);
    ColumnPool pool(columns);
    pool.fill(margins.columnTotals);
    std::vector<long long> drawn(columns);
    for (int r = 0; r < margins.rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const long long total = margins.rowTotals[static_cast<std::size_t>(r)];
        const long long left = pool.total();
        const bool leaves = total > left - total;
        const long long draws = leaves ? left - total : total;
        std::fill(drawn.begin(), drawn.end(), 0);
        for (long long i = 0; i < draws; i++) {
            if ((i & 4095) == 4095)
                stop.abandonIfRequested();
            drawn[pool.take(static_cast<long long>(generator.below(static_cast<std::uint64_t>(pool.total()))))]++;
        }
        // Drawing the individuals the row leaves took them out of the
        // pool: the row has what is left there, and they are the pool.
        const std::vector<long long>& taken = leaves ? pool.left() : drawn;
        double* row = cells.data() + static_cast<std::size_t>(r) * columns;
        for (std::size_t c = 0; c < columns; c++)
            row[c] = static_cast<double>(taken[c]);
        if (leaves)
            pool.fill(drawn);
    }
    out = AbundanceMatrix(margins.rows, margins.columns, std::move(cells));
}

}  // namespace bravolin
