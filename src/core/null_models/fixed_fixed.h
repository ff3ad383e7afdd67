// The fixed-fixed model's chain: random matrices with exactly the row and
// column totals of the matrix it starts from, by curveball trades. A trade
// takes two rows at random; the columns where exactly one of them has a
// presence are pooled, and as many of them as the first row had are dealt
// back to it at random, the rest to the second. Both rows keep their
// totals, and every column keeps its total, since each pooled column still
// has its one presence in one of the two rows.
//
// The chain draws from a generator of its own, so the other models' draws
// are the same with and without it. A uniform whole number below n (n at
// most 32768) is one 15-bit draw, drawn again while it falls in the
// incomplete last run of n (rejection), taken modulo n.
#ifndef BRAVOLIN_CORE_NULL_MODELS_FIXED_FIXED_H
#define BRAVOLIN_CORE_NULL_MODELS_FIXED_FIXED_H

#include <atomic>
#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "core/cell_matrix.h"

namespace bravolin {

class CurveballChain {
public:
    // The chain from the rows x columns cells (row by row, 0 or 1), seeded
    // with seed.
    CurveballChain(std::vector<std::uint8_t> cells, int rows, int columns, std::uint32_t seed);

    // One trade: two distinct rows drawn at random (a matrix of fewer than
    // two rows stays as it is).
    void trade();
    // trades trades, unless stop is set first (checked every 1024 trades):
    // a chain of billions of trades still stops promptly.
    void advance(long long trades, const std::atomic<bool>* stop);

    // The current matrix, into out's rows and columns from origin (0 or 1).
    void copyTo(CellMatrix& out, int origin) const;

    const std::vector<std::uint8_t>& cells() const { return cells_; }

private:
    int uniformBelow(int n);

    std::vector<std::uint8_t> cells_;
    int rows_, columns_;
    Generator generator_;
    std::vector<int> pool_;  // the columns of the trade at hand
};

}  // namespace bravolin

#endif
