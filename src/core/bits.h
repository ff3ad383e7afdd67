// Bit operations on 64-bit words, for the analyses that hold rows of cells
// as bits: the NODF's overlaps and the FF chain's trades.
#ifndef BRAVOLIN_CORE_BITS_H
#define BRAVOLIN_CORE_BITS_H

#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace bravolin {

constexpr int kWordBits = 64;

// The words that hold cells bits.
inline int wordsFor(int cells)
{
    return (cells + kWordBits - 1) / kWordBits;
}

inline int popcount(std::uint64_t word)
{
#if defined(_MSC_VER)
    return static_cast<int>(__popcnt64(word));
#else
    return __builtin_popcountll(word);
#endif
}

// The index of the lowest bit set; word is not 0.
inline int lowestSetBit(std::uint64_t word)
{
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward64(&index, word);
    return static_cast<int>(index);
#else
    return __builtin_ctzll(word);
#endif
}

}  // namespace bravolin

#endif
