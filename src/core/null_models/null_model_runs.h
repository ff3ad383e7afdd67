// What the runs of the null models share beside their runner: the checks
// of their settings and of the observed analysis, the result of a run stopped before it started, and
// the plan of the FF chain.
#ifndef BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H
#define BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H

#include <cstdint>

#include "bravolin/matrix.h"
#include "bravolin/null_models.h"

namespace bravolin {

// Throws Error for a number of simulations or threads below 1.
void checkNullModelSettings(const NullModelSettings& settings);

// Throws Error when the observed analysis, of a rows x columns matrix, is
// not one of matrix.
void checkObservedSize(const Matrix& matrix, int rows, int columns);

// A run stopped while it was prepared, before any simulation or thread
// started: none completed, on the threads planned (none failed to start).
SimulationRun stoppedBeforeStart(const NullModelSettings& settings);

// How the FF chain of a run from a block of rows rows is drawn, with the
// generator state at the run's start: burn-in and thinning as set, or the
// defaults. Not run when the settings leave FF out.
FixedFixedRun planFixedFixedRun(const NullModelSettings& settings, int rows, std::uint32_t fileSeed);

}  // namespace bravolin

#endif
