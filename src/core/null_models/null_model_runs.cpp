// The checks of a run's settings.
#include "core/null_models/null_model_runs.h"

#include <string>

#include "bravolin/error.h"

namespace bravolin {

void checkNullModelSettings(const NullModelSettings& settings)
{
    if (settings.simulations < 1)
        throw Error("the null models need at least 1 simulation, not " + std::to_string(settings.simulations));
    if (settings.threads < 1)
        throw Error("the null models need at least 1 thread, not " + std::to_string(settings.threads));
}

unsigned long long nullModelMemory(int rows, int columns, int threads)
{
    // A thread holds its working matrices and tables (a few bytes a cell,
    // at most eight) and its fixed tables; a simulation in flight holds its
    // four matrices.
    const unsigned long long cells = static_cast<unsigned long long>(rows + 1) * static_cast<unsigned long long>(columns + 1);
    const unsigned long long perThread = 8 * cells + (1u << 20);
    const unsigned long long perSimulation = 4 * cells;
    const unsigned long long window = static_cast<unsigned long long>(simulationWindow(threads, perSimulation));
    return static_cast<unsigned long long>(threads) * perThread + window * perSimulation;
}

}  // namespace bravolin
