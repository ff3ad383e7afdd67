// The names of a matrix's report files, derived from the matrix file's
// name: everything up to its first "." followed by a suffix.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_REPORT_NAMES_H
#define BRAVOLIN_CONSOLE_OUTPUT_REPORT_NAMES_H

#include <string>

// The matrix file name up to its first "." followed by suffix, where
// keepDot tells whether that "." stays (mode T keeps it: ISLANDS.TXT gives
// ISLANDS.PCK; mode N drops it: ISLANDS.TXT gives ISLANDS_Ordered.TXT). A
// name without "." gets the suffix after the whole name, with the "." added
// when keepDot is set, so that a report never takes the name of the matrix
// file itself.
std::string reportName(const std::string& matrixFileName, const char* suffix, bool keepDot);

// The four reports of mode T.
struct TemperatureReportNames {
    std::string packing;             // NAME.PCK
    std::string rowTemperatures;     // NAME.LIN
    std::string columnTemperatures;  // NAME.COL
    std::string nullModels;          // NAME.NULL
};
TemperatureReportNames temperatureReportNames(const std::string& matrixFileName);

// A report of mode N: ISLANDS.TXT and ISLANDS both give ISLANDS_Ordered.TXT
// for "_Ordered.TXT".
std::string nodfReportName(const std::string& matrixFileName, const char* suffix);

#endif
