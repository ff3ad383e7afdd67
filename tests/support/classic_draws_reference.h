// The classic null models as their definitions read, drawn one draw at a
// time from a plain copy of the classic generator's recurrence, for both
// analyses: slow, and written apart from the program's tables and plans,
// so that the program's draws can be compared with them draw for draw.
#ifndef BRAVOLIN_TESTS_SUPPORT_CLASSIC_DRAWS_REFERENCE_H
#define BRAVOLIN_TESTS_SUPPORT_CLASSIC_DRAWS_REFERENCE_H

#include <cstdint>
#include <vector>

#include "support/matrices.h"

// What the two analyses' definitions make different.
struct ClassicDefinition {
    int origin;  // the number of the first row and column
    // The position, from origin, that the draw's fraction u gives in a line
    // of k cells.
    int (*position)(float u, int k);
    bool repairsCe;  // besides Er's empty lines
};

// The temperature's (lines from 1, round(k u) with 0 taken as 1, Er
// repaired) and the NODF's (lines from 0, round((k - 1) u), Er and Ce
// repaired).
ClassicDefinition temperatureDefinition();
ClassicDefinition nodfDefinition();

struct ReferenceDraws {
    std::vector<Rows> matrices;  // Er, Ce, Li, Co
    std::uint32_t state = 0;     // the generator's after the last draw
};

// One simulation's four matrices from the observed block, the generator
// seeded with seed.
ReferenceDraws referenceClassicDraws(const Rows& block, std::uint32_t seed, const ClassicDefinition& definition);

#endif
