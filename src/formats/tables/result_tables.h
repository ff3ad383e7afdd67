// The text of the result tables of a batch (--results), for R,
// spreadsheets and papers: plain CSV files with a header row, which a front
// end writes whole (the console program replaces those of the last batch
// of the same mode).
//   BRAVOLIN_T_results.csv      one row per matrix, statistic and model: the
//                               observed value, n, mean, sd, SES, p_less,
//                               p_greater, p_two_sided, the quantiles q025,
//                               q500 and q975, p_mcse, ess and lag1 (NA for
//                               an independent model), the run's settings,
//                               in a run with metrics a note (how NODFmax
//                               was found), and last whether the matrix's
//                               results are complete
//   BRAVOLIN_T_null_values.csv  with null models: every simulation's value
//                               of every model
//   BRAVOLIN_T_rows.csv         one row per matrix and line: its name or
//   BRAVOLIN_T_columns.csv      number, its positions, its presences (and
//                               its temperature in mode T)
// (BRAVOLIN_N_... in mode N.) Floats are written with 9 significant digits
// and doubles with 17, so that each reads back to the same value; an
// undefined value is NA. The mode column says "temperature" or "nodf" and
// every other text column holds words, so that R's read.csv reads each
// column as what it is (a bare T would be read as TRUE).
#ifndef BRAVOLIN_FORMATS_TABLES_RESULT_TABLES_H
#define BRAVOLIN_FORMATS_TABLES_RESULT_TABLES_H

#include <cstdint>
#include <string>
#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "formats/analysis_mode.h"
#include "formats/tables/matrix_results.h"

// What every row of the results table repeats about the run.
struct ResultTableSettings {
    AnalysisMode mode = AnalysisMode::Temperature;
    std::uint32_t seed = 0;  // the run's seed
    int simulations = 0;     // asked for; 0 without null models
    bool ordered = false;    // mode N
    std::string version;
    std::string date;        // the run's start, ISO 8601 local time with its offset
    // Mode N: the run's values beyond the NODF (MetricValue of
    // nodf_metrics.h), and those of them that a model of the run measures,
    // which null_values.csv holds after the NODF's; empty: the NODF alone,
    // and the tables as without metrics.
    std::vector<int> metricValues, nullMetricValues;
};

// The name of one of the batch's tables: BRAVOLIN_T_results.csv.
std::string resultTableName(AnalysisMode mode, const char* table);

// Text of the four tables: their header rows, or the rows one matrix adds.
// nullValues is empty without null models, whose table a batch then lacks.
struct ResultTableText {
    std::string results, rows, columns, nullValues;
};

// The header rows of the tables of a batch of settings' mode, with the
// null values' table when settings.simulations is above 0. With metrics
// the results table has a note column before complete.
ResultTableText resultTableHeaders(const ResultTableSettings& settings);
// Those of a batch without metrics.
ResultTableText resultTableHeaders(AnalysisMode mode, bool nullModels);

// The rows a matrix adds to every table: its results, each of its lines,
// and, with null models (settings.simulations above 0 and null given), the
// values of every simulation. A front end appends them to the tables in
// the order the matrices were analysed.
ResultTableText temperatureTableRows(const ResultTableSettings& settings, const MatrixResults& results,
                                     const bravolin::Matrix& matrix, const bravolin::TemperatureResult& observed,
                                     const bravolin::TemperatureNullModels* null);
// metrics: the null values of the run's metrics (settings.nullMetricValues),
// of the models of null in its order; none without metrics.
ResultTableText nodfTableRows(const ResultTableSettings& settings, const MatrixResults& results,
                              const bravolin::Matrix& matrix, const bravolin::NodfResult& observed,
                              const bravolin::NodfNullModels* null, const MetricNullValues* metrics = nullptr);

// A field of a CSV row: quoted as RFC 4180 quotes it when it holds a
// comma, a quote, a line end or blanks at either end.
std::string csvField(const std::string& text);

#endif
