// The pictures of a run's analyses and the page of its batch, from what the
// analyses computed (they change none of it): each picture's SVG text and
// its file name, after the matrix file's whole name ("a.txt_packed.svg"),
// and the page's rows. A front end writes them (the console program with
// --svg and --report).
#ifndef BRAVOLIN_FORMATS_PICTURES_ANALYSIS_PICTURES_H
#define BRAVOLIN_FORMATS_PICTURES_ANALYSIS_PICTURES_H

#include <string>
#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "bravolin/temperature.h"
#include "formats/analysis_mode.h"
#include "formats/tables/matrix_results.h"
#include "formats/pictures/report_page.h"

// The name of the page of a batch of a mode, in the working folder:
// BRAVOLIN_T_report.html or BRAVOLIN_N_report.html, so that a run of each
// mode in one folder keeps both pages.
std::string reportPageName(AnalysisMode mode);

// A null model's statistics of the matrix being analysed: of its
// temperature, or of its total NODF in percent.
struct ModelStatistics {
    bravolin::NullModel model = bravolin::Er;
    bravolin::NullStatistics statistics;
};

// A picture as a front end writes it: its file name and its SVG text.
struct NamedPicture {
    std::string name;
    std::string svg;
};

// NAME_packed.svg: the packed matrix of mode T with its isocline and its
// unexpected cells (result lists them when they are asked for).
NamedPicture packedPicture(const std::string& fileName, const bravolin::Matrix& matrix,
                           const bravolin::TemperatureResult& result);

// NAME_ordered.svg: the matrix of mode N in the order measured.
NamedPicture orderedPicture(const std::string& fileName, const bravolin::Matrix& matrix,
                            const bravolin::NodfResult& result);

// The null picture of a matrix and the statistics it shows.
struct NullPicture {
    NamedPicture picture;
    std::vector<ModelStatistics> statistics;  // of every model that ran
};

// NAME_T_null.svg or NAME_N_null.svg: the simulated temperatures, or total
// NODF, of every model that ran against the observed value, with
// each model's SES and nestedness P value.
NullPicture nullPicture(const std::string& fileName, const bravolin::TemperatureResult& observed,
                        const bravolin::TemperatureNullModels& null);
NullPicture nullPicture(const std::string& fileName, const bravolin::NodfResult& observed,
                        const bravolin::NodfNullModels& null);

// NAME_N_null_STATISTIC.svg for every statistic of results beyond the
// NODF's (addMetricResults) with null values: one panel per model that
// measures it, its values from null.
std::vector<NamedPicture> metricNullPictures(const std::string& fileName, const MatrixResults& results,
                                             const MetricNullValues& null);

// Adds the matrix's row to the page's section of every statistic of
// results beyond the NODF's (addMetricResults), adding the sections and
// their models' columns as they come: the observed value (6 significant
// digits) and each model's SES and nestedness P value.
void addMetricSectionRows(ReportPage& page, const std::string& fileName, const MatrixResults& results);

// A new page for a batch of a mode, with or without null models,
// run with these settings, which the page lists in this order.
ReportPage newReportPage(AnalysisMode mode, bool nullModels, const PageSettings& settings);

// Adds the row of a matrix to the page: the observed values of its summary
// values as written (the first one in mode T, three in mode N), the
// pictures of it (the names they were written under) and the SES and P
// value of every model that ran.
void addReportRow(ReportPage& page, const std::string& fileName, const std::vector<std::string>& summaryValues,
                  const std::vector<std::string>& pictureFiles, const std::vector<ModelStatistics>& statistics);

#endif
