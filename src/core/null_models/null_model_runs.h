// What the runs of the null models share beside their runner: the checks
// of their settings and of the observed analysis, the result of a run
// stopped before it started, and the plans of the curveball chain and of
// the quasiswap draws.
#ifndef BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H
#define BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H

#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/null_models.h"

namespace bravolin {

// Throws Error for a number of simulations or threads below 1, a model
// that is none, or a precision that is neither 0 nor above.
void checkNullModelSettings(const NullModelSettings& settings);

// Throws Error when the observed analysis, of a rows x columns matrix, is
// not one of matrix.
void checkObservedSize(const Matrix& matrix, int rows, int columns);

// A run stopped while it was prepared, before any simulation or thread
// started: none completed, on the threads planned (none failed to start).
SimulationRun stoppedBeforeStart(const NullModelSettings& settings);

// How the curveball chain and the quasiswap draws of a run of the models
// ran (modelsOfRun) from a block of rows rows are drawn: their trades as
// set, or the defaults. Not run when ran leaves the model out.
FixedFixedRun planFixedFixedRun(const NullModelSettings& settings, const std::vector<NullModel>& ran, int rows);
QuasiswapRun planQuasiswapRun(const NullModelSettings& settings, const std::vector<NullModel>& ran, int rows);

}  // namespace bravolin

#endif
