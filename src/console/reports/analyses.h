// The two analyses as the report writers see them: the types of a file's
// results, and the formats library's functions that turn them into the
// statistics, table rows and pictures each reports.
#ifndef BRAVOLIN_CONSOLE_REPORTS_ANALYSES_H
#define BRAVOLIN_CONSOLE_REPORTS_ANALYSES_H

#include <cstdint>
#include <optional>
#include <string>

#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
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
};

struct NodfAnalysis {
    static constexpr AnalysisMode kMode = AnalysisMode::Nodf;
    using Result = bravolin::NodfResult;
    using NullModels = bravolin::NodfNullModels;

    static MatrixResults results(const std::string& file, const Result& observed, const NullModels* null,
                                 std::optional<std::uint32_t> fileSeed, Completeness completeness)
    {
        return nodfResults(file, observed, null, fileSeed, completeness);
    }
    static ResultTableText tableRows(const ResultTableSettings& settings, const MatrixResults& results,
                                     const bravolin::Matrix& matrix, const Result& observed, const NullModels* null)
    {
        return nodfTableRows(settings, results, matrix, observed, null);
    }
    // NAME_ordered.svg
    static NamedPicture matrixPicture(const std::string& file, const bravolin::Matrix& matrix, const Result& observed)
    {
        return orderedPicture(file, matrix, observed);
    }
};

#endif
