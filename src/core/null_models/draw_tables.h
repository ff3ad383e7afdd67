// What the null models make of a 15-bit draw, looked up instead of
// computed: a draw has only 32768 values, so every rule that turns one into
// a share or a position can be worked out for all of them once, with the
// very same arithmetic, and then read from a table.
#ifndef BRAVOLIN_CORE_NULL_MODELS_DRAW_TABLES_H
#define BRAVOLIN_CORE_NULL_MODELS_DRAW_TABLES_H

#include <cstdint>
#include <vector>

#include "bravolin/generator.h"

namespace bravolin {

constexpr int kDrawValues = Generator::kMaxDraw + 1;

// trunc(r / 32767 x 10000) for every draw r: the share of 10000 a cell draw
// compares with its threshold.
const std::uint16_t* cellShares();

// The draw's fraction r / 32767 stored in single precision, for every r.
const float* drawFractions();

// rule(r, k) for every draw r, for one k.
template <typename Rule>
std::vector<std::uint16_t> drawTable(int k, Rule rule)
{
    std::vector<std::uint16_t> values(static_cast<std::size_t>(kDrawValues));
    for (int r = 0; r < kDrawValues; r++)
        values[static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(rule(r, k));
    return values;
}

}  // namespace bravolin

#endif
