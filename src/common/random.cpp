// State and seeding of the pseudo-random generator.
#include "common/random.h"

#include <ctime>

std::uint32_t randomState = 1;

void seedRandom(std::uint32_t seed)
{
    randomState = seed;
}

void seedRandomFromClock()
{
    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
}
