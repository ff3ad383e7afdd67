// Pictures of the analyses: what each picture shows, taken from the
// analyses' results.
#include "formats/pictures/analysis_pictures.h"

#include "bravolin/metrics.h"
#include "bravolin/nodf_metrics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "formats/pictures/matrix_pictures.h"
#include "formats/pictures/null_pictures.h"
#include "formats/pictures/svg_writer.h"

namespace {

// The grid of a matrix's picture: the matrix arranged as analysed, its
// lines' names (or their numbers in the matrix file from 1) in the order
// of the arranged matrix.
void fillGrid(MatrixGrid& grid, const std::string& fileName, const bravolin::Matrix& arranged,
              const bravolin::Matrix& matrix, const std::vector<int>& rowOrder, const std::vector<int>& columnOrder)
{
    grid.fileName = fileName;
    grid.rows = arranged.rows();
    grid.columns = arranged.columns();
    grid.cells = arranged.cells();
    for (int row : rowOrder)
        grid.rowLabels.push_back(matrix.rowName(row));
    for (int column : columnOrder)
        grid.columnLabels.push_back(matrix.columnName(column));
}

// The page's columns of the observed values, as the summary line begins.
std::vector<std::string> observedHeadings(AnalysisMode mode)
{
    if (mode == AnalysisMode::Temperature)
        return {"Temperature"};
    return {"NODF rows", "NODF columns", "NODF total"};
}

// What the page's SES and P columns are: nestedness is a low temperature
// and a high NODF.
std::string statisticsNote(AnalysisMode mode)
{
    if (mode == AnalysisMode::Temperature)
        return "SES and P of each null model for the temperature: SES = (T - mean) / sd of its simulations; "
               "P = (k + 1) / (n + 1), k the simulations as cold as the matrix or colder (a small P: nested).";
    return "SES and P of each null model for the total NODF: SES = (NODF - mean) / sd of its simulations; "
           "P = (k + 1) / (n + 1), k the simulations with a total NODF as high as the matrix's or higher "
           "(a small P: nested).";
}

bravolin::NestedTail nestedTail(AnalysisMode mode)
{
    return mode == AnalysisMode::Temperature ? bravolin::NestedTail::Less : bravolin::NestedTail::Greater;
}

double nestednessP(AnalysisMode mode, const bravolin::NullStatistics& statistics)
{
    return mode == AnalysisMode::Temperature ? statistics.pLess : statistics.pGreater;
}

// One model's values as the analysis computed them (temperatures, or NODF
// fractions).
struct ModelValues {
    bravolin::NullModel model;
    std::vector<float> values;
};

// The null picture of the matrix, in the units it shows (NODF in percent),
// and the statistics of every model, for the matrix's row of the page.
NullPicture drawNullPicture(const std::string& fileName, AnalysisMode mode, float observed,
                            const std::vector<ModelValues>& models)
{
    const double scale = mode == AnalysisMode::Nodf ? 100 : 1;
    NullDistributionPicture picture;
    picture.fileName = fileName;
    picture.mode = mode;
    picture.observed = static_cast<double>(observed) * scale;
    NullPicture drawn;
    for (const ModelValues& model : models) {
        const bravolin::NullStatistics statistics =
            bravolin::nullStatistics(model.values, observed, nestedTail(mode), bravolin::isChain(model.model), scale);
        drawn.statistics.push_back({model.model, statistics});
        NullModelPanel panel;
        panel.model = bravolin::kNullModelNames[model.model];
        for (const float value : model.values)
            panel.values.push_back(static_cast<double>(value) * scale);
        panel.ses = statistics.ses;
        panel.p = nestednessP(mode, statistics);
        picture.panels.push_back(std::move(panel));
    }
    drawn.picture = {fileName + (mode == AnalysisMode::Temperature ? "_T_null.svg" : "_N_null.svg"),
                     nullDistributionSvg(picture)};
    return drawn;
}

// A model's SES and P cells in the row, in the model's two columns after
// the observed values; the columns of a model first seen now are added at
// the end, so that the page has columns for the models that ran only.
void addModelCells(std::vector<std::string>& headings, ReportRow& row, bravolin::NullModel model, double ses,
                   double p)
{
    const std::string name = bravolin::kNullModelNames[model];
    const auto heading = std::find(headings.begin(), headings.end(), name + " SES");
    const auto column = static_cast<std::size_t>(heading - headings.begin());
    if (heading == headings.end()) {
        headings.push_back(name + " SES");
        headings.push_back(name + " P");
    }
    row.values.resize(std::max(row.values.size(), column + 2));
    row.values[column] = sesText(ses);
    row.values[column + 1] = pValueText(p);
}

}  // namespace

std::string reportPageName(AnalysisMode mode)
{
    return std::string("BRAVOLIN_") + modeLetter(mode) + "_report.html";
}

ReportPage newReportPage(AnalysisMode mode, bool nullModels, const PageSettings& settings)
{
    ReportPage page;
    page.mode = mode;
    page.settings = settings;
    // The columns of the null models are added as their statistics come.
    page.headings = observedHeadings(mode);
    if (nullModels)
        page.note = statisticsNote(mode);
    return page;
}

