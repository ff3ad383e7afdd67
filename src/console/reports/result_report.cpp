// Writing the results of a batch's files.
#include "console/reports/result_report.h"

#include <cstdio>

#include "console/output/result_table_files.h"
#include "console/reports/analyses.h"
#include "console/system/console.h"
#include "formats/text/text_encoding.h"
#include "formats/text/text_format.h"

namespace {

// The warning of a file whose curveball values are strongly correlated
// along their chain: the smallest effective sample size of its statistics
// below half of the simulations. Their SES and P values then rest on fewer
// independent values than they seem to; a longer thinning fixes that.
// Empty when the values are independent enough, or curveball did not run.
std::string correlatedChainWarning(const MatrixResults& results)
{
    const ModelResults* worst = nullptr;
    const StatisticResults* of = nullptr;
    for (const StatisticResults& statistic : results.statistics)
        for (const ModelResults& model : statistic.models)
            if (bravolin::isChain(model.model) && model.statistics.ess < 0.5 * model.statistics.n &&
                (worst == nullptr || model.statistics.ess < worst->statistics.ess)) {
                worst = &model;
                of = &statistic;
            }
    if (worst == nullptr)
        return "";
    return "Warning: " + printableFileName(results.file) + ": " + bravolin::kNullModelNames[worst->model] +
           "'s effective sample size is " + formatText("%.0f of %d", worst->statistics.ess, worst->statistics.n) +
           " simulations (" + of->name + "): its values are correlated along the chain; raise --ff-thin.\n";
}

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
            consolePrintf("%s%s", resultLine(results).c_str(), correlatedChainWarning(results).c_str());
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
