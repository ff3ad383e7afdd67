// The rows or the columns of a presence/absence matrix as bits, 64 cells a
// word, with their totals: the overlaps of two lines are then popcounts of
// the AND of their words.
#ifndef BRAVOLIN_CORE_METRICS_PACKED_LINES_H
#define BRAVOLIN_CORE_METRICS_PACKED_LINES_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bravolin/matrix.h"
#include "core/bits.h"

namespace bravolin {

struct PackedLines {
    int count = 0;  // lines
    int words = 0;  // words per line
    std::vector<std::uint64_t> bits;
    std::vector<int> totals;  // presences of each line

    const std::uint64_t* line(int i) const
    {
        return bits.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(words);
    }
};

PackedLines packedRows(const Matrix& matrix);
PackedLines packedColumns(const Matrix& matrix);

// The cells present in both lines.
inline int sharedCells(const std::uint64_t* first, const std::uint64_t* second, int words)
{
    int shared = 0;
    for (int w = 0; w < words; w++)
        shared += popcount(first[w] & second[w]);
    return shared;
}

}  // namespace bravolin

#endif
