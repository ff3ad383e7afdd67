// The statistics of a matrix's null models, and the console's result line.
#include "formats/tables/matrix_results.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "formats/text/text_format.h"

namespace {

StatisticResults nodfStatistic(const char* name, float fraction, const bravolin::NodfNullModels* null,
                               bravolin::NodfPart part)
{
    StatisticResults statistic{name, bravolin::nodfPercent(fraction), {}, true, ""};
    if (null != nullptr)
        for (const auto& model : null->models)
            statistic.models.push_back(
                {model.model, bravolin::nullStatistics(bravolin::modelValues(*null, model.model, part), fraction,
                                                       bravolin::NestedTail::Greater,
                                                       bravolin::isChain(model.model), 100)});
    return statistic;
}

std::string twoDecimals(double value)
{
    return std::isnan(value) ? "NA" : formatText("%.2f", value);
}

// " | MODEL SES x P p" for every model of a statistic, P on the nested
// tail.
std::string modelParts(const StatisticResults& statistic, bravolin::NestedTail tail)
{
    std::string parts;
    for (const ModelResults& model : statistic.models) {
        const double p = tail == bravolin::NestedTail::Less ? model.statistics.pLess : model.statistics.pGreater;
        parts += formatText(" | %s SES %s P %s", bravolin::kNullModelNames[model.model],
                            twoDecimals(model.statistics.ses).c_str(),
                            std::isnan(p) ? "NA" : formatText("%.3g", p).c_str());
    }
    return parts;
}

}  // namespace

MatrixResults temperatureResults(const std::string& file, const bravolin::TemperatureResult& observed,
                                 const bravolin::TemperatureNullModels* null, std::optional<std::uint32_t> fileSeed,
                                 Completeness completeness)
{
    MatrixResults results{AnalysisMode::Temperature, file, observed.rows, observed.columns, observed.fill,
                          fileSeed, {}, completeness};
    StatisticResults temperature{"temperature", observed.temperature, {}, true, ""};
    if (null != nullptr)
        for (const auto& model : null->models)
            temperature.models.push_back(
                {model.model, bravolin::nullStatistics(model.values, observed.temperature, bravolin::NestedTail::Less,
                                                       bravolin::isChain(model.model))});
    results.statistics.push_back(temperature);
    return results;
}

MatrixResults nodfResults(const std::string& file, const bravolin::NodfResult& observed,
                          const bravolin::NodfNullModels* null, std::optional<std::uint32_t> fileSeed,
                          Completeness completeness)
{
    MatrixResults results{AnalysisMode::Nodf, file, observed.rows, observed.columns, observed.fill,
                          fileSeed, {}, completeness};
    results.statistics.push_back(nodfStatistic("nodf_rows", observed.nodf.rows, null, bravolin::NodfPart::Rows));
    results.statistics.push_back(
        nodfStatistic("nodf_columns", observed.nodf.columns, null, bravolin::NodfPart::Columns));
    results.statistics.push_back(nodfStatistic("nodf_total", observed.nodf.total, null, bravolin::NodfPart::Total));
    return results;
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

void addMetricResults(MatrixResults& results, const bravolin::MetricSettings& settings,
                      const bravolin::MetricValues& observed, const MetricNullValues* null)
{
    results.metrics = true;
    for (int value : bravolin::measuredValues(settings)) {
        const bravolin::MetricStatistic& of = bravolin::metricValueStatistic(value);
        const double measured = observed.values[static_cast<std::size_t>(value)];
        StatisticResults statistic{of.name, measured, {}, false, ""};
        if (value == bravolin::NodfcValue || value == bravolin::NodfMaxRatio)
            statistic.note = observed.nodfMaxExhaustive ? "exhaustive" : "heuristic";
        const bravolin::NestedTail tail =
            of.moreNested == bravolin::MoreNested::Higher ? bravolin::NestedTail::Greater : bravolin::NestedTail::Less;
        for (const auto& model : null != nullptr ? *null : MetricNullValues()) {
            const bool measuredUnder = bravolin::measuredUnder(model.model, value);
            // wnodf has no null values under a binary model: it is left out
            // there; nodfc's are NA under a model that changes presences.
            if (!measuredUnder && value <= bravolin::WnodfTotal)
                continue;
            std::vector<double> values;
            if (measuredUnder)
                for (const bravolin::MetricValues& simulated : model.values)
                    values.push_back(simulated.values[static_cast<std::size_t>(value)]);
            statistic.models.push_back(
                {model.model, bravolin::doubleNullStatistics(values, measured, tail, bravolin::isChain(model.model))});
        }
        results.statistics.push_back(statistic);
    }
}

std::string resultLine(const MatrixResults& results)
{
    std::string line = "Result:";
    if (results.mode == AnalysisMode::Temperature) {
        line += " T " + twoDecimals(results.statistics[0].observed);
    } else {
        line += " NODF rows " + twoDecimals(results.statistics[0].observed) + " columns " +
                twoDecimals(results.statistics[1].observed) + " total " +
                twoDecimals(results.statistics[2].observed);
    }
    // The temperature's, or the total NODF's.
    const StatisticResults& tested = results.statistics[results.mode == AnalysisMode::Temperature ? 0 : 2];
    line += modelParts(tested, results.mode == AnalysisMode::Temperature ? bravolin::NestedTail::Less
                                                                          : bravolin::NestedTail::Greater) +
            "\n";
    for (std::size_t s = 3; results.mode == AnalysisMode::Nodf && s < results.statistics.size(); s++) {
        const StatisticResults& statistic = results.statistics[s];
        const bravolin::MetricStatistic* of = bravolin::findMetricStatistic(statistic.name);
        const bravolin::NestedTail tail = of != nullptr && of->moreNested == bravolin::MoreNested::Lower
                                              ? bravolin::NestedTail::Less
                                              : bravolin::NestedTail::Greater;
        line += "Result: " + statistic.name + " " +
                (std::isnan(statistic.observed) ? std::string("NA") : formatText("%.6g", statistic.observed)) +
                modelParts(statistic, tail) + "\n";
    }
    return line;
}
