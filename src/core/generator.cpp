// Seeding and batches of the pseudo-random generator.
#include "bravolin/generator.h"

namespace bravolin {

namespace {

constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;
constexpr int kLanes = 8;

// Eight steps of the generator at once: state * a^8 + c (a^7 + ... + 1).
constexpr std::uint32_t multiplierOfSteps(int steps)
{
    std::uint32_t product = 1;
    for (int i = 0; i < steps; i++)
        product *= kMultiplier;
    return product;
}

constexpr std::uint32_t incrementOfSteps(int steps)
{
    std::uint32_t sum = 0;
    for (int i = 0; i < steps; i++)
        sum = sum * kMultiplier + kIncrement;
    return sum;
}

constexpr std::uint32_t kLaneMultiplier = multiplierOfSteps(kLanes);
constexpr std::uint32_t kLaneIncrement = incrementOfSteps(kLanes);

}  // namespace

// A batch is refilled once every state of it is drawn: its last state is
// the one the new batch follows. Seeding makes the seed that last state.
Generator::Generator(std::uint32_t seed)
{
    states_[kBatch - 1] = seed;
}

void Generator::refill()
{
    std::uint32_t state = states_[kBatch - 1];
    previous_ = state;
    for (int i = 0; i < kLanes; i++) {
        state = state * kMultiplier + kIncrement;
        states_[i] = state;
    }
    for (int i = kLanes; i < kBatch; i++)
        states_[i] = states_[i - kLanes] * kLaneMultiplier + kLaneIncrement;
    next_ = 0;
}

}  // namespace bravolin
