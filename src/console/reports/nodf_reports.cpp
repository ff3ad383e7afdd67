// Names, formats and write points of the mode N result files.
#include "console/reports/nodf_reports.h"

#include "console/output/output_lock.h"
#include "console/output/output_session.h"
#include "console/reports/classic_files.h"
#include "console/output/report_names.h"
#include "formats/tables/classic_summary.h"
#include "formats/text/two_decimals.h"

namespace {

// The three nestedness files of each null model (Er, Ce, Li, Co).
struct NullModelSuffixes {
    const char* row;
    const char* column;
    const char* total;
};

const NullModelSuffixes kNullModelSuffixes[bravolin::kClassicModelCount] = {
    {"_RowNestedness_ER.TXT", "_ColumnNestedness_ER.TXT", "_TotalNestedness_ER.TXT"},
    {"_RowNestedness_CE.TXT", "_ColumnNestedness_CE.TXT", "_TotalNestedness_CE.TXT"},
    {"_RowNestedness_LI.TXT", "_ColumnNestedness_LI.TXT", "_TotalNestedness_LI.TXT"},
    {"_RowNestedness_COL.TXT", "_ColumnNestedness_COL.TXT", "_TotalNestedness_COL.TXT"},
};

// The large reports (a 3000 by 3000 pairwise table is nine million values)
// are formatted into a buffer and written in big blocks of whole lines.
constexpr std::size_t kReportBlock = std::size_t{1} << 20;

// Room a pair value and its blank may need.
constexpr std::size_t kRoomPerValue = kTwoDecimalsBufferSize + 1;

class ReportBuffer {
public:
    explicit ReportBuffer(OutputFile& file) : file_(file) {}
    ~ReportBuffer() { file_.write(text_); }

    // Writes out what the buffer holds when room more would not fit.
    void makeRoom(std::size_t room)
    {
        if (text_.size() + room > kReportBlock) {
            file_.write(text_);
            text_.clear();
        }
    }
    std::string& text() { return text_; }

private:
    OutputFile& file_;
    std::string text_;
};

// One line per row of the matrix in the order measured, each cell a digit
// and a blank.
void writeOrderedMatrix(OutputSession& session, const std::string& name, const bravolin::Matrix& ordered)
{
    OutputFile file(session, nodfReportName(name, "_Ordered.TXT"));
    ReportBuffer buffer(file);
    for (int i = 0; i < ordered.rows(); i++) {
        buffer.makeRoom(2 * static_cast<std::size_t>(ordered.columns()) + 1);
        const std::uint8_t* cells = ordered.row(i);
        for (int j = 0; j < ordered.columns(); j++) {
            buffer.text() += static_cast<char>('0' + cells[j]);
            buffer.text() += ' ';
        }
        buffer.text() += '\n';
    }
}

// One line per first index k holding every entry [k][i] as a percentage
// and a blank, zeros on and above the diagonal included.
void writePairTable(OutputSession& session, const std::string& name, const char* suffix,
                    const std::vector<float>& table, int side)
{
    OutputFile file(session, nodfReportName(name, suffix));
    ReportBuffer buffer(file);
    char value[kTwoDecimalsBufferSize];
    for (int k = 0; k < side; k++) {
        buffer.makeRoom(static_cast<std::size_t>(side) * kRoomPerValue + 1);
        std::string& text = buffer.text();
        for (int i = 0; i < side; i++) {
            const float entry = table[static_cast<std::size_t>(k) * static_cast<std::size_t>(side) + static_cast<std::size_t>(i)];
            text.append(value, static_cast<std::size_t>(formatTwoDecimals(value, percentOf(entry))));
            text += ' ';
        }
        text += '\n';
    }
}

}  // namespace

void writeNodfSummaryHeader(OutputSession& session, bool nullModels)
{
    session.summaryLine().append("", summaryHeader(AnalysisMode::Nodf, nullModels));
}

void startNodfSummaryLine(OutputSession& session, const std::string& matrixName)
{
    session.summaryLine().append(matrixName, summaryLine(AnalysisMode::Nodf, matrixName, {}, true));
}

void writeObservedNodfReports(OutputSession& session, const std::string& matrixName, const bravolin::Matrix& matrix,
                              const bravolin::NodfResult& result, bool printOrdered, bool nullModels)
{
    if (result.ordered && printOrdered)
        writeOrderedMatrix(session, matrixName, bravolin::orderedMatrix(matrix, result));
    // Each value joins the summary line once its table is written, so that
    // a line cut short holds the values written before.
    const std::vector<std::string> values = summaryValues(result);
    writePairTable(session, matrixName, "_row_pairwise.TXT", result.rowPairs, result.rows);
    session.summaryLine().append(matrixName, summaryLineRest({values[0]}, true));
    writePairTable(session, matrixName, "_column_pairwise.TXT", result.columnPairs, result.columns);
    session.summaryLine().append(matrixName, summaryLineRest({values[1]}, true));
    session.summaryLine().append(matrixName, summaryLineRest({values[2]}, nullModels));
}

NestednessFiles::NestednessFiles(OutputSession& session, const std::string& matrixName) : session_(session)
{
    for (int model = 0; model < bravolin::kClassicModelCount; model++) {
        files_[model][0].open(session, nodfReportName(matrixName, kNullModelSuffixes[model].row));
        files_[model][1].open(session, nodfReportName(matrixName, kNullModelSuffixes[model].column));
        files_[model][2].open(session, nodfReportName(matrixName, kNullModelSuffixes[model].total));
    }
}

void NestednessFiles::writeSimulation(const bravolin::NodfNullModels& null, int simulation)
{
    const std::size_t at = static_cast<std::size_t>(simulation - 1);
    OutputLock lock(session_);
    for (int model = 0; model < bravolin::kClassicModelCount; model++) {
        const bravolin::NodfValues& nodf = (*null.valuesOf(bravolin::kClassicModels[model]))[at];
        files_[model][0].write(twoDecimals(percentOf(nodf.rows)) + '\n');
        files_[model][1].write(twoDecimals(percentOf(nodf.columns)) + '\n');
        files_[model][2].write(twoDecimals(percentOf(nodf.total)) + '\n');
    }
    for (auto& modelFiles : files_)
        for (OutputFile& file : modelFiles)
            file.flush();
}

namespace {

class NodfClassicFiles : public ClassicFiles<NodfAnalysis, NestednessFiles> {
public:
    NodfClassicFiles(OutputSession& session, bool printOrdered, bool nullFiles)
        : ClassicFiles(session, nullFiles), printOrdered_(printOrdered)
    {
    }

    void batchStarted() override { writeNodfSummaryHeader(session_, writesNullFiles_); }
    void reading(const std::string& name, bool table) override
    {
        if (!table)
            startNodfSummaryLine(session_, name);
    }
    void read(const std::string& name, bool table) override
    {
        if (table)
            startNodfSummaryLine(session_, name);
    }
    // The line of a matrix file that cannot be read is ended, so that it
    // never runs into the next line written.
    void unusable(const std::string& /*name*/) override { session_.summaryLine().endOpen(); }
    void observed(const File& file) override
    {
        writeObservedNodfReports(session_, file.name, *file.matrix, *file.observed, printOrdered_,
                                 writesNullFiles_);
    }

private:
    const bool printOrdered_;
};

}  // namespace

std::unique_ptr<FileWriter<NodfAnalysis>> nodfClassicFiles(OutputSession& session, bool printOrdered,
                                                           bool nullFiles)
{
    return std::make_unique<NodfClassicFiles>(session, printOrdered, nullFiles);
}
