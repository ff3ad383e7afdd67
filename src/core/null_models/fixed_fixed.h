// The fixed-fixed model's chain: random matrices with exactly the row and
// column totals of the matrix it starts from, by curveball trades. A trade
// takes two rows at random; the columns where exactly one of them has a
// presence are pooled, and as many of them as the first row had are dealt
// back to it at random, the rest to the second. Both rows keep their
// totals, and every column keeps its total, since each pooled column still
// has its one presence in one of the two rows.
//
// The draws of a trade, from a generator of the chain's own (so that the
// other models' draws are the same with and without it): the first row,
// then the second among the others, then the columns dealt: with the pool
// in increasing column order, a partial shuffle picks the columns of the
// row that gets fewer of them (the first row on a tie), place by place. A
// uniform whole number below n (n at most 32768) is x n / 32768 for a
// 15-bit draw x, drawn again while x n mod 32768 is below 32768 mod n
// (Lemire's method: exactly uniform, and rarely a division).
#ifndef BRAVOLIN_CORE_NULL_MODELS_FIXED_FIXED_H
#define BRAVOLIN_CORE_NULL_MODELS_FIXED_FIXED_H

#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

class CurveballChain {
public:
    // The chain from the rows x columns cells (row by row, 0 or 1), seeded
    // with seed; gives up once stop is requested, as copyTo does.
    CurveballChain(const std::vector<std::uint8_t>& cells, int rows, int columns, std::uint32_t seed,
                   const StopRequest& stop = {});

    // One trade: two distinct rows drawn at random (a matrix of fewer than
    // two rows stays as it is).
    void trade();
    // trades trades; gives up (SimulationAbandoned) once stop is requested,
    // which it checks every 64 trades, well under a millisecond of work at
    // any size: a chain of billions of trades still stops at once.
    void advance(long long trades, const StopRequest& stop);

    // The current matrix, into out's rows and columns from origin (0 or 1).
    void copyTo(CellMatrix& out, int origin, const StopRequest& stop = {}) const;
    // The current matrix, row by row.
    std::vector<std::uint8_t> cells() const;

private:
    int uniformBelow(int n);
    std::uint64_t* row(int r) { return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_); }
    const std::uint64_t* row(int r) const
    {
        return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_);
    }
    bool cell(int r, int c) const { return (row(r)[c / 64] >> (c % 64)) & 1u; }

    int rows_, columns_, words_;
    std::vector<std::uint64_t> bits_;  // each row's cells as bits, 64 a word
    Generator generator_;
    std::vector<int> pool_;  // the columns of the trade at hand
};

}  // namespace bravolin

#endif
