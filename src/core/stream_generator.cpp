// Seeding of the 64-bit generator of the textbook null models.
#include "bravolin/stream_generator.h"

namespace bravolin {

StreamGenerator::StreamGenerator(std::uint64_t seed)
{
    for (std::uint64_t& word : state_)
        word = splitMix64(seed);
}

}  // namespace bravolin
