// The random matrices of the temperature's null models and their
// measurement. The models randomise the block that the observed analysis
// kept: its rows and columns in the matrix's order, numbered from 1 as the
// packing numbers them.
#ifndef BRAVOLIN_CORE_NULL_MODELS_TEMPERATURE_DRAWS_H
#define BRAVOLIN_CORE_NULL_MODELS_TEMPERATURE_DRAWS_H

#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/temperature.h"
#include "core/cell_matrix.h"
#include "core/packing/packing.h"
#include "core/stop_request.h"
#include "core/temperature/isocline.h"

namespace bravolin {

// What the draws of every simulation take from the block they randomise:
// its size, the ones of every row and column, the Er threshold (of the
// overall fill) and every Ce cell's threshold (of its row's and column's
// fills), and the positions a draw gives in a row and in a column. These
// are the same at every simulation, so they are worked out once.
struct TemperatureDrawPlan {
    int rows = 0, columns = 0;
    std::vector<int> rowOnes, columnOnes;  // from index 1
    int erThreshold = 0;
    std::vector<std::uint16_t> ceThresholds;  // cell (i, j) at i * (columns + 1) + j
    // The position from 1 to k of every draw: k times the draw's fraction,
    // rounded to the nearest integer with halves down, 0 taken as 1; for k
    // the columns (a row's column) and the rows (a column's row).
    std::vector<std::uint16_t> columnPositions, rowPositions;
};

// The rows and columns of matrix that the observed analysis kept, in the
// matrix's order. Like the plan below, it gives up once stop is requested.
CellMatrix analysedBlock(const Matrix& matrix, const TemperatureResult& observed, int* rows, int* columns,
                         const StopRequest& stop = {});

TemperatureDrawPlan planTemperatureDraws(const CellMatrix& block, int rows, int columns,
                                         const StopRequest& stop = {});

// The position of draw r for k, as the plan's tables hold it.
int positionOfDraw(int r, int k);

// The random matrices of the four models, drawn into the same block of out,
// each consuming its draws in a fixed order; each gives up once stop is
// requested.
void drawErMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out,
                  const StopRequest& stop = {});
void drawCeMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out,
                  const StopRequest& stop = {});
void drawLiMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out,
                  const StopRequest& stop = {});
void drawCoMatrix(const TemperatureDrawPlan& plan, Generator& generator, CellMatrix& out,
                  const StopRequest& stop = {});

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
