// Every small 0/1 matrix that keeps a null model's constraints, and the
// frequencies with which a model draws them: the uniformity tests compare
// these with the exact distribution. A matrix of at most 32 cells is a
// mask, cell (r, c) at bit r x columns + c.
#ifndef BRAVOLIN_TESTS_SUPPORT_MATRIX_CENSUS_H
#define BRAVOLIN_TESTS_SUPPORT_MATRIX_CENSUS_H

#include <cstdint>
#include <functional>
#include <vector>

#include "bravolin/matrix.h"
#include "core/cell_matrix.h"
#include "support/chi_square.h"

using MatrixMask = std::uint32_t;

// The rows x columns matrices, in increasing mask order, whose rows have
// rowTotals (any, when empty) and that keep passes.
std::vector<MatrixMask> enumerateMatrices(int rows, int columns, const std::vector<int>& rowTotals,
                                          const std::function<bool(MatrixMask)>& keep);

// The matrices with the row and column totals of observed.
std::vector<MatrixMask> matricesWithTotalsOf(const bravolin::Matrix& observed);

std::vector<int> columnTotalsOf(MatrixMask matrix, int rows, int columns);
MatrixMask maskOf(const bravolin::CellMatrix& matrix, int rows, int columns);

// draws matrices drawn by draw, counted by member and fitted to the
// members' probabilities; outside counts those that are no member.
struct CensusFit {
    ChiSquareFit fit;
    long long outside = 0;
};
CensusFit fitDraws(const std::vector<MatrixMask>& members, const std::vector<double>& probabilities, int draws,
                   const std::function<MatrixMask()>& draw);

// The same probability for every member.
std::vector<double> uniformOver(const std::vector<MatrixMask>& members);

#endif
