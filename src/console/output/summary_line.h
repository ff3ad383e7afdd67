// The summary file both modes write one line per matrix to. A matrix's line
// is built as its values come (mode T's waits for its null models), and
// reaches the file in one write once it ends, so no part of a line is ever
// on disk; a line cut short by an interrupt or a failure is ended, with the
// values it has. Its text is the formats library's (classic_summary.h).
#ifndef BRAVOLIN_CONSOLE_OUTPUT_SUMMARY_LINE_H
#define BRAVOLIN_CONSOLE_OUTPUT_SUMMARY_LINE_H

#include <string>

class OutputSession;

// The line of the output session being built, for SYSTEMP.TXT.
class SummaryLine {
public:
    explicit SummaryLine(OutputSession& session) : session_(session) {}
    SummaryLine(const SummaryLine&) = delete;
    SummaryLine& operator=(const SummaryLine&) = delete;

    // Adds text to the line of the matrix named matrixName (the name of
    // the file the line is about, for the message of an interrupt). The
    // text up to its last line end is written once it ends the line.
    void append(const std::string& matrixName, const std::string& text);

    // Whether a matrix's line is open, and the matrix it is about.
    bool isOpen();
    std::string matrix();

    // Ends the line a matrix left open, if any: used when its analysis
    // stops before the values that would have ended it.
    void endOpen();

private:
    OutputSession& session_;
    std::string line_;
    std::string matrix_;
};

#endif
