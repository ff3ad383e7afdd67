// The tables of every draw's share and fraction: constants, worked out once
// for the whole program.
#include "core/null_models/draw_tables.h"

namespace bravolin {

const std::uint16_t* cellShares()
{
    static const std::vector<std::uint16_t> shares = [] {
        std::vector<std::uint16_t> table(static_cast<std::size_t>(kDrawValues));
        for (int r = 0; r < kDrawValues; r++)
            table[static_cast<std::size_t>(r)] = static_cast<std::uint16_t>(
                static_cast<int>(static_cast<double>(r) / Generator::kMaxDraw * 10000));
        return table;
    }();
    return shares.data();
}

const float* drawFractions()
{
    static const std::vector<float> fractions = [] {
        std::vector<float> table(static_cast<std::size_t>(kDrawValues));
        for (int r = 0; r < kDrawValues; r++)
            table[static_cast<std::size_t>(r)] = static_cast<float>(static_cast<double>(r) / Generator::kMaxDraw);
        return table;
    }();
    return fractions.data();
}

}  // namespace bravolin
