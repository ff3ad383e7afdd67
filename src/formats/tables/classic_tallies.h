// The tallies that end a matrix's line in the classic summary file: a null
// model's mean over its simulations, summed in single precision in
// simulation order as the classic program sums them, and the simulations
// on the nested side of the observed value.
#ifndef BRAVOLIN_FORMATS_TABLES_CLASSIC_TALLIES_H
#define BRAVOLIN_FORMATS_TABLES_CLASSIC_TALLIES_H

#include <vector>

struct ClassicTally {
    float mean = 0;  // 0 without a simulation
    int counted = 0;
};

// counts(value) says whether a simulated value counts toward the P value.
template <typename Counts>
ClassicTally classicTally(const std::vector<float>& values, Counts counts)
{
    ClassicTally tally;
    float sum = 0;
    for (float value : values) {
        sum = static_cast<float>(static_cast<double>(sum) + value);
        tally.counted += counts(value) ? 1 : 0;
    }
    if (!values.empty())
        tally.mean = static_cast<float>(static_cast<double>(sum) / static_cast<double>(values.size()));
    return tally;
}

#endif
