// The table of cell shares.
#include "common/draw_tables.h"

const std::uint16_t* cellShares()
{
    static const std::vector<std::uint16_t> shares = [] {
        std::vector<std::uint16_t> table(kRandomMax + 1);
        for (int r = 0; r <= kRandomMax; r++)
            table[static_cast<std::size_t>(r)] =
                static_cast<std::uint16_t>(static_cast<int>(static_cast<double>(r) / kRandomMax * 10000));
        return table;
    }();
    return shares.data();
}
