// The two analyses as the report writers see them: the types of a file's
// results, and the formats library's functions that turn them into the
// statistics, table rows and pictures each reports.
#ifndef BRAVOLIN_CONSOLE_REPORTS_ANALYSES_H
#define BRAVOLIN_CONSOLE_REPORTS_ANALYSES_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/metrics.h"
#include "bravolin/nodf.h"
#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "formats/analysis_mode.h"
#include "formats/pictures/analysis_pictures.h"
#include "formats/tables/matrix_results.h"
#include "formats/tables/result_tables.h"

struct TemperatureAnalysis {
    static constexpr AnalysisMode kMode = AnalysisMode::Temperature;
    using Result = bravolin::TemperatureResult;
    using NullModels = bravolin::TemperatureNullModels;

    static MatrixResults results(const std::string& file, const Result& observed, const NullModels* null,
                                 std::optional<std::uint32_t> fileSeed, Completeness completeness)
    {
        return temperatureResults(file, observed, null, fileSeed, completeness);
    }
    static ResultTableText tableRows(const ResultTableSettings& settings, const MatrixResults& results,
                                     const bravolin::Matrix& matrix, const Result& observed, const NullModels* null)
    {
        return temperatureTableRows(settings, results, matrix, observed, null);
    }
    // NAME_packed.svg
    static NamedPicture matrixPicture(const std::string& file, const bravolin::Matrix& matrix, const Result& observed)
    {
        return packedPicture(file, matrix, observed);
    }
    // The temperature has no further metrics.
    static std::vector<NamedPicture> metricPictures(const std::string& /*file*/, const Result& /*observed*/,
                                                    const NullModels& /*null*/)
    {
        return {};
    }
    static void addMetricRows(ReportPage& /*page*/, const std::string& /*file*/, const Result& /*observed*/,
                              const NullModels* /*null*/)
    {
    }
};

// A file's NODF, and the run's further metrics (--metrics) of its matrix:
// the classic files and the pictures see the NODF alone.
struct NodfFileResult : bravolin::NodfResult {
    bravolin::MetricSettings metricSettings;  // nodf alone: no further metric
    bravolin::MetricValues metrics;
    // The run's NODFmax values, for the null models.
    bravolin::NodfMaxCache* nodfMaxCache = nullptr;
    // The abundances read (a table's), which the models of abundances draw
    // from; none: the matrix's 1s as counts of one.
    const bravolin::AbundanceMatrix* abundances = nullptr;
};

// A file's null models: the NODF's values, and those of the further
// metrics of every model, in the same order (none without metrics).
struct NodfFileNullModels : bravolin::NodfNullModels {
    using bravolin::NodfNullModels::NodfNullModels;
    MetricNullValues metrics;
};

struct NodfAnalysis {
    static constexpr AnalysisMode kMode = AnalysisMode::Nodf;
    using Result = NodfFileResult;
    using NullModels = NodfFileNullModels;

    static MatrixResults results(const std::string& file, const Result& observed, const NullModels* null,
                                 std::optional<std::uint32_t> fileSeed, Completeness completeness)
    {
        MatrixResults results = nodfResults(file, observed, null, fileSeed, completeness);
        if (bravolin::measuresBeyondNodf(observed.metricSettings))
            addMetricResults(results, observed.metricSettings, observed.metrics,
                             null != nullptr ? &null->metrics : nullptr);
        return results;
    }
    static ResultTableText tableRows(const ResultTableSettings& settings, const MatrixResults& results,
                                     const bravolin::Matrix& matrix, const Result& observed, const NullModels* null)
    {
        return nodfTableRows(settings, results, matrix, observed, null, null != nullptr ? &null->metrics : nullptr);
    }
    // NAME_ordered.svg
    static NamedPicture matrixPicture(const std::string& file, const bravolin::Matrix& matrix, const Result& observed)
    {
        return orderedPicture(file, matrix, observed);
    }
    // NAME_N_null_STATISTIC.svg of every further metric with null values.
    static std::vector<NamedPicture> metricPictures(const std::string& file, const Result& observed,
                                                    const NullModels& null)
    {
        if (!bravolin::measuresBeyondNodf(observed.metricSettings))
            return {};
        MatrixResults results;
        addMetricResults(results, observed.metricSettings, observed.metrics, &null.metrics);
        return metricNullPictures(file, results, null.metrics);
    }
    // The file's rows of the page's sections of the further metrics.
    static void addMetricRows(ReportPage& page, const std::string& file, const Result& observed,
                              const NullModels* null)
    {
        if (!bravolin::measuresBeyondNodf(observed.metricSettings))
            return;
        MatrixResults results;
        addMetricResults(results, observed.metricSettings, observed.metrics, null != nullptr ? &null->metrics : nullptr);
        addMetricSectionRows(page, file, results);
    }
};

#endif
