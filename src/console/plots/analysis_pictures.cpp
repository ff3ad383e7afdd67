// Pictures of the analyses: what each picture shows, taken from the
// analyses' results.
#include "console/plots/analysis_pictures.h"

#include "console/output/output_file.h"
#include "console/plots/matrix_pictures.h"
#include "console/plots/null_pictures.h"

namespace {

void writePicture(RunPictures& run, const std::string& name, const std::string& content)
{
    if (writeWholeFile(name, content))
        run.filePictures.push_back(name);
}

// Each line's name, or its number in the matrix file from 1.
std::vector<std::string> rowLabels(const bravolin::Matrix& matrix, const std::vector<int>& order)
{
    std::vector<std::string> labels;
    for (int row : order)
        labels.push_back(matrix.rowName(row));
    return labels;
}

std::vector<std::string> columnLabels(const bravolin::Matrix& matrix, const std::vector<int>& order)
{
    std::vector<std::string> labels;
    for (int column : order)
        labels.push_back(matrix.columnName(column));
    return labels;
}

void drawNullPicture(RunPictures& run, const std::string& fileName, char mode, double observed,
                     NullDistributionPicture& picture, int simulations, int aboveOrColderEr, int aboveOrColderCe)
{
    picture.fileName = fileName;
    picture.mode = mode;
    picture.observed = observed;
    picture.pEr = static_cast<double>(aboveOrColderEr) / simulations;
    picture.pCe = static_cast<double>(aboveOrColderCe) / simulations;
    writePicture(run, fileName + (mode == 'T' ? "_T_null.svg" : "_N_null.svg"), nullDistributionSvg(picture));
}

}  // namespace

void startPicturePage(RunPictures& run, char mode, bool nullModels, const PageSettings& settings)
{
    (void)settings;
    run.report = ReportPage{};
    run.report.mode = mode;
    if (mode == 'T')
        run.report.headings = {"T(M)"};
    else
        run.report.headings = {"N_Rows", "N_Columns", "N_Total"};
    if (nullModels) {
        const char* mean = mode == 'T' ? "T(Er)" : "NODF(Er)";
        const char* ceMean = mode == 'T' ? "T(Ce)" : "NODF(Ce)";
        run.report.headings.insert(run.report.headings.end(), {mean, "P(Er)", ceMean, "P(Ce)"});
    }
}

void drawPackedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                      const bravolin::TemperatureResult& result)
{
    const bravolin::Matrix packed = bravolin::packedMatrix(matrix, result);
    PackedMatrixPicture picture;
    picture.fileName = fileName;
    picture.rows = packed.rows();
    picture.columns = packed.columns();
    picture.cells = packed.cells();
    picture.contribution.assign(picture.cells.size(), 0.0f);
    picture.unexpected.assign(picture.cells.size(), 0);
    for (const bravolin::UnexpectedCell& cell : result.unexpected) {
        const std::size_t at = static_cast<std::size_t>(cell.row) * static_cast<std::size_t>(picture.columns) +
                               static_cast<std::size_t>(cell.column);
        picture.contribution[at] = cell.contribution;
        picture.unexpected[at] = 1;
    }
    picture.rowLabels = rowLabels(matrix, result.rowOrder);
    picture.columnLabels = columnLabels(matrix, result.columnOrder);
    for (const bravolin::IsoclinePoint& point : result.isocline)
        picture.isocline.emplace_back(point.x, point.y);
    picture.packedFillPercent = result.packedFill;
    picture.temperature = result.temperature;
    writePicture(run, fileName + "_packed.svg", packedMatrixSvg(picture));
}

void drawOrderedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                       const bravolin::NodfResult& result)
{
    const bravolin::Matrix ordered = bravolin::orderedMatrix(matrix, result);
    OrderedMatrixPicture picture;
    picture.fileName = fileName;
    picture.rows = ordered.rows();
    picture.columns = ordered.columns();
    picture.cells = ordered.cells();
    picture.rowLabels = rowLabels(matrix, result.rowOrder);
    picture.columnLabels = columnLabels(matrix, result.columnOrder);
    picture.ordered = result.ordered;
    picture.nodfRows = static_cast<double>(result.nodf.rows) * 100;
    picture.nodfColumns = static_cast<double>(result.nodf.columns) * 100;
    picture.nodfTotal = static_cast<double>(result.nodf.total) * 100;
    writePicture(run, fileName + "_ordered.svg", orderedMatrixSvg(picture));
}

void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::TemperatureResult& observed,
                           const bravolin::TemperatureNullModels& null)
{
    NullDistributionPicture picture;
    for (const auto& simulation : null.temperatures)
        for (int model = 0; model < bravolin::kNullModels; model++)
            picture.values[model].push_back(simulation[static_cast<std::size_t>(model)]);
    drawNullPicture(run, fileName, 'T', observed.temperature, picture, null.run.completed, null.colderEr,
                    null.colderCe);
}

void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::NodfResult& observed,
                           const bravolin::NodfNullModels& null)
{
    NullDistributionPicture picture;
    for (const auto& simulation : null.values)
        for (int model = 0; model < bravolin::kNullModels; model++)
            picture.values[model].push_back(static_cast<double>(simulation[static_cast<std::size_t>(model)].total) * 100);
    drawNullPicture(run, fileName, 'N', static_cast<double>(observed.nodf.total) * 100, picture, null.run.completed,
                    null.aboveEr, null.aboveCe);
}

void finishPicturesOfFile(RunPictures& run, const std::string& fileName, const std::vector<std::string>& summaryValues)
{
    if (run.page) {
        run.report.rows.push_back({fileName, summaryValues, run.filePictures});
        writeWholeFile(kReportPageName, reportPageHtml(run.report));
    }
    run.filePictures.clear();
}
