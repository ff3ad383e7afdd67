// A matrix's results as ecologists report them: each statistic's observed
// value and, for every null model that ran, the statistics of its simulated
// values (statistics.h), the nestedness tail being the temperature's low
// one and the NODF's high one. The result tables and the
// console's result line are written from them.
#ifndef BRAVOLIN_FORMATS_TABLES_MATRIX_RESULTS_H
#define BRAVOLIN_FORMATS_TABLES_MATRIX_RESULTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "bravolin/temperature.h"
#include "formats/analysis_mode.h"

struct ModelResults {
    bravolin::NullModel model;
    bravolin::NullStatistics statistics;
};

// One statistic: "temperature", or "nodf_rows", "nodf_columns",
// "nodf_total" (NODF in percent, as on the console).
struct StatisticResults {
    std::string name;
    float observed = 0;
    std::vector<ModelResults> models;  // every model of the run, in its order
};

// How far a matrix's results can be trusted, as the results table's last
// column says: complete; its null models cut short by an interrupt (n
// counts the simulations completed); or its matrix read with lines or
// cells lost, so that every value is of a cut matrix. A matrix both
// truncated and interrupted is Interrupted: that is the state of the run
// itself, the one to act on first, and the rerun it calls for then shows
// Truncated.
enum class Completeness { Complete, Interrupted, Truncated };

struct MatrixResults {
    AnalysisMode mode = AnalysisMode::Temperature;
    std::string file;
    int rows = 0, columns = 0;  // the matrix as read
    float fill = 0;             // percent
    // The generator's state before the file's first draw; none without
    // null models.
    std::optional<std::uint32_t> fileSeed;
    std::vector<StatisticResults> statistics;
    Completeness completeness = Completeness::Complete;
};

// null: the file's null models, or none.
MatrixResults temperatureResults(const std::string& file, const bravolin::TemperatureResult& observed,
                                 const bravolin::TemperatureNullModels* null, std::optional<std::uint32_t> fileSeed,
                                 Completeness completeness);
MatrixResults nodfResults(const std::string& file, const bravolin::NodfResult& observed,
                          const bravolin::NodfNullModels* null, std::optional<std::uint32_t> fileSeed,
                          Completeness completeness);

// The line a scripted run prints after each file: the observed values and,
// with null models, each model's SES and the P value of the tail that
// tests nestedness (p_less for the temperature, where nested is cold;
// p_greater for the total NODF, where nested is high):
//   Result: T 12.34 | Er SES -3.21 P 0.000999 | Ce ...
//   Result: NODF rows 57.10 columns 60.00 total 58.50 | Er SES 2.10 P 0.015 | ...
std::string resultLine(const MatrixResults& results);

#endif
