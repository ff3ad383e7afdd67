// The temperature as the null-model engine runs it: its models randomise
// the block that the observed analysis kept (its rows and columns in the
// matrix's order, numbered from 1 as the packing numbers them), and each
// random matrix is packed and measured as the observed one was.
#ifndef BRAVOLIN_CORE_NULL_MODELS_TEMPERATURE_NULL_MODELS_H
#define BRAVOLIN_CORE_NULL_MODELS_TEMPERATURE_NULL_MODELS_H

#include "bravolin/matrix.h"
#include "bravolin/temperature.h"
#include "core/cell_matrix.h"
#include "core/null_models/classic_draws.h"
#include "core/null_models/model_table.h"
#include "core/packing/packing.h"
#include "core/stop_request.h"
#include "core/temperature/isocline.h"

namespace bravolin {

// The rows and columns of matrix that the observed analysis kept, in the
// matrix's order; gives up once stop is requested. Throws Error for an
// observed result whose orders cannot be a packing's of matrix.
RandomisedBlock analysedBlock(const Matrix& matrix, const TemperatureResult& observed, const StopRequest& stop = {});

// What a worker needs to pack and measure random matrices.
struct TemperatureWorker {
    PackingContext packing;
    TemperatureContext temperature;
};

// Packs and measures a random matrix of rows x columns cells as the
// observed one was; returns its temperature. drawn is the worker's
// afterwards, and its cells mean nothing.
float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn, int rows, int columns,
                          const StopRequest& stop = {});

}  // namespace bravolin

#endif
