// The text of the classic summary file, SYSTEMP.TXT: a header line and one
// line per matrix, with its name, its observed values and, with null
// models, the mean of Er and its P value, then the same of Ce:
//   Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)
//   a.txt (Packed) 12.34 30.51 0.00 28.77 0.01
//   Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)
//   a.txt 57.10 60.00 58.50 40.12 0.02 41.00 0.05
// Mode T writes its header before every matrix's line, mode N once before
// the lines of a batch. A front end that writes a line as its values come
// writes it in parts: summaryLine up to the values it has, then
// summaryLineRest, which give together the bytes summaryLine gives of all
// the values.
#ifndef BRAVOLIN_FORMATS_TABLES_CLASSIC_SUMMARY_H
#define BRAVOLIN_FORMATS_TABLES_CLASSIC_SUMMARY_H

#include <string>
#include <vector>

#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "formats/analysis_mode.h"

// The header line, with the null models' columns when they ran.
std::string summaryHeader(AnalysisMode mode, bool nullModels);

// The observed values of a matrix's line, as written: its temperature, or
// its row, column and total NODF in percent.
std::vector<std::string> summaryValues(const bravolin::TemperatureResult& observed);
std::vector<std::string> summaryValues(const bravolin::NodfResult& observed);

// The values the null models add to the line: the mean of Er over the
// simulations completed and its share of the simulations asked for on the
// nested side of the observed value (at least as cold; of a higher total
// NODF), then the same of Ce. The classic tallies (classic_tallies.h)
// give them.
std::vector<std::string> nullSummaryValues(const bravolin::TemperatureNullModels& null,
                                           const bravolin::TemperatureResult& observed, int simulations);
std::vector<std::string> nullSummaryValues(const bravolin::NodfNullModels& null,
                                           const bravolin::NodfResult& observed, int simulations);

// A matrix's line, or its first part when more values follow: its name
// (in mode T followed by " (Packed)"), then each value after a blank, and
// the line end, or a blank when more values follow.
std::string summaryLine(AnalysisMode mode, const std::string& matrixName, const std::vector<std::string>& values,
                        bool moreFollow = false);

// A further part of a line that summaryLine began: the values, blank
// separated, and the line end, or a blank when more values follow.
std::string summaryLineRest(const std::vector<std::string>& values, bool moreFollow = false);

#endif
