// Matrix packing: rows and columns of a working matrix are reordered so that
// the presences gather in the upper left (rows rich in species on top,
// widespread species on the left), then lines that carry no information
// about nestedness are trimmed and the fill of what remains is measured.
#ifndef BRAVOLIN_CORE_PACKING_PACKING_H
#define BRAVOLIN_CORE_PACKING_PACKING_H

#include <cstdint>
#include <functional>
#include <vector>

#include "bravolin/temperature.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

// The storage of the reordering passes; its contents mean nothing between
// passes.
struct PackingScratch {
    CellMatrix moved;
    std::vector<int> presenceLines, absenceLines, keyLines;
    std::vector<std::int32_t> presenceKeys, absenceKeys, doubledKeys;
    std::vector<int> presenceRank, absenceRank, order;
    std::vector<float> presenceScore, absenceScore;
    std::vector<int> presenceSum, absenceSum;
};

// A matrix under analysis by the temperature, and its packing. The observed
// matrix has one; so has every worker that packs random matrices.
struct PackingContext {
    CellMatrix matrix;          // rows 1..rowCount, columns 1..columnCount
    int rowCount = 0;
    int columnCount = 0;
    // The number, in the matrix analysed (from 1), of the row or column now
    // at each position; leading full lines removed by trimming stay in the
    // orders, which are then read from removedFullRows + 1 on.
    std::vector<int> rowOrder;
    std::vector<int> columnOrder;
    int removedFullRows = 0;
    int removedFullColumns = 0;
    int occupiedCount = 0;      // cells equal to 1 after trimming
    float packedPercentFill = 0;
    PackingScratch scratch;
};

// Makes ctx ready for a matrix of rows x columns: the matrix sized (its
// cells left for the caller to fill), the orders the identity, every count
// and result 0.
void startMatrix(PackingContext& ctx, int rows, int columns);

// What an observed packing reports as it goes: progress before each pass,
// and the orders after each (their numbers from 1, as in PackingContext,
// turned into indices from 0).
struct PackingWatch {
    std::function<void()> beforePass;
    std::vector<PackingPass>* history = nullptr;
};

// Packs ctx's matrix: eight iterations of a row pass and a column pass, the
// trimming, the recount of occupiedCount and packedPercentFill. The packing
// gives up, within a pass too, once stop is requested.
void packMatrix(PackingContext& ctx, const StopRequest& stop = {}, const PackingWatch* watch = nullptr);

// One reordering pass over the columns, and one over the rows; each
// returns whether it moved any line, or gives up once stop is requested.
bool reorderColumns(PackingContext& ctx, const StopRequest& stop = {});
bool reorderRows(PackingContext& ctx, const StopRequest& stop = {});

// The percentage of cells equal to 1 among rows x columns cells: the
// fraction times 1000 divided by 10, computed in double and stored in
// single precision.
float fillPercentage(long long ones, int rows, int columns);

}  // namespace bravolin

#endif
