// Bit operations on 64-bit words, for the analyses that hold rows of cells
// as bits: the NODF's overlaps and the curveball chain's trades.
#ifndef BRAVOLIN_CORE_BITS_H
#define BRAVOLIN_CORE_BITS_H

#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

// Functions inlined into every caller, so that a caller compiled for more
// instructions (see BRAVOLIN_POPCNT_AT_RUN_TIME) uses them there too.
#if defined(__GNUC__)
#define BRAVOLIN_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define BRAVOLIN_ALWAYS_INLINE inline
#endif

// A build for x86 processors that may not assume the popcnt instruction (a
// portable build, as the R package's must be) compiles the NODF's overlap
// counts twice and takes the popcnt variant at run time when the processor
// has it: the same counts, in less than half the time of the portable bit
// counting on large matrices.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__)) && \
    !defined(__POPCNT__)
#define BRAVOLIN_POPCNT_AT_RUN_TIME 1
#else
#define BRAVOLIN_POPCNT_AT_RUN_TIME 0
#endif

namespace bravolin {

constexpr int kWordBits = 64;

// The words that hold cells bits.
inline int wordsFor(int cells)
{
    return (cells + kWordBits - 1) / kWordBits;
}

BRAVOLIN_ALWAYS_INLINE int popcount(std::uint64_t word)
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
