// The text of the classic summary file.
#include "formats/tables/classic_summary.h"

#include "formats/tables/classic_tallies.h"
#include "formats/text/text_format.h"
#include "formats/text/two_decimals.h"

std::string summaryHeader(AnalysisMode mode, bool nullModels)
{
    if (mode == AnalysisMode::Temperature)
        return nullModels ? "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)\n" : "Matrix T(M)\n";
    return nullModels ? "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\n"
                      : "Matrix N_Rows N_Columns N_Total\n";
}

std::vector<std::string> summaryValues(const bravolin::TemperatureResult& observed)
{
    return {formatText("%02.2f", observed.temperature)};
}

std::vector<std::string> summaryValues(const bravolin::NodfResult& observed)
{
    return {percentText(observed.nodf.rows), percentText(observed.nodf.columns), percentText(observed.nodf.total)};
}

std::vector<std::string> nullSummaryValues(const bravolin::TemperatureNullModels& null,
                                           const bravolin::TemperatureResult& observed, int simulations)
{
    std::vector<std::string> values;
    for (bravolin::NullModel model : {bravolin::Er, bravolin::Ce}) {
        const ClassicTally tally = classicTally(bravolin::modelValues(null, model),
                                                [&observed](float value) { return value <= observed.temperature; });
        values.push_back(formatText("%02.2f", tally.mean));
        values.push_back(formatText("%02.2f", static_cast<double>(tally.counted) / simulations));
    }
    return values;
}

std::vector<std::string> nullSummaryValues(const bravolin::NodfNullModels& null, const bravolin::NodfResult& observed,
                                           int simulations)
{
    std::vector<std::string> values;
    for (bravolin::NullModel model : {bravolin::Er, bravolin::Ce}) {
        const ClassicTally tally =
            classicTally(bravolin::modelValues(null, model, bravolin::NodfPart::Total),
                         [&observed](float total) { return total > observed.nodf.total; });
        values.push_back(percentText(tally.mean));
        values.push_back(formatText("%02.2f", static_cast<double>(tally.counted) / simulations));
    }
    return values;
}

std::string summaryLine(AnalysisMode mode, const std::string& matrixName, const std::vector<std::string>& values,
                        bool moreFollow)
{
    std::string line = mode == AnalysisMode::Temperature ? matrixName + " (Packed)" : matrixName;
    for (const std::string& value : values)
        line += " " + value;
    return line + (moreFollow ? ' ' : '\n');
}

std::string summaryLineRest(const std::vector<std::string>& values, bool moreFollow)
{
    std::string rest;
    for (const std::string& value : values)
        rest += (rest.empty() ? "" : " ") + value;
    return rest + (moreFollow ? ' ' : '\n');
}
