// Opening the program's output files. Every report and summary file is
// opened for appending just before a write sequence and closed right after,
// so results accumulate across matrices, runs and program starts.
#ifndef BRAVOLIN_COMMON_OUTPUT_FILE_H
#define BRAVOLIN_COMMON_OUTPUT_FILE_H

#include <cstdio>

// The summary file both modes write one line per matrix to.
constexpr const char* kSummaryFileName = "SYSTEMP.TXT";

// Opens name for appending in text mode. When the file cannot be opened,
// prints one console line naming it and returns nullptr; the caller then
// skips its writes and the analysis goes on. A file that keeps failing is
// named once, not at every one of its writes.
std::FILE* openForAppend(const char* name);

// Builds the name of a report file: the matrix file name up to its first
// "." followed by suffix, where keepDot tells whether that "." stays (mode T
// keeps it: ISLANDS.TXT gives ISLANDS.PCK; mode N drops it: ISLANDS.TXT
// gives ISLANDS_Ordered.TXT). A name without "." gets the suffix after the
// whole name, with the "." added when keepDot is set, so that a report never
// takes the name of the matrix file itself.
void deriveReportName(char* destination, std::size_t size, const char* matrixFileName,
                      const char* suffix, bool keepDot);

#endif
