// Matrices for tests, written as rows of "0"/"1" text: as library matrices,
// as the working matrices of the packing (rows and columns from 1), and as
// the text of matrix files.
#ifndef BRAVOLIN_TESTS_SUPPORT_MATRICES_H
#define BRAVOLIN_TESTS_SUPPORT_MATRICES_H

#include <string>
#include <vector>

#include "bravolin/matrix.h"
#include "core/cell_matrix.h"
#include "core/packing/packing.h"

using Rows = std::vector<std::string>;

// The matrix of rows, and back.
bravolin::Matrix matrixOf(const Rows& rows);
Rows rowsOf(const bravolin::Matrix& matrix);

// ctx made ready for packing rows, as the analysis does: the working
// matrix, its size and ones, the orders the identity.
void loadPacking(bravolin::PackingContext& ctx, const Rows& rows);

// Rows and columns of matrix from origin (the packing's 1 by default) as
// text, and back.
Rows matrixRows(const bravolin::CellMatrix& matrix, int rows, int columns, int origin = 1);
bravolin::CellMatrix cellMatrixOf(const Rows& rows, int origin);

// The rows 1..rowCount, columns 1..columnCount of ctx's working matrix.
Rows workingRows(const bravolin::PackingContext& ctx);

// Rows as the text of a matrix file, each ended by a line end.
std::string matrixText(const Rows& rows);

// A random matrix of the given fill, reproducible from seed.
Rows randomRows(int rows, int columns, double fill, unsigned seed);

#endif
