// The curveball model's chain on the 64-bit generator: a 0/1 matrix held as
// rows of bits, changed by curveball trades (Strona et al. 2014, "A fast
// and unbiased procedure to randomize ecological binary matrices with
// fixed row and column totals", Nature Communications 5:4114). A trade
// takes two distinct rows at random; the columns where exactly one of them
// has a presence are pooled, and as many of them as the first row had are
// dealt back to it at random, the rest to the second. Every row and column
// keeps its total, and the chain's stationary distribution is uniform over
// the matrices with those totals.
//
// The draws of a trade: the first row, the second among the others, then,
// with the pool in increasing column order, a partial shuffle that picks
// the columns of the row that gets fewer of them (the first row on a tie),
// place by place. A trade costs O(columns / 64) word operations and one
// draw per column picked (at most half the pool).
//
// The generator is passed to every call: the chain's stream is the model's
// own, and the object holds no other state, so one chain per thread may
// run at once. Its long loops give up (SimulationAbandoned) once stop is
// requested.
#ifndef BRAVOLIN_CORE_NULL_MODELS_CURVEBALL_H
#define BRAVOLIN_CORE_NULL_MODELS_CURVEBALL_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/stream_generator.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

class CurveballMatrix {
public:
    // rows x columns absences.
    CurveballMatrix(int rows, int columns);
    // The matrix start, where the chain starts; gives up once stop is
    // requested.
    explicit CurveballMatrix(const Matrix& start, const StopRequest& stop = {});

    // Sets a cell that is still an absence (without a branch on present).
    void set(int row, int column, bool present)
    {
        this->row(row)[column / 64] |= static_cast<std::uint64_t>(present) << (column % 64);
    }

    // One trade (a matrix of fewer than two rows stays as it is).
    void trade(StreamGenerator& generator);
    // trades trades; stop is checked every 64 trades, well under a
    // millisecond of work at any size, so a chain of billions of trades
    // still stops at once.
    void advance(long long trades, StreamGenerator& generator, const StopRequest& stop = {});

    // The current matrix into out, its rows and columns from origin (0, or
    // the temperature's 1; out is sized to it).
    void copyTo(CellMatrix& out, int origin = 0, const StopRequest& stop = {}) const;

private:
    std::uint64_t* row(int r) { return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_); }
    const std::uint64_t* row(int r) const
    {
        return bits_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(words_);
    }

    int rows_, columns_, words_;
    std::vector<std::uint64_t> bits_;  // each row's cells as bits, 64 a word
    std::vector<int> pool_;            // the columns of the trade at hand
};

}  // namespace bravolin

#endif
