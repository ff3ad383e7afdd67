// The summary file both modes write one line per matrix to. A matrix's line
// is built as its values come (mode T's waits for its null models), and
// reaches the file in one write once it ends, so no part of a line is ever
// on disk; a line cut short by an interrupt or a failure is ended, with the
// values it has.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_SUMMARY_LINE_H
#define BRAVOLIN_CONSOLE_OUTPUT_SUMMARY_LINE_H

#include <string>

constexpr const char* kSummaryFileName = "SYSTEMP.TXT";

// Adds text to the line of the matrix named matrixName (the name of the
// file the line is about, for the message of an interrupt). The text up to
// its last line end is written once it ends the line.
void appendToSummary(const std::string& matrixName, const std::string& text);

// Whether a matrix's line is open, and the matrix it is about.
bool summaryLineIsOpen();
std::string summaryLineMatrix();

// Ends the line a matrix left open, if any: used when its analysis stops
// before the values that would have ended it.
void endOpenSummaryLine();

// Forgets an open line: a fresh program run.
void forgetSummaryLine();

#endif
