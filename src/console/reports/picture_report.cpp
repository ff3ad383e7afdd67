// Writing the pictures of the analyses and the page of a batch.
#include "console/reports/picture_report.h"

#include <string>
#include <utility>
#include <vector>

#include "console/output/output_file.h"
#include "console/reports/analyses.h"
#include "formats/pictures/analysis_pictures.h"
#include "formats/tables/classic_summary.h"

namespace {

template <typename Analysis>
class PictureReport : public FileWriter<Analysis> {
public:
    using File = typename FileWriter<Analysis>::File;

    PictureReport(OutputSession& session, bool page, bool nullModels, const PageSettings& settings)
        : session_(session), page_(page), report_(newReportPage(Analysis::kMode, nullModels, settings))
    {
    }

    void observed(const File& file) override
    {
        write(Analysis::matrixPicture(file.name, *file.matrix, *file.observed));
    }
    void nullModelsDone(const File& file) override
    {
        NullPicture drawn = nullPicture(file.name, *file.observed, *file.null);
        fileStatistics_ = std::move(drawn.statistics);
        write(drawn.picture);
        for (const NamedPicture& picture : Analysis::metricPictures(file.name, *file.observed, *file.null))
            write(picture);
    }
    void finished(const File& file, Completeness /*completeness*/) override
    {
        if (page_) {
            std::vector<std::string> values = summaryValues(*file.observed);
            if (file.null != nullptr)
                for (const std::string& value : nullSummaryValues(*file.null, *file.observed, file.simulations))
                    values.push_back(value);
            addReportRow(report_, file.name, values, filePictures_, fileStatistics_);
            Analysis::addMetricRows(report_, file.name, *file.observed, file.null);
            writeWholeFile(session_, reportPageName(Analysis::kMode), reportPageHtml(report_));
        }
        forgetFile();
    }
    // The pictures of a file given up belong to no row of the page.
    void abandoned(const std::string& /*name*/) override { forgetFile(); }

private:
    void write(const NamedPicture& picture)
    {
        if (writeWholeFile(session_, picture.name, picture.svg))
            filePictures_.push_back(picture.name);
    }
    void forgetFile()
    {
        filePictures_.clear();
        fileStatistics_.clear();
    }

    OutputSession& session_;
    const bool page_;
    ReportPage report_;
    std::vector<std::string> filePictures_;  // written of the file being analysed
    // Of every model that ran on the file being analysed, for its row of
    // the page.
    std::vector<ModelStatistics> fileStatistics_;
};

}  // namespace

template <typename Analysis>
std::unique_ptr<FileWriter<Analysis>> pictureReport(OutputSession& session, bool page, bool nullModels,
                                                    const PageSettings& settings)
{
    return std::make_unique<PictureReport<Analysis>>(session, page, nullModels, settings);
}

template std::unique_ptr<FileWriter<TemperatureAnalysis>> pictureReport<TemperatureAnalysis>(
    OutputSession&, bool, bool, const PageSettings&);
template std::unique_ptr<FileWriter<NodfAnalysis>> pictureReport<NodfAnalysis>(OutputSession&, bool, bool,
                                                                                const PageSettings&);
