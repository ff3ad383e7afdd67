// Loading small mode T matrices for tests, written as rows of "0"/"1" text,
// and reading them back. Rows and columns are numbered from 1.
#ifndef BRAVOLIN_TESTS_SUPPORT_MODE_T_MATRIX_H
#define BRAVOLIN_TESTS_SUPPORT_MODE_T_MATRIX_H

#include <string>
#include <vector>

// Prepares a matrix file as the driver does before packing: per-matrix state
// reset, rows copied into PresenceMatrix and workingMatrix, counts, fill and
// currentFileName set, the orders the identity.
void loadObservedMatrix(const std::vector<std::string>& rows, const char* fileName = "ISLANDS.TXT");

// The rows 1..rowCount, columns 1..columnCount of workingMatrix.
std::vector<std::string> workingRows();

// order[from .. from + count - 1] as a vector.
std::vector<int> orderEntries(const int* order, int from, int count);

// A random matrix of the given fill, reproducible from seed.
std::vector<std::string> randomRows(int rows, int columns, double fill, unsigned seed);

#endif
