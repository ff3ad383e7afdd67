// The result tables of a batch (--results), for R, spreadsheets and
// papers: plain CSV files with a header row, written whole and replaced by
// the next batch of the same mode.
//   BRAVOLIN_T_results.csv      one row per matrix, statistic and model: the
//                               observed value, n, mean, sd, SES, p_less,
//                               p_greater, the run's settings, and last
//                               whether the matrix's results are complete
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
#ifndef BRAVOLIN_CONSOLE_REPORTS_RESULT_TABLES_H
#define BRAVOLIN_CONSOLE_REPORTS_RESULT_TABLES_H

#include <cstdint>
#include <memory>
#include <string>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "console/output/output_file.h"
#include "console/reports/matrix_results.h"

// What every row of the results table repeats about the run.
struct ResultTableSettings {
    char mode = 'T';
    std::uint32_t seed = 0;  // the run's seed
    int simulations = 0;     // asked for; 0 without null models
    bool ordered = false;    // mode N
    std::string version;
    std::string date;        // the run's start, ISO 8601 local time with its offset
};

// The name of one of the batch's tables: BRAVOLIN_T_results.csv.
std::string resultTableName(char mode, const char* table);

// The tables of one batch: each matrix's rows are added as its analysis
// completes (or as its null models are cut short), and the tables replace
// those of the last batch when committed (or destroyed, or the program is
// interrupted). The files are opened with the first matrix, so that a
// batch interrupted before any matrix leaves the last batch's tables in
// place; a batch that ends with no matrix replaces them with empty ones.
class ResultTables {
public:
    explicit ResultTables(const ResultTableSettings& settings);
    ~ResultTables();
    ResultTables(const ResultTables&) = delete;
    ResultTables& operator=(const ResultTables&) = delete;

    void addTemperature(const MatrixResults& results, const bravolin::Matrix& matrix,
                        const bravolin::TemperatureResult& observed, const bravolin::TemperatureNullModels* null);
    void addNodf(const MatrixResults& results, const bravolin::Matrix& matrix, const bravolin::NodfResult& observed,
                 const bravolin::NodfNullModels* null);
    void commit();

private:
    struct Files;
    // The batch's files, opened with their header rows at the first call.
    Files& files();
    void addResults(const MatrixResults& results);

    ResultTableSettings settings_;
    std::unique_ptr<Files> files_;
};

// A field of a CSV row: quoted as RFC 4180 quotes it when it holds a
// comma, a quote, a line end or blanks at either end.
std::string csvField(const std::string& text);

#endif
