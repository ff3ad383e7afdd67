// The page's metrics: the run's choice, its once-a-run notes (the console
// program's sentences), and the null models' measurements split into the
// NODF's and the metrics'.
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

// The names of the models that pass test, as a sentence lists them: "Er",
// "Er and Ce", "Er, Ce and r2dtable"; empty for none.
std::string namesOf(const std::vector<bravolin::NullModel>& models, bool (*test)(bravolin::NullModel))
{
    std::vector<std::string> names;
    for (bravolin::NullModel model : models)
        if (test(model))
            names.push_back(bravolin::kNullModelNames[model]);
    std::string text;
    for (std::size_t i = 0; i < names.size(); i++)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// The verb of a sentence about names (namesOf): singular for one name.
const char* verbOf(const std::string& names, const char* one, const char* several)
{
    return names.find(" and ") == std::string::npos ? one : several;
}

bool isBinary(bravolin::NullModel model)
{
    return !bravolin::drawsAbundances(model);
}

bool changesPresences(bravolin::NullModel model)
{
    return !bravolin::keepsPresences(model);
}

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
                        const std::vector<bravolin::NullModel>& models, const bravolin::MetricValues& observed)
{
    std::string notes;
    const std::string binary = namesOf(models, isBinary);
    if (bravolin::measures(metrics, bravolin::Metric::Wnodf) && !binary.empty() && !state.wnodfLeftOutNoted) {
        const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
        const std::string given =
            ofAbundances.empty() ? "its observed values alone" : "its null values under " + ofAbundances + " alone";
        notes += "Metrics: wnodf has no null values under the binary models of the run (" + binary +
                 "), which draw no abundances; the tables give " + given + ".\n";
        state.wnodfLeftOutNoted = true;
    }
    const std::string changing = namesOf(models, changesPresences);
    if (bravolin::measures(metrics, bravolin::Metric::Nodfc) && !changing.empty() && !state.nodfcUndefinedNoted) {
        notes += "Metrics: nodfc and nodf_max_ratio are NA under " + changing + ", which " +
                 verbOf(changing, "changes", "change") + " the number of presences.\n";
        state.nodfcUndefinedNoted = true;
    }
    return notes + noteSpectralCap(state, observed.spectralCapReached);
}

std::string countsOfOneNote(PageRunState& state, const std::vector<bravolin::NullModel>& models, bool abundances)
{
    const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
    if (abundances || ofAbundances.empty() || state.countsOfOneNoted)
        return "";
    state.countsOfOneNoted = true;
    return "Models: " + ofAbundances + " of a file of 0s and 1s (read without --table) " +
           verbOf(ofAbundances, "takes", "take") + " its 1s as counts of one; read abundances with --table.\n";
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
