// The metrics of mode N on the page, as the console program's --metrics
// and --wbinary give them: the run's choice by the names --metrics takes,
// the state a run keeps from file to file (the NODFmax values worked out,
// the notes said once a run), and the null models that measure the
// metrics with the NODF.
#ifndef BRAVOLIN_WEB_GLUE_PAGE_METRICS_H
#define BRAVOLIN_WEB_GLUE_PAGE_METRICS_H

#include <string>
#include <utility>
#include <vector>

#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "formats/tables/matrix_results.h"

// What a run of the page keeps from one file to the next, as a program run
// of the console keeps it: NODFmax by size and presences, and whether each
// note about what the metrics leave undefined, or about the models of
// abundances on 0s and 1s, has been said.
struct PageRunState {
    bravolin::NodfMaxCache nodfMaxCache;
    bool nodfcUndefinedNoted = false;
    bool wnodfLeftOutNoted = false;
    bool spectralCapNoted = false;
    bool countsOfOneNoted = false;
};

// The metrics named (as --metrics takes them; none: nodf alone), with
// wnodf's wbinary variant (--wbinary) when wbinary and wnodf is among
// them. Throws bravolin::Error for an unknown name, naming the known ones.
bravolin::MetricSettings settingsOfMetrics(const std::vector<std::string>& names, bool wbinary);

// The notes the console program prints once a run about a file's
// observed metrics (wnodf without null values under the binary models,
// nodfc under the models that change the presences, the spectral radius's
// cap), those not said before in the run, as console text; models: those
// of the run, none without null models.
std::string metricNotes(PageRunState& state, const bravolin::MetricSettings& metrics,
                        const std::vector<bravolin::NullModel>& models, const bravolin::MetricValues& observed);

// The note the console program prints once a run when models of
// abundances draw from a matrix file of 0s and 1s (abundances: none).
std::string countsOfOneNote(PageRunState& state, const std::vector<bravolin::NullModel>& models, bool abundances);

// The note of the spectral radius's cap, if a simulated matrix reached it
// and the run has not said it.
std::string spectralCapNote(PageRunState& state, const MetricNullValues& null);

// The NODF's null models and the metrics' null values, of the models in
// the same order, from what runNodfMetricNullModels measured.
std::pair<bravolin::NodfNullModels, MetricNullValues> splitMeasurements(
    const bravolin::NodfMetricNullModels& measured);

// The run's values beyond the NODF (MetricValue), or with nullValues those
// of them measured under one of models, as the result tables' columns
// hold them.
std::vector<int> metricValuesOfRun(const bravolin::MetricSettings& metrics,
                                   const std::vector<bravolin::NullModel>& models, bool nullValues);

#endif
