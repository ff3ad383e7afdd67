// The result files of mode N: the summary file "SYSTEMP.TXT" (one line per
// matrix) and the per-matrix reports named after the matrix file: the
// ordered matrix, the two pairwise tables and one nestedness file per null
// model and side. Results accumulate across matrices and runs. And the
// writer of them all for a batch.
#ifndef BRAVOLIN_CONSOLE_REPORTS_NODF_REPORTS_H
#define BRAVOLIN_CONSOLE_REPORTS_NODF_REPORTS_H

#include <memory>
#include <string>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "console/output/output_file.h"
#include "console/reports/analyses.h"
#include "console/reports/file_report.h"

class OutputSession;

// The header of the summary columns, with the null-model columns when null
// models are on.
void writeNodfSummaryHeader(OutputSession& session, bool nullModels);

// Opens the matrix's summary line with its name.
void startNodfSummaryLine(OutputSession& session, const std::string& matrixName);

// The observed run's results, in this order: the ordered matrix (when
// printOrdered is set and the matrix was ordered), the row pairwise table,
// the row NODF, the column pairwise table, the column NODF and the total
// NODF, the three NODF values going to the summary line. The line ends
// after the total unless null models are on; their results complete it.
void writeObservedNodfReports(OutputSession& session, const std::string& matrixName, const bravolin::Matrix& matrix,
                              const bravolin::NodfResult& result, bool printOrdered, bool nullModels);

// The twelve nestedness files of a matrix's null models (row, column and
// total NODF of Er, Ce, Li and Co), open while its simulations run.
class NestednessFiles {
public:
    NestednessFiles(OutputSession& session, const std::string& matrixName);
    // One line in each of the twelve files for a simulation, flushed, so
    // that the files always hold the same number of whole lines.
    void writeSimulation(const bravolin::NodfNullModels& null, int simulation);

private:
    OutputSession& session_;
    OutputFile files_[bravolin::kClassicModelCount][3];
};

// The classic files of a batch of mode N: the summary header once, at the
// batch's start, and for every file its summary line (opened before a
// matrix file is read, after a table is), its ordered matrix (when it was
// ordered and printOrdered), its pairwise tables and, with nullFiles (a
// run with the classic four null models), their nestedness files and their
// values on the summary line.
std::unique_ptr<FileWriter<NodfAnalysis>> nodfClassicFiles(OutputSession& session, bool printOrdered,
                                                           bool nullFiles);

#endif
