// The result files of mode N: the summary file "SYSTEMP.TXT" (one line per
// matrix) and the per-matrix reports named after the matrix file: the
// ordered matrix, the two pairwise tables and one nestedness file per null
// model and side. Every file is opened for appending just before a write
// and closed right after, so results accumulate across matrices and runs.
#ifndef BRAVOLIN_NODF_NODF_REPORTS_H
#define BRAVOLIN_NODF_NODF_REPORTS_H

#include <cstddef>
#include <string>

#include "common/output_file.h"
#include "common/shared_state.h"

struct NodfContext;

// The report name for suffix: currentFileName up to its first "." followed
// by suffix (ISLANDS.TXT and ISLANDS both give ISLANDS_Ordered.TXT).
void nodfReportName(char* destination, std::size_t size, const char* suffix);

// A fraction as every NODF report writes it: a percentage with two
// decimals ("nan" for a not-a-number).
std::string percentText(float fraction);

// The header of the summary columns, with the null-model columns when null
// models are on.
void writeNodfSummaryHeader();

// Opens the matrix's summary line with its name.
void startNodfSummaryLine();

// The observed run's results, in this order: the ordered matrix (when
// ordering and printing are both on), the row pairwise table, the row NODF,
// the column pairwise table, the column NODF and the total NODF, the three
// NODF values going to the summary line. The line ends after the total
// unless null models are on; their results complete it.
void writeObservedNodfReports(const NodfContext& ctx);

// The NODF of one matrix: rows, columns and total, as fractions.
struct NodfValues {
    float rows;
    float columns;
    float total;
};

// The twelve nestedness files of a matrix's null models (row, column and
// total NODF of Er, Ce, Li and Co), open while its simulations run.
class NestednessFiles {
public:
    void open();
    // One line in each of the twelve files for a simulation (values of Er,
    // Ce, Li and Co), flushed, so that the files always hold the same
    // number of whole lines.
    void writeSimulation(const NodfValues (&values)[4]);

private:
    OutputFile files_[4][3];
};

#endif
