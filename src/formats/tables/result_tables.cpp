// The text of the result tables of a batch.
#include "formats/tables/result_tables.h"

#include <cmath>
#include <vector>

#include "formats/text/text_format.h"

namespace {

std::string floatText(float value)
{
    return std::isnan(value) ? "NA" : formatText("%.9g", static_cast<double>(value));
}

std::string doubleText(double value)
{
    return std::isnan(value) ? "NA" : formatText("%.17g", value);
}

// Each line's position in the matrix analysed (from 1), by its index in the
// matrix read; 0 for a line the analysis left out.
std::vector<int> positionsOf(const std::vector<int>& order, int lines)
{
    std::vector<int> positions(static_cast<std::size_t>(lines), 0);
    for (std::size_t at = 0; at < order.size(); at++)
        positions[static_cast<std::size_t>(order[at])] = static_cast<int>(at) + 1;
    return positions;
}

// The presences of every row, or of every column.
std::vector<int> lineTotals(const bravolin::Matrix& matrix, bool rows)
{
    std::vector<int> totals(static_cast<std::size_t>(rows ? matrix.rows() : matrix.columns()), 0);
    for (int r = 0; r < matrix.rows(); r++)
        for (int c = 0; c < matrix.columns(); c++)
            totals[static_cast<std::size_t>(rows ? r : c)] += matrix.at(r, c);
    return totals;
}

// The mode column's word for a mode.
std::string modeText(AnalysisMode mode)
{
    return mode == AnalysisMode::Temperature ? "temperature" : "nodf";
}

// The complete column's word for a matrix's results.
const char* completenessText(Completeness completeness)
{
    switch (completeness) {
    case Completeness::Interrupted:
        return "interrupted";
    case Completeness::Truncated:
        return "truncated";
    case Completeness::Complete:
        break;
    }
    return "yes";
}

// The rows of one side's lines table: each line of the matrix read, its
// position in the packed or ordered matrix, and its temperature (mode T).
std::string lineRows(const std::string& fileField, AnalysisMode mode, const bravolin::Matrix& matrix, bool rows,
                     const std::vector<int>& order, const std::vector<float>* temperatures)
{
    const int lines = rows ? matrix.rows() : matrix.columns();
    const std::vector<int> positions = positionsOf(order, lines);
    const std::vector<int> totals = lineTotals(matrix, rows);
    std::string text;
    for (int line = 0; line < lines; line++) {
        const int position = positions[static_cast<std::size_t>(line)];
        text += fileField + "," + modeText(mode) + "," +
                csvField(rows ? matrix.rowName(line) : matrix.columnName(line)) + "," + std::to_string(line + 1) +
                "," + (position > 0 ? std::to_string(position) : "") + "," +
                std::to_string(totals[static_cast<std::size_t>(line)]);
        if (temperatures != nullptr)
            text += "," + (position > 0 ? floatText((*temperatures)[static_cast<std::size_t>(position - 1)]) : "");
        text += "\n";
    }
    return text;
}

const char* const kResultsHeader =
    "file,mode,statistic,rows,columns,fill,observed,model,n,mean,sd,ses,p_less,p_greater,"
    "p_two_sided,q025,q500,q975,p_mcse,ess,lag1,seed,file_seed,simulations,ordered,version,date,complete\n";
const char* const kResultsHeaderWithNote =
    "file,mode,statistic,rows,columns,fill,observed,model,n,mean,sd,ses,p_less,p_greater,"
    "p_two_sided,q025,q500,q975,p_mcse,ess,lag1,seed,file_seed,simulations,ordered,version,date,note,complete\n";

// The rows of the results table of a matrix: one per statistic and model
// that ran, or one per statistic without null models.
std::string resultRows(const ResultTableSettings& settings, const MatrixResults& results)
{
    const std::string head = csvField(results.file) + "," + modeText(results.mode) + ",";
    const std::string sizes = "," + std::to_string(results.rows) + "," + std::to_string(results.columns) + "," +
                              floatText(results.fill) + ",";
    const std::string settingsText =
        "," + std::to_string(settings.seed) + "," +
        (results.fileSeed ? std::to_string(*results.fileSeed) : std::string()) + "," +
        std::to_string(settings.simulations) + "," +
        (settings.mode == AnalysisMode::Nodf ? (settings.ordered ? "yes" : "no") : "") + "," + csvField(settings.version) +
        "," + settings.date + ",";
    const std::string complete = std::string(completenessText(results.completeness)) + "\n";
    const bool notes = !settings.metricValues.empty();
    std::string text;
    for (const StatisticResults& statistic : results.statistics) {
        const std::string run = settingsText + (notes ? statistic.note + "," : "") + complete;
        const std::string observed = statistic.singlePrecision ? floatText(static_cast<float>(statistic.observed))
                                                               : doubleText(statistic.observed);
        const std::string start = head + statistic.name + sizes + observed + ",";
        if (statistic.models.empty())
            text += start + std::string(14, ',') + run.substr(1);
        for (const ModelResults& model : statistic.models) {
            const bravolin::NullStatistics& s = model.statistics;
            text += start + bravolin::kNullModelNames[model.model] + "," + std::to_string(s.n);
            for (double value : {s.mean, s.sd, s.ses, s.pLess, s.pGreater, s.pTwoSided, s.q025, s.q500, s.q975,
                                 s.pMcse, s.ess, s.lag1})
                text += "," + doubleText(value);
            text += run;
        }
    }
    return text;
}

}  // namespace

