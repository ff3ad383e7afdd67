// The exchange sort of the packing passes. Its order among equal entries
// decides the packed matrix, so it is kept exactly: for every position i and
// every later position j, entries i and j are swapped when entry j comes
// strictly before entry i. Entries are a key and a line number, held in two
// arrays numbered from 1.
#ifndef BRAVOLIN_CORE_PACKING_EXCHANGE_SORT_H
#define BRAVOLIN_CORE_PACKING_EXCHANGE_SORT_H

#include <cstdint>
#include <cstring>

#include "core/stop_request.h"

namespace bravolin {

enum class SortOrder { Increasing, Decreasing };

// The keys are 32-bit integers. A score, a single-precision value that is
// never negative, sorts as its bit pattern: for such values the patterns
// order as the values do, and equal values have equal patterns.
inline std::int32_t scoreKey(float score)
{
    std::int32_t bits;
    std::memcpy(&bits, &score, sizeof bits);
    return bits;
}

// Gives up, leaving the entries half sorted, once stop is requested.
template <SortOrder order>
void exchangeSort(std::int32_t* keys, int* lines, int count, const StopRequest& stop = {})
{
    // A list already in order makes the procedure swap nothing: skip its
    // quadratic scan.
    bool ordered = true;
    for (int i = 2; i <= count && ordered; i++)
        ordered = order == SortOrder::Increasing ? keys[i] >= keys[i - 1] : keys[i] <= keys[i - 1];
    if (ordered)
        return;
    for (int i = 1; i <= count; i++) {
        stop.abandonAtLineIfRequested(i);
        std::int32_t held = keys[i];
        int heldLine = lines[i];
        // About half of the later entries are swapped, at places no branch
        // predictor foresees, so the swap is done with masks: entry j and
        // the held entry trade their differing bits when j comes first.
        for (int j = i + 1; j <= count; j++) {
            const std::int32_t key = keys[j];
            const int line = lines[j];
            const bool swap = order == SortOrder::Increasing ? key < held : key > held;
            const std::int32_t mask = -static_cast<std::int32_t>(swap);
            const std::int32_t keyChange = (key ^ held) & mask;
            const int lineChange = (line ^ heldLine) & mask;
            keys[j] = key ^ keyChange;
            lines[j] = line ^ lineChange;
            held ^= keyChange;
            heldLine ^= lineChange;
        }
        keys[i] = held;
        lines[i] = heldLine;
    }
}

}  // namespace bravolin

#endif
