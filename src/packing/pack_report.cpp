// Writing of the packing report.
#include "packing/pack_report.h"

#include "common/output_file.h"
#include "common/shared_state.h"
#include "packing/packing.h"

namespace {

void writeOrder(OutputFile& file, const char* heading, const std::vector<int>& order, int offset,
                int count)
{
    file.write(heading);
    for (int i = 1; i <= count; i++)
        file.print("%d\n", order[i + offset]);
}

// The matrix as it stands, each cell as its digit and a blank.
void writeMatrix(OutputFile& file, const PackingContext& ctx)
{
    static char line[2 * kMaxMatrixSide + 2];
    file.write("\nPacked Matrix:\n");
    for (int r = 1; r <= ctx.rowCount; r++) {
        int length = 0;
        for (int c = 1; c <= ctx.columnCount; c++) {
            line[length++] = static_cast<char>('0' + ctx.matrix[r][c]);
            line[length++] = ' ';
        }
        line[length++] = '\n';
        file.write(line, static_cast<std::size_t>(length));
    }
    file.write("\n");
}

}  // namespace

void deriveTemperatureReportNames()
{
    deriveReportName(packReportFileName, sizeof packReportFileName, currentFileName, "PCK", true);
    deriveReportName(rowTemperatureFileName, sizeof rowTemperatureFileName, currentFileName, "LIN",
                     true);
    deriveReportName(columnTemperatureFileName, sizeof columnTemperatureFileName, currentFileName,
                     "COL", true);
    deriveReportName(nullModelFileName, sizeof nullModelFileName, currentFileName, "NULL", true);
}

void writePackReport(const PackingContext& ctx, int stage, int iteration)
{
    const bool atStart = stage == 0 && iteration == 0;
    const bool atEnd = stage == 2;
    // Without the debug marker only the start, the end and the packed matrix
    // are reported: the calls after each pass have nothing to write.
    if (!debugMode && !atStart && !atEnd)
        return;
    OutputFile file(packReportFileName);
    if (atStart) {
        file.print("Original Matrix       - Rows:%d Cols:%d\n", ctx.rowCount, ctx.columnCount);
        file.print("Original Percent Fill - %05.2f%s\n", percentFill, "%");
    }
    if (atEnd) {
        file.print("Packed Matrix         - Rows:%d Cols:%d\n", ctx.rowCount, ctx.columnCount);
        file.print("Packed Percent Fill   - %05.2f%s\n", ctx.packedPercentFill, "%");
    }
    if (debugMode && iteration > 0) {
        if (stage == 0) {
            file.print("%d - SortCols (species)\n", iteration);
            writeOrder(file, "\nOriginal Rows:\n", ctx.rowOrder, 0, ctx.rowCount);
        } else {
            file.print("%d - SortRows (islands)\n", iteration);
            writeOrder(file, "\nOriginal Cols:\n", ctx.columnOrder, 0, ctx.columnCount);
        }
    }
    if (debugMode && atEnd) {
        writeOrder(file, "\nOriginal Rows:\n", ctx.rowOrder, ctx.removedFullRows, ctx.rowCount);
        writeOrder(file, "\nOriginal Cols:\n", ctx.columnOrder, ctx.removedFullColumns, ctx.columnCount);
    }
    if (debugMode || (atEnd && printPackedMatrix))
        writeMatrix(file, ctx);
}
