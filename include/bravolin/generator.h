// The pseudo-random generator of the null models: a 32-bit linear
// congruential generator returning 15-bit draws. The null models are
// defined by the exact sequence of its draws, so it is reproduced to the
// bit: the same seed gives the same simulations on every system.
//
// A batch of analyses that shares one generator draws one stream: the
// console program carries its generator from file to file, and the state
// before a file's first draw, given to a new generator, reruns that file.
#ifndef BRAVOLIN_GENERATOR_H
#define BRAVOLIN_GENERATOR_H

#include <cstdint>

namespace bravolin {

class Generator {
public:
    // The largest draw.
    static constexpr int kMaxDraw = 32767;

    explicit Generator(std::uint32_t seed = 1);

    // One draw from 0 to kMaxDraw: the next state's bits 16 to 30.
    int draw()
    {
        if (next_ == kBatch)
            refill();
        return static_cast<int>((states_[next_++] >> 16) & 0x7FFFu);
    }

    // The state after the last draw: a generator seeded with it continues
    // the stream from here.
    std::uint32_t state() const { return next_ == 0 ? previous_ : states_[next_ - 1]; }

private:
    // The states are computed a batch at a time, eight sequences side by
    // side (every eighth state follows from the one eight before it), so
    // that a draw does not wait on the multiplication of the one before
    // it; the draws are exactly the one-at-a-time sequence.
    static constexpr int kBatch = 512;
    void refill();

    std::uint32_t states_[kBatch];
    int next_ = kBatch;          // the state of the next draw
    std::uint32_t previous_ = 0; // the state before states_[0]
};

}  // namespace bravolin

#endif
