// Mode N: its questions, the summary header and its batch over the matrix
// files, each read by the mode's own reader and measured by NODF.
#ifndef BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H
#define BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H

#include <string>

#include "bravolin/matrix.h"
#include "console/driver/run_context.h"

// Runs mode N, its questions answered by the command line or else asked.
// Returns when the program is to end: after the batch, or once the user has
// typed a word after a file that cannot be opened or has too many rows.
void runNodfMode(RunContext& run);

// The analysis of the matrix read from the file named fileName, whose
// summary line is started: its NODF and reports, then its null models when
// they are on, on the run's threads, which complete its summary line; and
// its pictures and page row when the run asks for them. linesLost: the
// reader lost lines or cells of the file, so that the result tables mark
// its results truncated.
void analyseNodfFile(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix, bool linesLost);

#endif
