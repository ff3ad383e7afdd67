// The order and the seeds of a batch's files.
#include "formats/input/batch_files.h"

#include <algorithm>
#include <cctype>

namespace {

char foldCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool comesBeforeInBatch(const std::string& a, const std::string& b)
{
    std::string foldedA = a, foldedB = b;
    std::transform(foldedA.begin(), foldedA.end(), foldedA.begin(), foldCase);
    std::transform(foldedB.begin(), foldedB.end(), foldedB.begin(), foldCase);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

std::uint32_t seedOfFile(std::uint32_t seed, const std::string& fileName)
{
    std::uint32_t hash = 2166136261u;
    auto take = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (int shift = 0; shift < 32; shift += 8)
        take(static_cast<unsigned char>(seed >> shift));
    for (char c : fileName)
        take(static_cast<unsigned char>(c));
    return hash;
}