NamedPicture packedPicture(const std::string& fileName, const bravolin::Matrix& matrix,
                           const bravolin::TemperatureResult& result)
{
    PackedMatrixPicture picture;
    fillGrid(picture, fileName, bravolin::packedMatrix(matrix, result), matrix, result.rowOrder, result.columnOrder);
    picture.contribution.assign(picture.cells.size(), 0.0f);
    picture.unexpected.assign(picture.cells.size(), 0);
    for (const bravolin::UnexpectedCell& cell : result.unexpected) {
        const std::size_t at = static_cast<std::size_t>(cell.row) * static_cast<std::size_t>(picture.columns) +
                               static_cast<std::size_t>(cell.column);
        picture.contribution[at] = cell.contribution;
        picture.unexpected[at] = 1;
    }
    for (const bravolin::IsoclinePoint& point : result.isocline)
        picture.isocline.emplace_back(point.x, point.y);
    picture.packedFillPercent = result.packedFill;
    picture.temperature = result.temperature;
    return {fileName + "_packed.svg", packedMatrixSvg(picture)};
}

NamedPicture orderedPicture(const std::string& fileName, const bravolin::Matrix& matrix,
                            const bravolin::NodfResult& result)
{
    OrderedMatrixPicture picture;
    fillGrid(picture, fileName, bravolin::orderedMatrix(matrix, result), matrix, result.rowOrder, result.columnOrder);
    picture.ordered = result.ordered;
    picture.nodfRows = static_cast<double>(result.nodf.rows) * 100;
    picture.nodfColumns = static_cast<double>(result.nodf.columns) * 100;
    picture.nodfTotal = static_cast<double>(result.nodf.total) * 100;
    return {fileName + "_ordered.svg", orderedMatrixSvg(picture)};
}

NullPicture nullPicture(const std::string& fileName, const bravolin::TemperatureResult& observed,
                        const bravolin::TemperatureNullModels& null)
{
    std::vector<ModelValues> models;
    for (const auto& model : null.models)
        models.push_back({model.model, model.values});
    return drawNullPicture(fileName, AnalysisMode::Temperature, observed.temperature, models);
}

NullPicture nullPicture(const std::string& fileName, const bravolin::NodfResult& observed,
                        const bravolin::NodfNullModels& null)
{
    std::vector<ModelValues> models;
    for (const auto& model : null.models)
        models.push_back({model.model, bravolin::modelValues(null, model.model, bravolin::NodfPart::Total)});
    return drawNullPicture(fileName, AnalysisMode::Nodf, observed.nodf.total, models);
}

std::vector<NamedPicture> metricNullPictures(const std::string& fileName, const MatrixResults& results,
                                             const MetricNullValues& null)
{
    std::vector<NamedPicture> pictures;
    for (const StatisticResults& statistic : results.statistics) {
        const bravolin::MetricStatistic* of = bravolin::findMetricStatistic(statistic.name);
        if (statistic.singlePrecision || statistic.models.empty() || of == nullptr)
            continue;
        const int value = static_cast<int>(of - bravolin::metricStatistics().data()) - 3;
        NullDistributionPicture picture;
        picture.fileName = fileName;
        picture.mode = AnalysisMode::Nodf;
        picture.observed = statistic.observed;
        picture.statistic = statistic.name;
        picture.lowerIsNested = of->moreNested == bravolin::MoreNested::Lower;
        for (const ModelResults& model : statistic.models) {
            NullModelPanel panel;
            panel.model = bravolin::kNullModelNames[model.model];
            for (const auto& simulated : null)
                if (simulated.model == model.model && bravolin::measuredUnder(model.model, value))
                    for (const bravolin::MetricValues& values : simulated.values)
                        panel.values.push_back(values.values[static_cast<std::size_t>(value)]);
            panel.ses = model.statistics.ses;
            panel.p = picture.lowerIsNested ? model.statistics.pLess : model.statistics.pGreater;
            picture.panels.push_back(std::move(panel));
        }
        pictures.push_back({fileName + "_N_null_" + statistic.name + ".svg", nullDistributionSvg(picture)});
    }
    return pictures;
}

void addReportRow(ReportPage& page, const std::string& fileName, const std::vector<std::string>& summaryValues,
                  const std::vector<std::string>& pictureFiles, const std::vector<ModelStatistics>& statistics)
{
    const std::size_t observed = std::min(summaryValues.size(), observedHeadings(page.mode).size());
    ReportRow row{fileName, {summaryValues.begin(), summaryValues.begin() + static_cast<std::ptrdiff_t>(observed)},
                  pictureFiles};
    for (const ModelStatistics& model : statistics)
        addModelCells(page.headings, row, model.model, model.statistics.ses,
                      nestednessP(page.mode, model.statistics));
    page.rows.push_back(std::move(row));
}

void addMetricSectionRows(ReportPage& page, const std::string& fileName, const MatrixResults& results)
{
    for (const StatisticResults& statistic : results.statistics) {
        const bravolin::MetricStatistic* of = bravolin::findMetricStatistic(statistic.name);
        if (statistic.singlePrecision || of == nullptr)
            continue;
        auto section = std::find_if(page.sections.begin(), page.sections.end(),
                                    [&statistic](const ReportSection& s) { return s.title == statistic.name; });
        if (section == page.sections.end()) {
            const bool lower = of->moreNested == bravolin::MoreNested::Lower;
            page.sections.push_back({statistic.name,
                                     {"Observed"},
                                     std::string(lower ? "Lower" : "Higher") +
                                         " is more nested; P = (k + 1) / (n + 1), k the simulations as " +
                                         (lower ? "low as observed or lower." : "high as observed or higher."),
                                     {}});
            section = page.sections.end() - 1;
        }
        ReportRow row{fileName, {std::isnan(statistic.observed) ? "NA" : significantDigits(statistic.observed, 6)}, {}};
        for (const ModelResults& model : statistic.models)
            addModelCells(section->headings, row, model.model, model.statistics.ses,
                          of->moreNested == bravolin::MoreNested::Lower ? model.statistics.pLess
                                                                        : model.statistics.pGreater);
        section->rows.push_back(std::move(row));
    }
}
