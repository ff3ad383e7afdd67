// The page's metrics: the run's choice, its once-a-run notes, and the
// null models' measurements split into the NODF's and the metrics'.
#include "page_metrics.h"

#include <algorithm>

#include "bravolin/error.h"
#include "bravolin/metrics.h"
#include "formats/text/text_format.h"

bravolin::MetricSettings settingsOfMetrics(const std::vector<std::string>& names, bool wbinary)
{
    bravolin::MetricSettings settings;
    if (names.empty())
        return settings;
    const bravolin::MetricChoice choice = bravolin::chooseMetrics(names);
    if (!choice.error.empty())
        throw bravolin::Error(choice.error);
    settings.metrics = choice.metrics;
    settings.wbinary = wbinary && bravolin::measures(settings, bravolin::Metric::Wnodf);
    return settings;
}

namespace {

std::string noteSpectralCap(PageRunState& state, bool reached)
{
    if (!reached || state.spectralCapNoted)
        return "";
    state.spectralCapNoted = true;
    return formatText("Metrics: the spectral radius stopped at its cap of %d iterations before converging "
                      "on a matrix; its value is the last estimate.\n",
                      bravolin::kSpectralIterationCap);
}

}  // namespace

std::string metricNotes(PageRunState& state, const bravolin::MetricSettings& metrics,
                        const std::vector<bravolin::NullModel>& models, bool abundances,
                        const bravolin::MetricValues& observed)
{
    std::string notes;
    const bool wnodf = bravolin::measures(metrics, bravolin::Metric::Wnodf);
    if (wnodf && !abundances && !state.wnodfOfPresencesNoted) {
        notes += formatText("Metrics: wnodf of a file of 0s and 1s (read without --table) is %s.\n",
                            metrics.wbinary ? "its NODF (--wbinary)" : "0 (with --wbinary it is its NODF)");
        state.wnodfOfPresencesNoted = true;
    }
    if (wnodf && !models.empty() && !state.wnodfLeftOutNoted) {
        std::string names;
        for (bravolin::NullModel model : models)
            if (!bravolin::measuredUnder(model, bravolin::WnodfTotal))
                names += (names.empty() ? "" : ", ") + std::string(bravolin::kNullModelNames[model]);
        notes += "Metrics: wnodf has no null values under the binary models " + names +
                 "; the tables give its observed values alone.\n";
        state.wnodfLeftOutNoted = true;
    }
    if (bravolin::measures(metrics, bravolin::Metric::Nodfc) && !state.nodfcUndefinedNoted &&
        std::any_of(models.begin(), models.end(),
                    [](bravolin::NullModel model) { return !bravolin::keepsPresences(model); })) {
        notes += "Metrics: nodfc and nodf_max_ratio are NA under Er and Ce, which change the number of presences.\n";
        state.nodfcUndefinedNoted = true;
    }
    return notes + noteSpectralCap(state, observed.spectralCapReached);
}

std::string spectralCapNote(PageRunState& state, const MetricNullValues& null)
{
    for (const auto& model : null)
        for (const bravolin::MetricValues& values : model.values)
            if (values.spectralCapReached)
                return noteSpectralCap(state, true);
    return "";
}

std::pair<bravolin::NodfNullModels, MetricNullValues> splitMeasurements(
    const bravolin::NodfMetricNullModels& measured)
{
    bravolin::NodfNullModels nodf;
    nodf.run = measured.run;
    nodf.fixedFixedRun = measured.fixedFixedRun;
    nodf.quasiswapRun = measured.quasiswapRun;
    MetricNullValues metrics;
    for (const auto& model : measured.models) {
        nodf.models.push_back({model.model, {}});
        metrics.push_back({model.model, {}});
        for (const bravolin::NodfMeasurement& values : model.values) {
            nodf.models.back().values.push_back(values.nodf);
            metrics.back().values.push_back(values.metrics);
        }
    }
    return {std::move(nodf), std::move(metrics)};
}

std::vector<int> metricValuesOfRun(const bravolin::MetricSettings& metrics,
                                   const std::vector<bravolin::NullModel>& models, bool nullValues)
{
    std::vector<int> values;
    for (int value : bravolin::measuredValues(metrics))
        if (!nullValues || std::any_of(models.begin(), models.end(), [value](bravolin::NullModel model) {
                return bravolin::measuredUnder(model, value);
            }))
            values.push_back(value);
    return values;
}
