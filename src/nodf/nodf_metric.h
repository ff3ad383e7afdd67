// The NODF nestedness metric: the paired overlap of every pair of rows and
// of columns of the matrix under analysis, optionally after ordering rows
// and columns by decreasing totals, pooled into the NODF of the rows, of
// the columns and in total.
#ifndef BRAVOLIN_NODF_NODF_METRIC_H
#define BRAVOLIN_NODF_NODF_METRIC_H

#include "common/shared_state.h"

// Measures the rowCount by columnCount cells of workingMatrix (from index
// 0): fills nodfMatrix (ordered when orderMatrix is 1), rowTotals,
// columnTotals, both pair tables, nodfRows, nodfColumns and nodfTotal. The
// observed run writes its reports and keeps its total in observedNodfTotal
// when null models are on; a null-model kind adds its total to the Er or Ce
// accumulators (the null models write its values). A matrix with a single row or column, or none,
// gives a not-a-number for the side without pairs.
void computeNodf(NodfRunKind kind);

// The measurement part of computeNodf alone: every value and table, no
// report line and no accumulator.
void measureNodf();

#endif
