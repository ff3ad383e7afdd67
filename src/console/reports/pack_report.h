// The packing report of mode T (the matrix file name with the extension
// PCK): size and fill before and after packing, the packed matrix on
// request, and with the debug marker the history of every pass with the
// matrix after it.
#ifndef BRAVOLIN_CONSOLE_REPORTS_PACK_REPORT_H
#define BRAVOLIN_CONSOLE_REPORTS_PACK_REPORT_H

#include <string>

#include "bravolin/matrix.h"
#include "bravolin/temperature.h"

class OutputSession;

// Appends the report of matrix, analysed into result, to the file named
// reportName. printPacked adds the packed matrix; debug adds the history,
// which result then holds, and the matrix at every step.
void writePackReport(OutputSession& session, const std::string& reportName, const bravolin::Matrix& matrix,
                     const bravolin::TemperatureResult& result, bool printPacked, bool debug);

#endif
