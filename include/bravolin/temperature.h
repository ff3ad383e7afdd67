// The matrix temperature: the matrix is packed (rows and columns reordered
// so that the presences gather in the upper left, then lines that carry no
// information trimmed), an isocline is fitted to the packed matrix, and
// every cell on the unexpected side of it adds to the temperature of the
// matrix, of its row and of its column. Values are single-precision floats,
// exactly those the console program prints from.
#ifndef BRAVOLIN_TEMPERATURE_H
#define BRAVOLIN_TEMPERATURE_H

#include <atomic>
#include <functional>
#include <vector>

#include "bravolin/matrix.h"

namespace bravolin {

// A point of the isocline in the packed matrix's plane: the origin at its
// bottom-left corner, a cell one unit wide and high, so that the cell in
// packed row i and column j (from 0, top row first) has its centre at
// (j + 0.5, rows - i - 0.5).
struct IsoclinePoint {
    double x = 0, y = 0;
};

// A cell on the unexpected side of the isocline: a presence below it or an
// absence above it, by its position in the packed matrix (from 0).
struct UnexpectedCell {
    int row = 0, column = 0;
    bool presence = false;
    float contribution = 0;  // its part of the temperature
};

// The orders after one pass of the packing, with every row and column of
// the matrix (trimming comes after the last pass).
struct PackingPass {
    int iteration = 0;     // 1 to 8
    bool columnPass = false;
    std::vector<int> rowOrder, columnOrder;
};

// The passes of a packing: eight iterations of a row pass and a column
// pass.
constexpr int kPackingPasses = 16;

struct TemperatureOptions {
    // List the unexpected cells; a matrix of millions of cells may have
    // millions of them.
    bool unexpectedCells = true;
    // Keep the orders after every pass of the packing.
    bool packingHistory = false;
    // Called before each pass of the packing: progress.
    std::function<void()> onPackingPass;
    // When set (from any thread) while the analysis runs, it gives up
    // within milliseconds by throwing Stopped.
    const std::atomic<bool>* stop = nullptr;
};

struct TemperatureResult {
    int rows = 0, columns = 0;  // the matrix analysed
    float fill = 0;             // its percentage of presences

    // The packed matrix: the rows and columns kept, in packed order, each
    // by its index in the matrix analysed. Its size is rowOrder.size() x
    // columnOrder.size().
    std::vector<int> rowOrder, columnOrder;
    float packedFill = 0;       // percentage of presences after trimming

    float temperature = 0;
    std::vector<float> rowTemperature;     // by packed position
    std::vector<float> columnTemperature;  // by packed position

    float isoclineParameter = 0;
    // Points of the fitted isocline, from the bottom-left cell centre to the
    // top-right one, in order along the curve: evenly spaced ones and the
    // point the fit found at every column.
    std::vector<IsoclinePoint> isocline;
    // Row by row, when asked for.
    std::vector<UnexpectedCell> unexpected;
    // The 16 passes, when asked for.
    std::vector<PackingPass> packingHistory;

    int packedRows() const { return static_cast<int>(rowOrder.size()); }
    int packedColumns() const { return static_cast<int>(columnOrder.size()); }
};

// Packs matrix and measures its temperature. Throws Error for a matrix
// without rows or without columns, Stopped when options.stop is set.
TemperatureResult analyseTemperature(const Matrix& matrix, const TemperatureOptions& options = {});

// The matrix in packed order, trimmed: row i is matrix row rowOrder[i],
// with the row and column names of the lines kept.
Matrix packedMatrix(const Matrix& matrix, const TemperatureResult& result);

}  // namespace bravolin

#endif
