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
#include "formats/tables/metric_notes.h"

// What a run of the page keeps from one file to the next, as a program run
// of the console keeps it: NODFmax by size and presences, and the notes
// about the metrics and the models of abundances said once a run.
struct PageRunState {
    bravolin::NodfMaxCache nodfMaxCache;
    MetricNotesSaid notes;
};

// The metrics named (as --metrics takes them; none: nodf alone), with
// wnodf's wbinary variant (--wbinary) when wbinary and wnodf is among
// them. Throws bravolin::Error for an unknown name, naming the known ones.
bravolin::MetricSettings settingsOfMetrics(const std::vector<std::string>& names, bool wbinary);

// The note of the spectral radius's cap, if a simulated matrix reached it
// and the run has not said it.
std::string simulatedSpectralCapNote(PageRunState& state, const MetricNullValues& null);

// The NODF's null models and the metrics' null values, of the models in
// the same order, from what runNodfMetricNullModels measured.
std::pair<bravolin::NodfNullModels, MetricNullValues> splitMeasurements(
    const bravolin::NodfMetricNullModels& measured);

#endif
