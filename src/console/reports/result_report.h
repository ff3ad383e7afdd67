// A batch's results as ecologists report them: the result line a scripted
// run prints after each file, and the result tables of the batch
// (--results), whose files the writer owns from the batch's start to its
// end.
#ifndef BRAVOLIN_CONSOLE_REPORTS_RESULT_REPORT_H
#define BRAVOLIN_CONSOLE_REPORTS_RESULT_REPORT_H

#include <memory>
#include <optional>

#include "console/reports/file_report.h"
#include "formats/tables/result_tables.h"

class OutputSession;

// The writer of a batch's results: each file's, once its analysis is
// complete or its null models were cut short by an interrupt, as the
// result line (with resultLine, printed as it comes; none for an
// interrupted file, whose statistics are of fewer simulations than asked
// for) and as its rows of the result tables (with tables, their settings).
// A file without a row has no results to give. The tables are put in place
// at the batch's end, or when the writer is destroyed.
template <typename Analysis>
std::unique_ptr<FileWriter<Analysis>> resultReport(OutputSession& session, bool resultLine,
                                                   const std::optional<ResultTableSettings>& tables);

#endif
