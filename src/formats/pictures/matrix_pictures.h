// SVG pictures of a presence/absence matrix: the packed matrix of mode T with
// its isocline and unexpected cells, and the matrix of mode N in the order the
// NODF was computed in.
//
// Each cell is a square; row 0 is the top row. A presence is a dark
// blue-grey square (#2d3e50) and an absence is left white. Consecutive equal
// cells of a row are drawn as one rectangle. Matrices of more than 62,500
// cells (250 x 250) are reduced: square blocks of cells (at most 40,000
// blocks) are drawn in a shade whose darkness is the block's share of
// presences, and the title says so. Row and column names, or without names
// their numbers in the matrix file, are written beside the grid for a side
// of at most 200 lines when the picture is not reduced; a long name is
// shortened, and a name carries its whole text as a tooltip (an SVG title).
// A legend under the title shows each kind of cell (or block) and line as
// the grid draws it, in colours that colour-blind readers tell apart.
#ifndef BRAVOLIN_FORMATS_PICTURES_MATRIX_PICTURES_H
#define BRAVOLIN_FORMATS_PICTURES_MATRIX_PICTURES_H

#include <string>
#include <utility>
#include <vector>

// What every matrix picture shows: the cells as drawn and the names of
// their lines.
struct MatrixGrid {
    std::string fileName;                  // the matrix file's name, any bytes
    int rows = 0, columns = 0;             // as drawn; 0 for an empty matrix file
    std::vector<unsigned char> cells;      // rows*columns, row-major, top row first, 0 or 1
    std::vector<std::string> rowLabels;    // each row's name, or its number in the matrix file
    std::vector<std::string> columnLabels; // each column's name, or its number
};

// Mode T: the packed (and trimmed) matrix with its isocline.
//
// Unexpected cells are tinted by their contribution relative to the largest
// contribution in the matrix, from a weak tint (also for a contribution of
// 0) to the full colour: an unexpected absence is filled with vermillion
// (#d55e00), an unexpected presence keeps its dark fill and gets a sky-blue
// (#56b4e9) frame inside its square, so that every presence still reads as
// dark. In a reduced picture each block is instead overlaid with vermillion
// as opaque as its share of unexpected cells. The isocline is a dashed
// reddish-purple (#cc79a7) line over the grid.
struct PackedMatrixPicture : MatrixGrid {
    std::vector<float> contribution;       // rows*columns: a cell's share of the temperature
    std::vector<unsigned char> unexpected; // rows*columns: 1 for an unexpected cell
    // Curve points (x, y) with the origin at the bottom-left corner of the
    // matrix: cell (r, c) has its centre at (c + 0.5, rows - r - 0.5).
    std::vector<std::pair<double, double>> isocline;
    double packedFillPercent = 0;
    double temperature = 0;
};

// Throws std::invalid_argument when a size is negative or a vector's length
// does not match the matrix size.
std::string packedMatrixSvg(const PackedMatrixPicture& picture);

// Mode N: the matrix ordered by totals, or in file order.
struct OrderedMatrixPicture : MatrixGrid {
    bool ordered = false;                  // ordered by totals, or left in file order
    double nodfRows = 0, nodfColumns = 0, nodfTotal = 0; // percentages, NaN shown as "nan"
};

// Throws std::invalid_argument as packedMatrixSvg does.
std::string orderedMatrixSvg(const OrderedMatrixPicture& picture);

#endif
