// The generator: its sequence, its batches and its state.
#include <gtest/gtest.h>

#include "bravolin/generator.h"

using bravolin::Generator;

TEST(Generator, SeedOneGivesTheKnownSequence)
{
    Generator generator(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected)
        EXPECT_EQ(generator.draw(), value);
}

TEST(Generator, StateWrapsModulo32BitsAndDrawsStayIn15Bits)
{
    Generator generator(0xFFFFFFFFu);
    // state = 0xFFFFFFFF * 214013 + 2531011 modulo 2^32
    std::uint32_t state = 0xFFFFFFFFu * 214013u + 2531011u;
    EXPECT_EQ(generator.draw(), static_cast<int>((state >> 16) & 0x7FFF));
    for (int i = 0; i < 100000; i++) {
        int r = generator.draw();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, Generator::kMaxDraw);
    }
}

TEST(Generator, BatchesDrawTheOneAtATimeSequenceAndTheStateContinuesIt)
{
    std::uint32_t state = 12345;
    Generator generator(state);
    EXPECT_EQ(generator.state(), 12345u);
    for (int i = 0; i < 3 * 512 + 7; i++) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(generator.draw(), static_cast<int>((state >> 16) & 0x7FFF)) << "draw " << i;
        ASSERT_EQ(generator.state(), state) << "draw " << i;
    }
    // A generator seeded with the state reached continues the same
    // sequence, wherever in a batch it stands.
    Generator continued(generator.state());
    EXPECT_EQ(continued.draw(), generator.draw());
}
