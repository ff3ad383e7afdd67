// The program's pseudo-random generator: a 32-bit linear congruential
// generator returning 15-bit draws. The null models of both modes are defined
// by the exact sequence of its draws, so it is reproduced to the bit.
#ifndef BRAVOLIN_COMMON_RANDOM_H
#define BRAVOLIN_COMMON_RANDOM_H

#include <cstdint>

constexpr int kRandomMax = 32767;

extern std::uint32_t randomState;

void seedRandom(std::uint32_t seed);

// One draw from 0 to kRandomMax.
inline int drawRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

// Seeds the generator with the current time in seconds.
void seedRandomFromClock();

#endif
