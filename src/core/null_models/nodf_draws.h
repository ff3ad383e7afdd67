// The random matrices of the NODF's null models: drawn from the whole
// matrix, rows and columns numbered from 0.
#ifndef BRAVOLIN_CORE_NULL_MODELS_NODF_DRAWS_H
#define BRAVOLIN_CORE_NULL_MODELS_NODF_DRAWS_H

#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

// What the draws of every simulation take from the matrix: its size, the
// ones of every row and column, the Er threshold (of the overall fill),
// every Ce cell's threshold (of its row's and column's fills), and the
// index a draw gives in a row and in a column. These are the same at every
// simulation, so they are worked out once.
struct NodfDrawPlan {
    int rows = 0, columns = 0;
    std::vector<int> rowOnes, columnOnes;
    int erThreshold = 0;
    std::vector<std::uint16_t> ceThresholds;  // row by row
    // The index from 0 to k - 1 of every draw: (k - 1) times the draw's
    // fraction, rounded to the nearest integer with halves down; for k the
    // columns and the rows (empty for a side without lines).
    std::vector<std::uint16_t> columnIndexes, rowIndexes;
};
// Gives up once stop is requested.
NodfDrawPlan planNodfDraws(const Matrix& matrix, const StopRequest& stop = {});

// The index of draw r for k, as the plan's tables hold it.
int indexOfDraw(int r, int k);

// The random matrices, drawn into out (plan.rows x plan.columns from index
// 0), each consuming its draws in a fixed order; each gives up once stop is
// requested.
void drawNodfErMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out,
                      const StopRequest& stop = {});
void drawNodfCeMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out,
                      const StopRequest& stop = {});
void drawNodfLiMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out,
                      const StopRequest& stop = {});
void drawNodfCoMatrix(const NodfDrawPlan& plan, Generator& generator, CellMatrix& out,
                      const StopRequest& stop = {});

// Puts one 1 at a random place in every empty row of matrix, then in every
// column still empty.
void repairEmptyLines(const NodfDrawPlan& plan, Generator& generator, CellMatrix& matrix,
                      const StopRequest& stop = {});

}  // namespace bravolin

#endif
