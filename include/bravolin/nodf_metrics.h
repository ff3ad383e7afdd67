// The metrics of a run of the NODF's analysis beside the NODF itself (see
// metrics.h): which a run measures, their values on one matrix, and the
// null models measuring them on every simulated matrix with the NODF, in
// the same run of the engine and on the same threads. The NODF keeps its
// single-precision values (nodf.h); the other metrics are doubles. Each
// metric is a function of one matrix, so neither the order in which they
// are computed nor the thread that computes them changes a value.
#ifndef BRAVOLIN_NODF_METRICS_H
#define BRAVOLIN_NODF_METRICS_H

#include <array>
#include <string>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/metrics.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"

namespace bravolin {

// The metrics a run can measure, each giving one or more statistics.
enum class Metric : int { Nodf = 0, Wnodf, Nodfc, Discrepancy, Checker, N0, Spectral };
constexpr int kMetricCount = 7;
constexpr const char* kMetricNames[kMetricCount] = {"nodf", "wnodf", "nodfc", "discrepancy",
                                                    "checker", "n0", "spectral"};

// The statistics beyond the NODF's, in the order of metricStatistics()
// after its three nodf ones: a MetricValues holds one value of each.
enum MetricValue : int {
    WnodfRows = 0, WnodfColumns, WnodfTotal, NodfcValue, NodfMaxRatio, DiscrepancyValue,
    CheckerUnits, CScore, N0Value, SpectralRadius
};
constexpr int kMetricValueCount = 10;

// The name and direction of a value (metricStatistics()).
const MetricStatistic& metricValueStatistic(int value);

// The metrics of a run: nodf always, and those of the list.
struct MetricSettings {
    std::vector<Metric> metrics;  // in the order of kMetricNames, each once
    bool wbinary = false;         // wnodf's wbinary variant
};

// The metrics of names, each matched ignoring case, "all" for every one,
// in the order of kMetricNames with nodf always included; or, for an empty
// list or unknown names, no metric and the error that names the unknown
// ones and the known.
struct MetricChoice {
    std::vector<Metric> metrics;
    std::string error;
};
MetricChoice chooseMetrics(const std::vector<std::string>& names);

// "nodf, wnodf, nodfc, discrepancy, checker, n0, spectral (or all)".
std::string knownMetricNames();

// Whether settings measure metric; whether they measure any but nodf.
bool measures(const MetricSettings& settings, Metric metric);
bool measuresBeyondNodf(const MetricSettings& settings);

// The values settings measure, in MetricValue order.
std::vector<int> measuredValues(const MetricSettings& settings);

// One matrix's values beyond the NODF: NaN for those not measured.
struct MetricValues {
    std::array<double, kMetricValueCount> values{};
    bool nodfMaxExhaustive = false;  // NODFmax exact, or from the heuristic
    bool spectralCapReached = false; // the power iteration stopped at its cap
};

// The values settings measure of matrix; wnodf of abundances (of the
// matrix's size), or of the matrix's 0s and 1s when there are none.
MetricValues measureMetrics(const Matrix& matrix, const AbundanceMatrix* abundances, const MetricSettings& settings,
                            NodfMaxCache& cache);

// Whether a model's matrices keep the number of presences of the observed
// one: Er and Ce do not (they keep the fill on average), nor r2dtable (it
// keeps the sums of counts, and its cells above 0 vary), so NODFc's null
// values are not comparable there and are not measured (NaN).
constexpr bool keepsPresences(NullModel model)
{
    return model != Er && model != Ce && model != R2dtable;
}

// Whether the null values of value are measured under model: wnodf needs
// abundances, which only the models of abundances draw; nodfc and
// nodf_max_ratio need a model that keeps the presences. The binary metrics
// are of a model of abundances' presences (its cells above 0).
bool measuredUnder(NullModel model, int value);

// What one simulated matrix gives: its NODF, as runNodfNullModels measures
// it, and its values beyond.
struct NodfMeasurement {
    NodfValues nodf;
    MetricValues metrics;
};
using NodfMetricNullModels = NullModelValues<NodfMeasurement>;

// The NODF's null models of matrix, as runNodfNullModels runs them (the
// same matrices and the same NODF values for the same generator), each
// simulated matrix also measured with the metrics of metrics that its model
// measures (measuredUnder), NODFmax from cache; wnodf of the observed
// matrix is of its 0s and 1s. A precision (settings) covers the P values
// of the metrics too, each on the side its direction makes nested. Throws
// Error for settings out of range.
NodfMetricNullModels runNodfMetricNullModels(const Matrix& matrix, const NodfResult& observed,
                                             const MetricSettings& metrics, NodfMaxCache& cache,
                                             Generator& generator, const NullModelSettings& settings,
                                             const SimulationDone<NodfMeasurement>& onSimulation = {});
// The same of abundances, whose presences observed measured, as
// runNodfNullModels of abundances draws them; wnodf of the observed
// abundances and of those the models of abundances draw. Throws Error as
// runNodfNullModels of abundances does.
NodfMetricNullModels runNodfMetricNullModels(const AbundanceMatrix& abundances, const NodfResult& observed,
                                             const MetricSettings& metrics, NodfMaxCache& cache,
                                             Generator& generator, const NullModelSettings& settings,
                                             const SimulationDone<NodfMeasurement>& onSimulation = {});

}  // namespace bravolin

#endif
