// The statistics of a matrix's null models, and the console's result line.
#include "formats/tables/matrix_results.h"

#include <cmath>

#include "formats/text/text_format.h"

namespace {

StatisticResults nodfStatistic(const char* name, float fraction, const bravolin::NodfNullModels* null,
                               bravolin::NodfPart part)
{
    StatisticResults statistic{name, bravolin::nodfPercent(fraction), {}};
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

}  // namespace

MatrixResults temperatureResults(const std::string& file, const bravolin::TemperatureResult& observed,
                                 const bravolin::TemperatureNullModels* null, std::optional<std::uint32_t> fileSeed,
                                 Completeness completeness)
{
    MatrixResults results{AnalysisMode::Temperature, file, observed.rows, observed.columns, observed.fill,
                          fileSeed, {}, completeness};
    StatisticResults temperature{"temperature", observed.temperature, {}};
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
    const StatisticResults& tested = results.statistics.back();
    for (const ModelResults& model : tested.models) {
        const double p = results.mode == AnalysisMode::Temperature ? model.statistics.pLess : model.statistics.pGreater;
        line += formatText(" | %s SES %s P %s", bravolin::kNullModelNames[model.model],
                           twoDecimals(model.statistics.ses).c_str(),
                           std::isnan(p) ? "NA" : formatText("%.3g", p).c_str());
    }
    return line + "\n";
}
