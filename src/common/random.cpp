// State, seeding and batches of the pseudo-random generator.
#include "common/random.h"

RandomBatch randomBatch;

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
void seedRandom(std::uint32_t seed)
{
    randomBatch.states[RandomBatch::kSize - 1] = seed;
    randomBatch.next = RandomBatch::kSize;
}

void refillRandomBatch()
{
    std::uint32_t* states = randomBatch.states;
    std::uint32_t state = states[RandomBatch::kSize - 1];
    randomBatch.previous = state;
    for (int i = 0; i < kLanes; i++) {
        state = state * kMultiplier + kIncrement;
        states[i] = state;
    }
    for (int i = kLanes; i < RandomBatch::kSize; i++)
        states[i] = states[i - kLanes] * kLaneMultiplier + kLaneIncrement;
    randomBatch.next = 0;
}

std::uint32_t randomState()
{
    return randomBatch.next == 0 ? randomBatch.previous : randomBatch.states[randomBatch.next - 1];
}
