// Steering the pseudo-random generator in tests.
#ifndef BRAVOLIN_TESTS_SUPPORT_RANDOM_DRAWS_H
#define BRAVOLIN_TESTS_SUPPORT_RANDOM_DRAWS_H

#include <cstdint>

#include "bravolin/generator.h"

// A generator whose next draw is value (0..32767).
inline bravolin::Generator generatorDrawingNext(int value)
{
    // The state after the draw is value << 16; step back through the
    // generator with the inverse of its multiplier modulo 2^32.
    std::uint32_t inverse = 214013u;
    for (int i = 0; i < 5; i++)
        inverse *= 2u - 214013u * inverse;
    const std::uint32_t next = static_cast<std::uint32_t>(value) << 16;
    return bravolin::Generator((next - 2531011u) * inverse);
}

#endif