std::string csvField(const std::string& text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return text;
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

std::string resultTableName(AnalysisMode mode, const char* table)
{
    return std::string("BRAVOLIN_") + modeLetter(mode) + "_" + table + ".csv";
}

ResultTableText resultTableHeaders(const ResultTableSettings& settings)
{
    const AnalysisMode mode = settings.mode;
    const std::string linesHeader = std::string("file,mode,line,position_in_file,position_in_matrix,presences") +
                                    (mode == AnalysisMode::Temperature ? ",temperature\n" : "\n");
    ResultTableText headers{settings.metricValues.empty() ? kResultsHeader : kResultsHeaderWithNote, linesHeader,
                            linesHeader, ""};
    if (settings.simulations <= 0)
        return headers;
    if (mode == AnalysisMode::Temperature) {
        headers.nullValues = "file,simulation,model,temperature\n";
        return headers;
    }
    headers.nullValues = "file,simulation,model,nodf_rows,nodf_columns,nodf_total";
    for (int value : settings.nullMetricValues)
        headers.nullValues += std::string(",") + bravolin::metricValueStatistic(value).name;
    headers.nullValues += "\n";
    return headers;
}

ResultTableText resultTableHeaders(AnalysisMode mode, bool nullModels)
{
    ResultTableSettings settings;
    settings.mode = mode;
    settings.simulations = nullModels ? 1 : 0;
    return resultTableHeaders(settings);
}

ResultTableText temperatureTableRows(const ResultTableSettings& settings, const MatrixResults& results,
                                     const bravolin::Matrix& matrix, const bravolin::TemperatureResult& observed,
                                     const bravolin::TemperatureNullModels* null)
{
    const std::string file = csvField(results.file);
    ResultTableText tables{resultRows(settings, results),
                           lineRows(file, AnalysisMode::Temperature, matrix, true, observed.rowOrder, &observed.rowTemperature),
                           lineRows(file, AnalysisMode::Temperature, matrix, false, observed.columnOrder, &observed.columnTemperature), ""};
    if (null == nullptr || settings.simulations <= 0)
        return tables;
    std::string& text = tables.nullValues;
    for (int s = 0; s < null->run.completed; s++) {
        const std::string start = file + "," + std::to_string(s + 1) + ",";
        for (const auto& model : null->models)
            text += start + bravolin::kNullModelNames[model.model] + "," +
                    floatText(model.values[static_cast<std::size_t>(s)]) + "\n";
    }
    return tables;
}

ResultTableText nodfTableRows(const ResultTableSettings& settings, const MatrixResults& results,
                              const bravolin::Matrix& matrix, const bravolin::NodfResult& observed,
                              const bravolin::NodfNullModels* null, const MetricNullValues* metrics)
{
    const std::string file = csvField(results.file);
    ResultTableText tables{resultRows(settings, results),
                           lineRows(file, AnalysisMode::Nodf, matrix, true, observed.rowOrder, nullptr),
                           lineRows(file, AnalysisMode::Nodf, matrix, false, observed.columnOrder, nullptr), ""};
    if (null == nullptr || settings.simulations <= 0)
        return tables;
    auto values = [](const bravolin::NodfValues& nodf) {
        return floatText(bravolin::nodfPercent(nodf.rows)) + "," + floatText(bravolin::nodfPercent(nodf.columns)) + "," +
               floatText(bravolin::nodfPercent(nodf.total));
    };
    // A metric's value of simulation s of the model at index m, NA where
    // the model does not measure it.
    auto metricValues = [&](std::size_t m, std::size_t s) {
        std::string fields;
        if (metrics == nullptr || m >= metrics->size() || s >= (*metrics)[m].values.size())
            return fields;
        for (int value : settings.nullMetricValues)
            fields += "," + doubleText((*metrics)[m].values[s].values[static_cast<std::size_t>(value)]);
        return fields;
    };
    std::string& text = tables.nullValues;
    for (int s = 0; s < null->run.completed; s++) {
        const std::string start = file + "," + std::to_string(s + 1) + ",";
        for (std::size_t m = 0; m < null->models.size(); m++) {
            const auto& model = null->models[m];
            text += start + bravolin::kNullModelNames[model.model] + "," +
                    values(model.values[static_cast<std::size_t>(s)]) +
                    metricValues(m, static_cast<std::size_t>(s)) + "\n";
        }
    }
    return tables;
}
