// Pictures of the analyses: what each picture shows, taken from the
// contexts of the observed matrix.
#include "plots/analysis_pictures.h"

#include "common/output_file.h"
#include "common/shared_state.h"
#include "plots/matrix_pictures.h"
#include "plots/null_pictures.h"

namespace {

// Points enough for a smooth curve at any size of picture.
constexpr int kIsoclineSamples = 400;

void writePicture(RunPictures& run, const std::string& name, const std::string& content)
{
    if (writeWholeFile(name, content))
        run.filePictures.push_back(name);
}

std::vector<int> labels(const std::vector<int>& order, int offset, int count)
{
    return std::vector<int>(order.begin() + 1 + offset, order.begin() + 1 + offset + count);
}

}  // namespace

void startPicturePage(RunPictures& run, char mode, bool nullModels)
{
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

void drawPackedMatrix(RunPictures& run, const PackingContext& packed, const TemperatureContext& measured)
{
    const int rows = packed.rowCount, columns = packed.columnCount;
    PackedMatrixPicture picture;
    picture.fileName = currentFileName;
    picture.rows = rows;
    picture.columns = columns;
    const std::size_t width = static_cast<std::size_t>(columns) + 1;
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++) {
            const std::size_t cell = static_cast<std::size_t>(i) * width + static_cast<std::size_t>(j);
            picture.cells.push_back(packed.matrix[i][j]);
            picture.contribution.push_back(measured.cellPart[cell]);
            picture.unexpected.push_back(measured.cellUnexpected[cell]);
        }
    picture.rowLabels = labels(packed.rowOrder, packed.removedFullRows, rows);
    picture.columnLabels = labels(packed.columnOrder, packed.removedFullColumns, columns);
    picture.isocline = isoclinePoints(measured, kIsoclineSamples);
    picture.packedFillPercent = packed.packedPercentFill;
    picture.temperature = measured.matrixTemperature;
    writePicture(run, std::string(currentFileName) + "_packed.svg", packedMatrixSvg(picture));
}

void drawOrderedMatrix(RunPictures& run, const NodfContext& measured)
{
    OrderedMatrixPicture picture;
    picture.fileName = currentFileName;
    picture.rows = measured.rows;
    picture.columns = measured.columns;
    for (int i = 0; i < measured.rows; i++)
        for (int j = 0; j < measured.columns; j++)
            picture.cells.push_back(measured.nodfMatrix[i][j]);
    for (int source : measured.rowSource)
        picture.rowLabels.push_back(source + 1);
    for (int source : measured.columnSource)
        picture.columnLabels.push_back(source + 1);
    picture.ordered = orderMatrix == 1;
    picture.nodfRows = static_cast<double>(measured.nodfRows) * 100;
    picture.nodfColumns = static_cast<double>(measured.nodfColumns) * 100;
    picture.nodfTotal = static_cast<double>(measured.nodfTotal) * 100;
    writePicture(run, std::string(currentFileName) + "_ordered.svg", orderedMatrixSvg(picture));
}

void drawNullDistributions(RunPictures& run, char mode, double observed, const SimulatedValues& simulated,
                           double pEr, double pCe)
{
    NullDistributionPicture picture;
    picture.fileName = currentFileName;
    picture.mode = mode;
    picture.observed = observed;
    for (int model = 0; model < 4; model++)
        picture.values[model] = simulated.model[model];
    picture.pEr = pEr;
    picture.pCe = pCe;
    writePicture(run, std::string(currentFileName) + (mode == 'T' ? "_T_null.svg" : "_N_null.svg"),
                 nullDistributionSvg(picture));
}

void finishPicturesOfFile(RunPictures& run, const std::vector<std::string>& summaryValues)
{
    if (run.page) {
        run.report.rows.push_back({currentFileName, summaryValues, run.filePictures});
        writeWholeFile(kReportPageName, reportPageHtml(run.report));
    }
    run.filePictures.clear();
}
