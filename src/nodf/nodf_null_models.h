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

#include <cstdint>
#include <string>
#include <vector>

#include "common/cell_matrix.h"
#include "common/simulated_values.h"
#include "common/simulation_pipeline.h"

// Runs simulationCount simulations on the observed matrix in PresenceMatrix
// (rowCount x columnCount from index 0), whose observed run has set
// observedNodfTotal, on threads threads (1: all on this one), showing a
// progress line with a time estimate and writing the nestedness files.
// Keeps every simulated total NODF, as a percentage, in kept when it is
// given. Returns the threads that ran them. An interrupt ends the program
// once the simulations completed before it are written.
int runNodfNullModels(const SimulationThreads& threads, SimulatedValues* kept = nullptr);

// Appends the means and P values of Er and Ce to the matrix's summary line,
// which this ends.
void completeNodfSummaryLine();

// Those values as written: the mean total NODF and P value of Er, then of
// Ce.
std::vector<std::string> nodfNullModelSummary();

// What the draws of every simulation of a file take from its observed
// matrix (PresenceMatrix, rowCount x columnCount from index 0): the ones of
// every row and column, the Er threshold (of fillFraction) and every Ce
// cell's threshold (of rowFillFraction and columnFillFraction). These are
// the same at every simulation, so they are worked out once per file.
struct NodfDrawPlan {
    int rows = 0, columns = 0;
    std::vector<int> rowOnes, columnOnes;
    int erThreshold = 0;
    std::vector<std::uint16_t> ceThresholds;  // row by row
};
NodfDrawPlan planNodfDraws();

// The random matrices, drawn into out (plan.rows x plan.columns from index
// 0), each consuming its draws in a fixed order.
void drawNodfErMatrix(const NodfDrawPlan& plan, CellMatrix& out);
void drawNodfCeMatrix(const NodfDrawPlan& plan, CellMatrix& out);
void drawNodfLiMatrix(const NodfDrawPlan& plan, CellMatrix& out);
void drawNodfCoMatrix(const NodfDrawPlan& plan, CellMatrix& out);

// Puts one 1 at a random place in every empty row of matrix, then in every
// column still empty.
void repairEmptyLines(const NodfDrawPlan& plan, CellMatrix& matrix);

// A random index from 0 to k - 1 for one draw: (k - 1) times the draw's
// fraction, rounded to the nearest integer with halves down.
int drawIndex(int k);

#endif
