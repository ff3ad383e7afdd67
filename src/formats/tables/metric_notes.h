// The notes a run of mode N says once about its metrics and models: what
// the metrics leave undefined under the run's models, the spectral
// radius's iteration cap, and models of abundances drawing from 0s and 1s.
// Every front end says them in the same words.
#ifndef BRAVOLIN_FORMATS_TABLES_METRIC_NOTES_H
#define BRAVOLIN_FORMATS_TABLES_METRIC_NOTES_H

#include <string>
#include <vector>

#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"

// Which notes a run has said; each is said once a run.
struct MetricNotesSaid {
    bool wnodfLeftOut = false;
    bool nodfcUndefined = false;
    bool spectralCap = false;
    bool countsOfOne = false;
};

// The notes about a file's metrics not said before in the run: wnodf
// without null values under the binary models, nodfc under the models that
// change the number of presences; models: those of the run, none without
// null models. Lines of text, or empty.
std::string undefinedMetricsNotes(MetricNotesSaid& said, const bravolin::MetricSettings& metrics,
                                  const std::vector<bravolin::NullModel>& models);

// The note of the spectral radius's cap, when a matrix reached it and the
// run has not said it.
std::string spectralCapNote(MetricNotesSaid& said, bool reached);

// The note of models of abundances drawing from a matrix file of 0s and
// 1s (abundances: none), when the run has not said it.
std::string countsOfOneNote(MetricNotesSaid& said, const std::vector<bravolin::NullModel>& models, bool abundances);

#endif
