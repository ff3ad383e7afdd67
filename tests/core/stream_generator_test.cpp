// The 64-bit generator of the textbook models: SplitMix64 and xoshiro256**
// as published, unbiased bounded draws, and the seeding rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bravolin/stream_generator.h"
#include "support/chi_square.h"

using namespace bravolin;

namespace {

// xoshiro256** from its authors' definition, on a given state.
struct ReferenceXoshiro {
    std::uint64_t s[4];
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t next()
    {
        const std::uint64_t result = rotl(s[1] * 5, 7) * 9;
        const std::uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = rotl(s[3], 45);
        return result;
    }
};

}  // namespace

TEST(StreamGenerator, SplitMix64AndXoshiroGiveTheirPublishedOutputs)
{
    // SplitMix64 from state 0.
    std::uint64_t state = 0;
    const std::uint64_t splitMix[] = {0xE220A8397B1DCDAFu, 0x6E789E6AA1B965F4u, 0x06C45D188009454Fu,
                                      0xF88BB8A8724C81ECu};
    for (std::uint64_t expected : splitMix)
        EXPECT_EQ(splitMix64(state), expected);
    // xoshiro256** from the state 1, 2, 3, 4.
    ReferenceXoshiro reference{{1, 2, 3, 4}};
    for (std::uint64_t expected : {11520ull, 0ull, 1509978240ull, 1215971899390074240ull})
        EXPECT_EQ(reference.next(), expected);
    // The generator of seed 0 is xoshiro256** from those four SplitMix64
    // outputs.
    StreamGenerator generator(0);
    ReferenceXoshiro seeded{{splitMix[0], splitMix[1], splitMix[2], splitMix[3]}};
    for (int i = 0; i < 1000; i++)
        ASSERT_EQ(generator.next(), seeded.next()) << "draw " << i;
}

TEST(StreamGenerator, BoundedDrawsAreTheHighPartOfTheProductWithoutBias)
{
    // Below a power of 2 nothing is rejected: the draw's top bits.
    StreamGenerator bounded(7), plain(7);
    for (int i = 0; i < 100; i++)
        ASSERT_EQ(bounded.below(std::uint64_t{1} << 20), plain.next() >> 44);
    // Below n = 3 x 2^62 the product of x and n is 3x x 2^62: its high part
    // is 3x / 4, and its low part, (3x mod 4) x 2^62, falls below
    // 2^64 mod n = 2^62 exactly when x is a multiple of 4, which is drawn
    // again.
    const std::uint64_t n = std::uint64_t{3} << 62;
    int rejected = 0;
    for (int i = 0; i < 1000; i++) {
        std::uint64_t x = plain.next();
        for (; (x & 3) == 0; x = plain.next())
            rejected++;
        ASSERT_EQ(bounded.below(n), (x >> 2) * 3 + ((x & 3) * 3 >> 2)) << "draw " << i;
    }
    EXPECT_GT(rejected, 150);
    // Below 6: every value equally often, and below 1 always 0.
    std::vector<long long> counts(6, 0);
    for (int i = 0; i < 60000; i++)
        counts[static_cast<std::size_t>(bounded.below(6))]++;
    EXPECT_GT(chiSquareFit(counts, std::vector<double>(6, 1.0 / 6)).p, 0.001);
    EXPECT_EQ(bounded.below(1), 0u);
}

TEST(StreamGenerator, EveryModelOfAFileHasAStreamOfItsOwn)
{
    // The rule: the file's seed above the model's number.
    EXPECT_EQ(modelStreamSeed(0x89ABCDEFu, StreamModel::Quasiswap), 0x89ABCDEF00000006u);
    StreamGenerator r00(modelStreamSeed(1, StreamModel::R00)), r0(modelStreamSeed(1, StreamModel::R0)),
        otherFile(modelStreamSeed(2, StreamModel::R00));
    const std::uint64_t first = r00.next();
    EXPECT_NE(first, r0.next());
    EXPECT_NE(first, otherFile.next());
}
