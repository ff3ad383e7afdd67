// The values of every simulation of a file's null models, per model (Er,
// Ce, Li, Co), kept for a picture of their distributions.
#ifndef BRAVOLIN_COMMON_SIMULATED_VALUES_H
#define BRAVOLIN_COMMON_SIMULATED_VALUES_H

#include <vector>

struct SimulatedValues {
    std::vector<double> model[4];
};

#endif
