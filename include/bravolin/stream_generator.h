// The 64-bit pseudo-random generator of the textbook null models (r00, r0,
// c0, r1, r2, quasiswap and curveball) and of the models of abundances
// (r2dtable and abundance_shuffle): xoshiro256** (D. Blackman and
// S. Vigna, "Scrambled linear pseudorandom number generators", ACM
// Transactions on Mathematical Software 47(4), 2021; preprint 2018), period
// 2^256 - 1, its state seeded by SplitMix64 (G. L. Steele, D. Lea and
// C. H. Flood, "Fast splittable pseudorandom number generators", OOPSLA
// 2014), as its authors recommend. Whole numbers below a bound are drawn
// without bias by Lemire's nearly divisionless method (D. Lemire, "Fast
// random integer generation in an interval", ACM Transactions on Modeling
// and Computer Simulation 29(1), 2019).
//
// Only integer arithmetic on fixed-width unsigned types: the same seed
// gives the same draws on every system and compiler.
//
// The classic models keep the classic Generator (generator.h); a model of
// this generator draws from a stream of its own, seeded from the file's
// seed by modelStreamSeed below.
#ifndef BRAVOLIN_STREAM_GENERATOR_H
#define BRAVOLIN_STREAM_GENERATOR_H

#include <cstdint>

namespace bravolin {

// One SplitMix64 output: state advances by 0x9E3779B97F4A7C15 and the new
// state, mixed, is returned.
inline std::uint64_t splitMix64(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

class StreamGenerator {
public:
    // The state is the first four SplitMix64 outputs from seed (never all
    // zero: SplitMix64's mix is a bijection of distinct inputs).
    explicit StreamGenerator(std::uint64_t seed);

    // The next 64 random bits.
    std::uint64_t next()
    {
        const std::uint64_t result = rotateLeft(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotateLeft(state_[3], 45);
        return result;
    }

    // A whole number from 0 to n - 1, each equally likely; n is at least
    // 1. The high 64 bits of the 128-bit product of a draw and n, taken
    // unless its low 64 bits fall in the 2^64 mod n values that would
    // favour some results, in which case the draw is repeated.
    std::uint64_t below(std::uint64_t n)
    {
        std::uint64_t x = next();
        std::uint64_t low = x * n;
        if (low < n) {
            const std::uint64_t threshold = (0 - n) % n;  // 2^64 mod n
            while (low < threshold) {
                x = next();
                low = x * n;
            }
        }
        return multiplyHigh(x, n);
    }

private:
    static std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    // The high 64 bits of a x b: one multiplication where the compiler has
    // a 128-bit type, from 32-bit halves otherwise (MSVC, 32-bit systems).
    static std::uint64_t multiplyHigh(std::uint64_t a, std::uint64_t b)
    {
#if defined(__SIZEOF_INT128__)
        return static_cast<std::uint64_t>((static_cast<unsigned __int128>(a) * b) >> 64);
#else
        const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
        const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
        const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh;
        const std::uint64_t highLow = aHigh * bLow, highHigh = aHigh * bHigh;
        const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
        return highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
#endif
    }

    std::uint64_t state_[4];
};

// The models that draw from a stream of this generator, each with a number
// of its own. The numbers are part of the seeding rule: they are never
// changed or reused, and a new model takes the next free one.
enum class StreamModel : std::uint32_t {
    R00 = 1,
    R0 = 2,
    C0 = 3,
    R1 = 4,
    R2 = 5,
    Quasiswap = 6,
    Curveball = 7,
    R2dtable = 8,
    AbundanceShuffle = 9,
};

// The seed of a model's stream for a file: the file's 32-bit seed (the
// classic generator's state before the file's first draw) in the high 32
// bits, the model's number in the low 32. StreamGenerator(modelStreamSeed(
// fileSeed, model)) is then SplitMix64 of (fileSeed, model): every pair
// gives its own stream, so adding a model to a run, or taking one out,
// leaves every other model's values as they were, and the classic models'
// draws are untouched.
constexpr std::uint64_t modelStreamSeed(std::uint32_t fileSeed, StreamModel model)
{
    return (static_cast<std::uint64_t>(fileSeed) << 32) | static_cast<std::uint32_t>(model);
}

}  // namespace bravolin

#endif
