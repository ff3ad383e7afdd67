// The metrics a run measures beside the NODF: their choice by name and
// their values on one matrix.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "bravolin/nodf_metrics.h"

namespace bravolin {

namespace {

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The values each metric gives, in MetricValue order.
std::vector<int> valuesOf(Metric metric)
{
    switch (metric) {
    case Metric::Wnodf:
        return {WnodfRows, WnodfColumns, WnodfTotal};
    case Metric::Nodfc:
        return {NodfcValue, NodfMaxRatio};
    case Metric::Discrepancy:
        return {DiscrepancyValue};
    case Metric::Checker:
        return {CheckerUnits, CScore};
    case Metric::N0:
        return {N0Value};
    case Metric::Spectral:
        return {SpectralRadius};
    case Metric::Nodf:
        break;
    }
    return {};
}

}  // namespace

const MetricStatistic& metricValueStatistic(int value)
{
    // metricStatistics() opens with the NODF's three.
    return metricStatistics()[static_cast<std::size_t>(3 + value)];
}

std::string knownMetricNames()
{
    std::string names;
    for (const char* name : kMetricNames)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names + " (or all)";
}

MetricChoice chooseMetrics(const std::vector<std::string>& names)
{
    MetricChoice choice;
    if (names.empty()) {
        choice.error = "no metric named; the metrics are " + knownMetricNames();
        return choice;
    }
    std::vector<bool> chosen(kMetricCount, false);
    chosen[static_cast<std::size_t>(Metric::Nodf)] = true;
    std::string unknown;
    for (const std::string& name : names) {
        const std::string lower = lowerCase(name);
        if (lower == "all") {
            chosen.assign(kMetricCount, true);
            continue;
        }
        const auto* found = std::find_if(std::begin(kMetricNames), std::end(kMetricNames),
                                         [&lower](const char* known) { return lower == known; });
        if (found == std::end(kMetricNames))
            unknown += (unknown.empty() ? "\"" : ", \"") + name + "\"";
        else
            chosen[static_cast<std::size_t>(found - std::begin(kMetricNames))] = true;
    }
    if (!unknown.empty()) {
        choice.error = "unknown metric " + unknown + "; the metrics are " + knownMetricNames();
        return choice;
    }
    for (int metric = 0; metric < kMetricCount; metric++)
        if (chosen[static_cast<std::size_t>(metric)])
            choice.metrics.push_back(static_cast<Metric>(metric));
    return choice;
}

bool measures(const MetricSettings& settings, Metric metric)
{
    return metric == Metric::Nodf ||
           std::find(settings.metrics.begin(), settings.metrics.end(), metric) != settings.metrics.end();
}

bool measuresBeyondNodf(const MetricSettings& settings)
{
    return !measuredValues(settings).empty();
}

std::vector<int> measuredValues(const MetricSettings& settings)
{
    std::vector<int> values;
    for (int metric = 0; metric < kMetricCount; metric++)
        if (measures(settings, static_cast<Metric>(metric)))
            for (int value : valuesOf(static_cast<Metric>(metric)))
                values.push_back(value);
    return values;
}

bool measuredUnder(NullModel model, int value)
{
    if (value == WnodfRows || value == WnodfColumns || value == WnodfTotal)
        return drawsAbundances(model);
    if (value == NodfcValue || value == NodfMaxRatio)
        return keepsPresences(model);
    return true;
}

MetricValues measureMetrics(const Matrix& matrix, const AbundanceMatrix* abundances, const MetricSettings& settings,
                            NodfMaxCache& cache)
{
    MetricValues result;
    result.values.fill(std::numeric_limits<double>::quiet_NaN());
    double* v = result.values.data();
    if (measures(settings, Metric::Wnodf)) {
        const NodfPercentages w =
            abundances != nullptr ? wnodf(*abundances, settings.wbinary) : wnodf(AbundanceMatrix(matrix), settings.wbinary);
        v[WnodfRows] = w.rows;
        v[WnodfColumns] = w.columns;
        v[WnodfTotal] = w.total;
    }
    if (measures(settings, Metric::Nodfc)) {
        const NodfcResult c = nodfc(matrix, cache);
        v[NodfcValue] = c.nodfc;
        v[NodfMaxRatio] = c.nodfMaxRatio;
        result.nodfMaxExhaustive = c.exhaustive;
    }
    if (measures(settings, Metric::Discrepancy))
        v[DiscrepancyValue] = discrepancy(matrix);
    if (measures(settings, Metric::Checker)) {
        const CheckerResult c = checker(matrix);
        v[CheckerUnits] = c.units;
        v[CScore] = c.cScore;
    }
    if (measures(settings, Metric::N0))
        v[N0Value] = n0(matrix);
    if (measures(settings, Metric::Spectral)) {
        const SpectralResult s = spectralRadius(matrix);
        v[SpectralRadius] = s.radius;
        result.spectralCapReached = s.capReached;
    }
    return result;
}

}  // namespace bravolin
