// The program's pseudo-random generator: a 32-bit linear congruential
// generator returning 15-bit draws. The null models of both modes are defined
// by the exact sequence of its draws, so it is reproduced to the bit.
//
// The states are computed a batch at a time, eight sequences side by side
// (every eighth state follows from the one eight before it), so that a draw
// does not wait on the multiplication of the one before it. The sequence of
// draws is exactly the one-at-a-time sequence.
#ifndef BRAVOLIN_COMMON_RANDOM_H
#define BRAVOLIN_COMMON_RANDOM_H

#include <cstdint>

constexpr int kRandomMax = 32767;

// The next states of the generator, and the one before them.
struct RandomBatch {
    static constexpr int kSize = 512;
    std::uint32_t states[kSize];
    int next = kSize;              // the state of the next draw
    std::uint32_t previous = 0;    // the state before states[0]
};
extern RandomBatch randomBatch;

void seedRandom(std::uint32_t seed);

// Computes the next batch of states.
void refillRandomBatch();

// One draw from 0 to kRandomMax.
inline int drawRandom()
{
    if (randomBatch.next == RandomBatch::kSize)
        refillRandomBatch();
    return static_cast<int>((randomBatch.states[randomBatch.next++] >> 16) & 0x7FFFu);
}

// The generator's state: seeding with it continues the sequence from here.
std::uint32_t randomState();

#endif
