// Names, formats and write points of the mode N result files.
#include "console/reports/nodf_reports.h"

#include "console/output/output_lock.h"
#include "console/output/report_names.h"
#include "console/output/summary_line.h"
#include "console/output/two_decimals.h"
#include "console/reports/classic_tallies.h"

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

// Fractions are reported as percentages, widened before the product: a
// single-precision product rounds some of them differently (1/160 shows
// 0.63, its single-precision product 0.62).
double percentOf(float fraction)
{
    return static_cast<double>(fraction) * 100;
}

// One line per row of the matrix in the order measured, each cell a digit
// and a blank.
void writeOrderedMatrix(const std::string& name, const bravolin::Matrix& ordered)
{
    OutputFile file(nodfReportName(name, "_Ordered.TXT"));
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
void writePairTable(const std::string& name, const char* suffix, const std::vector<float>& table, int side)
{
    OutputFile file(nodfReportName(name, suffix));
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

std::string percentText(float fraction)
{
    return twoDecimals(percentOf(fraction));
}

void writeNodfSummaryHeader(bool nullModels)
{
    appendToSummary("", nullModels ? "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\n"
                                   : "Matrix N_Rows N_Columns N_Total\n");
}

void startNodfSummaryLine(const std::string& matrixName)
{
    appendToSummary(matrixName, matrixName + " ");
}

void writeObservedNodfReports(const std::string& matrixName, const bravolin::Matrix& matrix,
                              const bravolin::NodfResult& result, bool printOrdered, bool nullModels)
{
    if (result.ordered && printOrdered)
        writeOrderedMatrix(matrixName, bravolin::orderedMatrix(matrix, result));
    writePairTable(matrixName, "_row_pairwise.TXT", result.rowPairs, result.rows);
    appendToSummary(matrixName, percentText(result.nodf.rows) + ' ');
    writePairTable(matrixName, "_column_pairwise.TXT", result.columnPairs, result.columns);
    appendToSummary(matrixName, percentText(result.nodf.columns) + ' ');
    appendToSummary(matrixName, percentText(result.nodf.total) + (nullModels ? ' ' : '\n'));
}

NestednessFiles::NestednessFiles(const std::string& matrixName)
{
    for (int model = 0; model < bravolin::kClassicModelCount; model++) {
        files_[model][0].open(nodfReportName(matrixName, kNullModelSuffixes[model].row));
        files_[model][1].open(nodfReportName(matrixName, kNullModelSuffixes[model].column));
        files_[model][2].open(nodfReportName(matrixName, kNullModelSuffixes[model].total));
    }
}

void NestednessFiles::writeSimulation(const bravolin::NodfNullModels& null, int simulation)
{
    const std::size_t at = static_cast<std::size_t>(simulation - 1);
    OutputLock lock;
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

std::vector<std::string> nodfNullSummary(const bravolin::NodfNullModels& null, const bravolin::NodfResult& observed,
                                         int simulations)
{
    std::vector<std::string> values;
    for (bravolin::NullModel model : {bravolin::Er, bravolin::Ce}) {
        const ClassicTally tally =
            classicTally(bravolin::modelValues(null, model, bravolin::NodfPart::Total),
                         [&observed](float total) { return total > observed.nodf.total; });
        values.push_back(twoDecimals(static_cast<double>(tally.mean) * 100));
        values.push_back(formatText("%02.2f", static_cast<double>(tally.counted) / simulations));
    }
    return values;
}

void completeNodfSummaryLine(const std::string& matrixName, const bravolin::NodfNullModels& null,
                             const bravolin::NodfResult& observed, int simulations)
{
    const std::vector<std::string> values = nodfNullSummary(null, observed, simulations);
    appendToSummary(matrixName, values[0] + " " + values[1] + " " + values[2] + " " + values[3] + "\n");
}
