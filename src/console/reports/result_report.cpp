// Writing the results of a batch's files.
#include "console/reports/result_report.h"

#include <cstdio>

#include "console/output/result_table_files.h"
#include "console/reports/analyses.h"
#include "console/system/console.h"

namespace {

template <typename Analysis>
class ResultReport : public FileWriter<Analysis> {
public:
    using File = typename FileWriter<Analysis>::File;

    ResultReport(OutputSession& session, bool resultLine, const std::optional<ResultTableSettings>& tables)
        : resultLine_(resultLine), tables_(tables ? std::make_unique<ResultTables>(session, *tables) : nullptr)
    {
    }
    ~ResultReport() override { batchEnded(); }

    void finished(const File& file, Completeness completeness) override
    {
        if (file.matrix->rows() > 0)
            report(file, completeness);
    }
    void interrupted(const File& file) override { report(file, Completeness::Interrupted); }
    void batchEnded() override
    {
        if (!tables_)
            return;
        tables_->commit();
        tables_.reset();
    }

private:
    void report(const File& file, Completeness completeness)
    {
        const std::optional<std::uint32_t> fileSeed =
            file.null != nullptr ? std::optional<std::uint32_t>(file.fileSeed) : std::nullopt;
        const MatrixResults results = Analysis::results(file.name, *file.observed, file.null, fileSeed, completeness);
        if (resultLine_ && completeness != Completeness::Interrupted) {
            consolePrintf("%s", resultLine(results).c_str());
            // A result is read as it comes, also from a log file or a pipe,
            // where standard output would otherwise hold it until its
            // buffer fills.
            std::fflush(stdout);
        }
        if (tables_)
            tables_->add(Analysis::tableRows(tables_->settings(), results, *file.matrix, *file.observed, file.null));
    }

    const bool resultLine_;
    std::unique_ptr<ResultTables> tables_;
};

}  // namespace

template <typename Analysis>
std::unique_ptr<FileWriter<Analysis>> resultReport(OutputSession& session, bool resultLine,
                                                   const std::optional<ResultTableSettings>& tables)
{
    return std::make_unique<ResultReport<Analysis>>(session, resultLine, tables);
}

template std::unique_ptr<FileWriter<TemperatureAnalysis>> resultReport<TemperatureAnalysis>(
    OutputSession&, bool, const std::optional<ResultTableSettings>&);
template std::unique_ptr<FileWriter<NodfAnalysis>> resultReport<NodfAnalysis>(
    OutputSession&, bool, const std::optional<ResultTableSettings>&);
