// The classic null models Er, Ce, Li and Co, as both analyses draw them.
// Their definitions differ between the analyses in three points, which are
// compile-time rules here, so that each analysis gets draws compiled for it
// alone:
//   the index base of the block randomised: 1 in the temperature's (as
//     packing numbers its lines), 0 in the NODF's;
//   the position a draw r gives in a line of k cells, from the draw's
//     fraction u = r / 32767 in single precision, rounded to the nearest
//     integer with halves down: the temperature's k u, 0 taken as 1
//     (positions 1 to k), the NODF's (k - 1) u (0 to k - 1);
//   the repairs: both put a presence in every empty row, then every empty
//     column, of Er; the NODF's repair Ce too.
// A simulation's four matrices draw from the one classic generator in this
// order: Er's cells row by row, its repair, Ce's cells, its repair (NODF),
// Li row by row, Co column by column. Every draw gives up once stop is
// requested.
#ifndef BRAVOLIN_CORE_NULL_MODELS_CLASSIC_DRAWS_H
#define BRAVOLIN_CORE_NULL_MODELS_CLASSIC_DRAWS_H

#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

struct TemperatureDrawRules {
    static constexpr int kOrigin = 1;
    static constexpr bool kRepairsCe = false;
    static int position(int r, int k);
};

struct NodfDrawRules {
    static constexpr int kOrigin = 0;
    static constexpr bool kRepairsCe = true;
    static int position(int r, int k);
};

// What the draws of every simulation take from the block they randomise:
// its size, the ones of every row and column, the Er threshold (of the
// overall fill), every Ce cell's threshold (of its row's and column's
// fills), and the position every draw gives in a row and in a column.
// These are the same at every simulation, so they are worked out once.
// Lines are numbered from the rules' origin.
struct ClassicDrawPlan {
    int rows = 0, columns = 0;
    std::vector<int> rowOnes, columnOnes;
    int erThreshold = 0;
    std::vector<std::uint16_t> ceThresholds;  // cell (i, j) at i * (columns + origin) + j
    // For k the columns (a row's column) and the rows (a column's row);
    // empty for a side without lines, which is never drawn from.
    std::vector<std::uint16_t> columnPositions, rowPositions;
};

// The plan of the rows x columns block, its cells from the rules' origin.
template <typename Rules>
ClassicDrawPlan planClassicDraws(const CellMatrix& block, int rows, int columns, const StopRequest& stop = {});

// Each model's matrix drawn into out, sized to the plan: Er's cells (before
// its repair), Ce's cells, Li, Co. A cell draw is 1 when the draw's share
// of 10000 is below the cell's threshold (a threshold of 10000 still gives
// 0 for the draw 32767).
template <typename Rules>
void drawErCells(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop = {});
template <typename Rules>
void drawCeCells(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop = {});
template <typename Rules>
void drawLiMatrix(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop = {});
template <typename Rules>
void drawCoMatrix(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& out, const StopRequest& stop = {});

// Puts one 1 at a random place in every empty row of matrix, then in every
// column still empty.
template <typename Rules>
void repairEmptyLines(const ClassicDrawPlan& plan, Generator& generator, CellMatrix& matrix,
                      const StopRequest& stop = {});

// One simulation's four matrices, Er, Ce, Li and Co, into out[0] to out[3]
// (sized to the plan), with the repairs of the rules.
template <typename Rules>
void drawClassicModels(const ClassicDrawPlan& plan, Generator& generator, CellMatrix* out,
                       const StopRequest& stop = {});

}  // namespace bravolin

#endif
