// Matrix packing: rows and columns of a working matrix are reordered so that
// the presences gather in the upper left (rows rich in species on top,
// widespread species on the left), then lines that carry no information
// about nestedness are trimmed and the fill of what remains is measured.
#ifndef BRAVOLIN_PACKING_PACKING_H
#define BRAVOLIN_PACKING_PACKING_H

#include <cstdint>
#include <vector>

#include "common/cell_matrix.h"
#include "common/stop_request.h"

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

// A matrix under analysis in mode T and its packing. The observed matrix of
// a file has one; so has every worker that packs random matrices.
struct PackingContext {
    CellMatrix matrix;          // rows 1..rowCount, columns 1..columnCount
    int rowCount = 0;
    int columnCount = 0;
    // The number, in the matrix file (from 1), of the row or column now at
    // each position; leading full lines removed by trimming stay in the
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

// Whose matrix is packed: the observed matrix of a file shows the spinner
// and writes the packing report; a random matrix of the null models does
// neither (the spinner lines of a simulation are shown by the main thread).
enum class PackRun { Observed, Simulation };

// Packs ctx's matrix: eight iterations of a row pass and a column pass, the
// trimming, the recount of occupiedCount and packedPercentFill. A random
// matrix's packing gives up before a pass once stop is requested.
void packMatrix(PackingContext& ctx, PackRun run, const StopRequest& stop = {});

// One reordering pass over the columns, and one over the rows, each with
// its spinner line.
void sortCols(PackingContext& ctx);
void sortRows(PackingContext& ctx);

// The passes of one packing: 16, each showing the spinner.
constexpr int kPackingPasses = 16;

// Advances spinnerCount and shows the progress line of mode T: runNumber
// and the next character of the spinner.
void showSpinner();

// The same, count times over, in one write to the console.
void showSpinnerLines(int count);

// Whether row `row` of matrix holds no 1 in columns 1..columns, and
// likewise column `column` in rows 1..rows.
bool rowIsEmpty(const CellMatrix& matrix, int row, int columns);
bool columnIsEmpty(const CellMatrix& matrix, int column, int rows);

// The percentage of cells equal to 1 among rows x columns cells, as packing
// and the driver print it: the fraction times 1000 divided by 10, computed
// in double and stored in single precision.
float fillPercentage(int ones, int rows, int columns);

#endif
