// What the null models make of a 15-bit draw, looked up instead of
// computed: a draw has only 32768 values, so every rule that turns one into
// a share or a position can be worked out for all of them once, with the
// very same arithmetic, and then read from a table.
#ifndef BRAVOLIN_COMMON_DRAW_TABLES_H
#define BRAVOLIN_COMMON_DRAW_TABLES_H

#include <cstdint>
#include <vector>

#include "common/random.h"

// trunc(r / 32767 x 10000) for every draw r: the share of 10000 a cell draw
// compares with its threshold.
const std::uint16_t* cellShares();

// The results of a rule of (draw, k) for one k at a time, the table kept
// until another k is asked for.
class DrawTable {
public:
    template <typename Rule>
    const std::uint16_t* forK(int k, Rule rule)
    {
        if (k != k_ || values_.empty()) {
            values_.resize(kRandomMax + 1);
            for (int r = 0; r <= kRandomMax; r++)
                values_[static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(rule(r, k));
            k_ = k;
        }
        return values_.data();
    }

private:
    int k_ = -1;
    std::vector<std::uint16_t> values_;
};

#endif
