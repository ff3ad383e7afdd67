// Loading small mode T matrices for tests, written as rows of "0"/"1" text,
// and reading them back. Rows and columns are numbered from 1.
#ifndef BRAVOLIN_TESTS_SUPPORT_MODE_T_MATRIX_H
#define BRAVOLIN_TESTS_SUPPORT_MODE_T_MATRIX_H

#include <string>
#include <vector>

#include "common/cell_matrix.h"
#include "packing/packing.h"

// Prepares a matrix file as the driver does before packing: rows copied
// into PresenceMatrix and into ctx's working matrix, the size, fill,
// currentFileName and its report names set, the orders the identity.
void loadObservedMatrix(PackingContext& ctx, const std::vector<std::string>& rows,
                        const char* fileName = "ISLANDS.TXT");

// Rows 1..rows, columns 1..columns of matrix as text.
std::vector<std::string> matrixRows(const CellMatrix& matrix, int rows, int columns);

// The rows 1..rowCount, columns 1..columnCount of ctx's working matrix.
std::vector<std::string> workingRows(const PackingContext& ctx);

// order[from .. from + count - 1] as a vector.
std::vector<int> orderEntries(const std::vector<int>& order, int from, int count);

// Rows as the text of a matrix file, each ended by a line end.
std::string matrixText(const std::vector<std::string>& rows);

// A random matrix of the given fill, reproducible from seed.
std::vector<std::string> randomRows(int rows, int columns, double fill, unsigned seed);

#endif
