// The null models of mode N. Every simulation draws four random matrices
// from the observed one, in the order Er, Ce, Li, Co, and measures the NODF
// of each:
//   Er keeps the overall fill, Ce the row and column fills on average (both
//   then get one 1 in every empty row and column),
//   Li keeps every row's number of 1s, Co every column's.
// computeNodf writes each run's values to the model's nestedness files and
// sums the Er and Ce totals and their exceedances for the summary line.
#ifndef BRAVOLIN_NODF_NODF_NULL_MODELS_H
#define BRAVOLIN_NODF_NODF_NULL_MODELS_H

#include "common/cell_matrix.h"

// Runs simulationCount simulations on the observed matrix in PresenceMatrix
// (rowCount x columnCount from index 0), whose observed run has set
// observedNodfTotal, on threads threads (1: all on this one), showing a
// progress line with a time estimate and writing the nestedness files.
void runNodfNullModels(int threads);

// Appends the means and P values of Er and Ce to the matrix's summary line,
// which this ends.
void completeNodfSummaryLine();

// The random matrices, drawn from PresenceMatrix into out (rowCount x
// columnCount from index 0).
void drawNodfErMatrix(CellMatrix& out);
void drawNodfCeMatrix(CellMatrix& out);
void drawNodfLiMatrix(CellMatrix& out);
void drawNodfCoMatrix(CellMatrix& out);

// Puts one 1 at a random place in every empty row of matrix, then in every
// column still empty.
void repairEmptyLines(CellMatrix& matrix);

// A random index from 0 to k - 1 for one draw: (k - 1) times the draw's
// fraction, rounded to the nearest integer with halves down.
int drawIndex(int k);

#endif
