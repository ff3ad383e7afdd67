// Names, formats and write points of the mode N result files.
#include "nodf/nodf_reports.h"

#include <string>
#include <vector>

#include "common/output_file.h"
#include "nodf/nodf_metric.h"
#include "nodf/two_decimals.h"

namespace {

// The three nestedness files of each null model, by run kind.
struct NullModelSuffixes {
    const char* row;
    const char* column;
    const char* total;
};

const NullModelSuffixes kNullModelSuffixes[] = {
    {nullptr, nullptr, nullptr},  // the observed run has no such files
    {"_RowNestedness_ER.TXT", "_ColumnNestedness_ER.TXT", "_TotalNestedness_ER.TXT"},
    {"_RowNestedness_CE.TXT", "_ColumnNestedness_CE.TXT", "_TotalNestedness_CE.TXT"},
    {"_RowNestedness_LI.TXT", "_ColumnNestedness_LI.TXT", "_TotalNestedness_LI.TXT"},
    {"_RowNestedness_COL.TXT", "_ColumnNestedness_COL.TXT", "_TotalNestedness_COL.TXT"},
};

char reportName[kReportNameBufferSize];

// The large reports (a 3000 by 3000 pairwise table is nine million values)
// are formatted into this buffer and written in big blocks of whole lines.
char reportBuffer[1 << 20];
std::size_t reportBufferUsed;

// Room a pair value and its blank may need in reportBuffer.
constexpr std::size_t kRoomPerValue = kTwoDecimalsBufferSize + 1;

void openReport(OutputFile& file, const char* suffix)
{
    nodfReportName(reportName, sizeof reportName, suffix);
    file.open(reportName);
}

void flushReportBuffer(OutputFile& file)
{
    file.write(reportBuffer, reportBufferUsed);
    reportBufferUsed = 0;
}

void makeRoom(OutputFile& file, std::size_t room)
{
    if (reportBufferUsed + room > sizeof reportBuffer)
        flushReportBuffer(file);
}

// Fractions are reported as percentages, widened before the product: a
// single-precision product rounds some of them differently (1/160 shows
// 0.63, its single-precision product 0.62).
double percentOf(float fraction)
{
    return static_cast<double>(fraction) * 100;
}

void appendPercentToSummary(float fraction, char ending)
{
    appendToSummary(percentText(fraction) + ending);
}

// One line per row of nodfMatrix, each cell a digit and a blank.
void writeOrderedMatrix(const NodfContext& ctx)
{
    OutputFile file;
    openReport(file, "_Ordered.TXT");
    for (int i = 0; i < ctx.rows; i++) {
        makeRoom(file, 2 * static_cast<std::size_t>(ctx.columns) + 1);
        for (int j = 0; j < ctx.columns; j++) {
            reportBuffer[reportBufferUsed++] = static_cast<char>('0' + ctx.nodfMatrix[i][j]);
            reportBuffer[reportBufferUsed++] = ' ';
        }
        reportBuffer[reportBufferUsed++] = '\n';
    }
    flushReportBuffer(file);
}

// One line per first index k holding every entry [k][i] as a percentage
// and a blank, zeros on and above the diagonal included.
void writePairTable(const char* suffix, const std::vector<float>& table, int side)
{
    OutputFile file;
    openReport(file, suffix);
    for (int k = 0; k < side; k++) {
        makeRoom(file, static_cast<std::size_t>(side) * kRoomPerValue + 1);
        for (int i = 0; i < side; i++) {
            reportBufferUsed += static_cast<std::size_t>(
                formatTwoDecimals(reportBuffer + reportBufferUsed,
                                  percentOf(table[static_cast<std::size_t>(k) * static_cast<std::size_t>(side) +
                                                  static_cast<std::size_t>(i)])));
            reportBuffer[reportBufferUsed++] = ' ';
        }
        reportBuffer[reportBufferUsed++] = '\n';
    }
    flushReportBuffer(file);
}

}  // namespace

std::string percentText(float fraction)
{
    return twoDecimals(percentOf(fraction));
}

void nodfReportName(char* destination, std::size_t size, const char* suffix)
{
    deriveReportName(destination, size, currentFileName, suffix, false);
}

void writeNodfSummaryHeader()
{
    appendToSummary(nullModelsEnabled ? "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\n"
                                      : "Matrix N_Rows N_Columns N_Total\n");
}

void startNodfSummaryLine()
{
    appendToSummary(std::string(currentFileName) + " ");
}

void writeObservedNodfReports(const NodfContext& ctx)
{
    if (orderMatrix && printPackedMatrix)
        writeOrderedMatrix(ctx);
    writePairTable("_row_pairwise.TXT", ctx.rowPairTable, ctx.rows);
    appendPercentToSummary(ctx.nodfRows, ' ');
    writePairTable("_column_pairwise.TXT", ctx.columnPairTable, ctx.columns);
    appendPercentToSummary(ctx.nodfColumns, ' ');
    appendPercentToSummary(ctx.nodfTotal, nullModelsEnabled ? ' ' : '\n');
}

void NestednessFiles::open()
{
    for (int kind = Er; kind <= Co; kind++) {
        const NullModelSuffixes& suffixes = kNullModelSuffixes[kind];
        openReport(files_[kind - Er][0], suffixes.row);
        openReport(files_[kind - Er][1], suffixes.column);
        openReport(files_[kind - Er][2], suffixes.total);
    }
}

void NestednessFiles::writeSimulation(const NodfValues (&values)[4])
{
    OutputBatch batch;
    for (int model = 0; model < 4; model++) {
        files_[model][0].write(twoDecimals(percentOf(values[model].rows)) + '\n');
        files_[model][1].write(twoDecimals(percentOf(values[model].columns)) + '\n');
        files_[model][2].write(twoDecimals(percentOf(values[model].total)) + '\n');
    }
    for (auto& modelFiles : files_)
        for (OutputFile& file : modelFiles)
            file.flush();
}
