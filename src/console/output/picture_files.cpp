// Writing the pictures of the analyses and the page of a batch.
#include "console/output/picture_files.h"

#include <utility>

#include "console/output/output_file.h"
#include "formats/pictures/report_page.h"

namespace {

void writePicture(RunPictures& run, const NamedPicture& picture)
{
    if (writeWholeFile(run.session, picture.name, picture.svg))
        run.filePictures.push_back(picture.name);
}

void writeNullPicture(RunPictures& run, NullPicture drawn)
{
    run.fileStatistics = std::move(drawn.statistics);
    writePicture(run, drawn.picture);
}

}  // namespace

void startPicturePage(RunPictures& run, AnalysisMode mode, bool nullModels, const PageSettings& settings)
{
    run.report = newReportPage(mode, nullModels, settings);
    run.filePictures.clear();
    run.fileStatistics.clear();
}

void drawPackedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                      const bravolin::TemperatureResult& result)
{
    writePicture(run, packedPicture(fileName, matrix, result));
}

void drawOrderedMatrix(RunPictures& run, const std::string& fileName, const bravolin::Matrix& matrix,
                       const bravolin::NodfResult& result)
{
    writePicture(run, orderedPicture(fileName, matrix, result));
}

void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::TemperatureResult& observed,
                           const bravolin::TemperatureNullModels& null)
{
    writeNullPicture(run, nullPicture(fileName, observed, null));
}

void drawNullDistributions(RunPictures& run, const std::string& fileName, const bravolin::NodfResult& observed,
                           const bravolin::NodfNullModels& null)
{
    writeNullPicture(run, nullPicture(fileName, observed, null));
}

void finishPicturesOfFile(RunPictures& run, const std::string& fileName, const std::vector<std::string>& summaryValues)
{
    if (run.page) {
        addReportRow(run.report, fileName, summaryValues, run.filePictures, run.fileStatistics);
        writeWholeFile(run.session, reportPageName(run.report.mode), reportPageHtml(run.report));
    }
    run.filePictures.clear();
    run.fileStatistics.clear();
}
