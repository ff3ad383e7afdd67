// The page's metrics: the run's choice, the note of a simulated matrix
// that reached the spectral radius's cap, and the null models'
// measurements split into the NODF's and the metrics'.
#include "page_metrics.h"


#include "bravolin/error.h"
#include "bravolin/metrics.h"

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

std::string simulatedSpectralCapNote(PageRunState& state, const MetricNullValues& null)
{
    for (const auto& model : null)
        for (const bravolin::MetricValues& values : model.values)
            if (values.spectralCapReached)
                return spectralCapNote(state.notes, true);
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
