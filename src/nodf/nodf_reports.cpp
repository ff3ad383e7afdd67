// Names, formats and write points of the mode N result files.
#include "nodf/nodf_reports.h"

#include <cstdio>

#include "common/output_file.h"
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
// are formatted into this buffer and written in big blocks.
char reportBuffer[1 << 20];
std::size_t reportBufferUsed;

// Room a pair value and its blank may need in reportBuffer.
constexpr std::size_t kRoomPerValue = kTwoDecimalsBufferSize + 1;

std::FILE* openReport(const char* suffix)
{
    nodfReportName(reportName, sizeof reportName, suffix);
    return openForAppend(reportName);
}

void flushReportBuffer(std::FILE* file)
{
    std::fwrite(reportBuffer, 1, reportBufferUsed, file);
    reportBufferUsed = 0;
}

void makeRoom(std::FILE* file, std::size_t room)
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

void appendToSummary(float fraction, char ending)
{
    std::FILE* file = openForAppend(kSummaryFileName);
    if (file == nullptr)
        return;
    printTwoDecimals(file, percentOf(fraction), ending);
    std::fclose(file);
}

void appendToNestednessFile(const char* suffix, float fraction)
{
    std::FILE* file = openReport(suffix);
    if (file == nullptr)
        return;
    printTwoDecimals(file, percentOf(fraction), '\n');
    std::fclose(file);
}

// One line per row of nodfMatrix, each cell a digit and a blank.
void writeOrderedMatrix()
{
    std::FILE* file = openReport("_Ordered.TXT");
    if (file == nullptr)
        return;
    for (int i = 0; i < rowCount; i++) {
        for (int j = 0; j < columnCount; j++) {
            makeRoom(file, 2);
            reportBuffer[reportBufferUsed++] = static_cast<char>('0' + nodfMatrix[i][j]);
            reportBuffer[reportBufferUsed++] = ' ';
        }
        makeRoom(file, 1);
        reportBuffer[reportBufferUsed++] = '\n';
    }
    flushReportBuffer(file);
    std::fclose(file);
}

// One line per first index k holding every entry [k][i] as a percentage
// and a blank, zeros on and above the diagonal included.
void writePairTable(const char* suffix, const float (*table)[kTableSide], int side)
{
    std::FILE* file = openReport(suffix);
    if (file == nullptr)
        return;
    for (int k = 0; k < side; k++) {
        for (int i = 0; i < side; i++) {
            makeRoom(file, kRoomPerValue);
            reportBufferUsed += static_cast<std::size_t>(
                formatTwoDecimals(reportBuffer + reportBufferUsed, percentOf(table[k][i])));
            reportBuffer[reportBufferUsed++] = ' ';
        }
        makeRoom(file, 1);
        reportBuffer[reportBufferUsed++] = '\n';
    }
    flushReportBuffer(file);
    std::fclose(file);
}

}  // namespace

void nodfReportName(char* destination, std::size_t size, const char* suffix)
{
    deriveReportName(destination, size, currentFileName, suffix, false);
}

void writeNodfSummaryHeader()
{
    std::FILE* file = openForAppend(kSummaryFileName);
    if (file == nullptr)
        return;
    if (nullModelsEnabled)
        std::fprintf(file, "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\n");
    else
        std::fprintf(file, "Matrix N_Rows N_Columns N_Total\n");
    std::fclose(file);
}

void startNodfSummaryLine()
{
    std::FILE* file = openForAppend(kSummaryFileName);
    if (file == nullptr)
        return;
    std::fprintf(file, "%s ", currentFileName);
    std::fclose(file);
}

void writeObservedNodfReports()
{
    if (orderMatrix && printPackedMatrix)
        writeOrderedMatrix();
    writePairTable("_row_pairwise.TXT", rowPairTable, rowCount);
    appendToSummary(nodfRows, ' ');
    writePairTable("_column_pairwise.TXT", columnPairTable, columnCount);
    appendToSummary(nodfColumns, ' ');
    appendToSummary(nodfTotal, nullModelsEnabled ? ' ' : '\n');
}

void writeNullModelNodfLines(NodfRunKind kind)
{
    const NullModelSuffixes& suffixes = kNullModelSuffixes[kind];
    appendToNestednessFile(suffixes.row, nodfRows);
    appendToNestednessFile(suffixes.column, nodfColumns);
    appendToNestednessFile(suffixes.total, nodfTotal);
}
