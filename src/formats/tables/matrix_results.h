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
#include "bravolin/nodf_metrics.h"
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
// "nodf_total" (NODF in percent, as on the console), or one of a further
// metric (metricStatistics() of metrics.h).
struct StatisticResults {
    std::string name;
    // A float (the temperature's and the NODF's) held exactly, or a
    // metric's double.
    double observed = 0;
    // Every model of the run that measures it, in the run's order.
    std::vector<ModelResults> models;
    bool singlePrecision = true;
    // How the value was found, where that varies: "exhaustive" or
    // "heuristic" for NODFmax (nodfc, nodf_max_ratio); empty elsewhere.
    std::string note;
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
    // Whether the run measured metrics beyond the NODF: its results table
    // then has a note column.
    bool metrics = false;
};

// The null values of a run's further metrics: every model of the run with
// the values of each simulation.
using MetricNullValues = std::vector<bravolin::SimulatedModel<bravolin::MetricValues>>;

// null: the file's null models, or none.
MatrixResults temperatureResults(const std::string& file, const bravolin::TemperatureResult& observed,
                                 const bravolin::TemperatureNullModels* null, std::optional<std::uint32_t> fileSeed,
                                 Completeness completeness);
MatrixResults nodfResults(const std::string& file, const bravolin::NodfResult& observed,
                          const bravolin::NodfNullModels* null, std::optional<std::uint32_t> fileSeed,
                          Completeness completeness);

// The run's values beyond the NODF (MetricValue), or with nullValues those
// of them measured under one of models, as the result tables' columns
// hold them.
std::vector<int> metricValuesOfRun(const bravolin::MetricSettings& metrics,
                                   const std::vector<bravolin::NullModel>& models, bool nullValues);

// Adds the statistics of the metrics of settings beyond the NODF, after
// the NODF's: each value's observed one and, with null values (null, of
// the run's models in its order), those of each model that measures it
// (measuredUnder), the nestedness tail being the side its direction makes
// nested. Under a model that keeps no presences nodfc's statistics are NA.
void addMetricResults(MatrixResults& results, const bravolin::MetricSettings& settings,
                      const bravolin::MetricValues& observed, const MetricNullValues* null);

// The line a scripted run prints after each file: the observed values and,
// with null models, each model's SES and the P value of the tail that
// tests nestedness (p_less for the temperature, where nested is cold;
// p_greater for the total NODF, where nested is high):
//   Result: T 12.34 | Er SES -3.21 P 0.000999 | Ce ...
//   Result: NODF rows 57.10 columns 60.00 total 58.50 | Er SES 2.10 P 0.015 | ...
// With further metrics, each of their statistics follows on a result line
// of its own, with its observed value (6 significant digits) and, per
// model that measures it, its SES and the P value of the tail its
// direction makes nested:
//   Result: nodfc 1.23457 | Li SES 2.10 P 0.015 | ...
std::string resultLine(const MatrixResults& results);

#endif
