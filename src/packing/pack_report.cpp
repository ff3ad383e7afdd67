// Writing of the packing report.
#include "packing/pack_report.h"

#include <cstdio>

#include "common/output_file.h"
#include "common/shared_state.h"

namespace {

void writeOrder(std::FILE* file, const char* heading, const int* order, int offset, int count)
{
    std::fputs(heading, file);
    for (int i = 1; i <= count; i++)
        std::fprintf(file, "%d\n", order[i + offset]);
}

// The matrix as it stands, each cell as its digit and a blank.
void writeMatrix(std::FILE* file)
{
    static char line[2 * kMaxMatrixSide + 2];
    std::fputs("\nPacked Matrix:\n", file);
    for (int r = 1; r <= rowCount; r++) {
        int length = 0;
        for (int c = 1; c <= columnCount; c++) {
            line[length++] = static_cast<char>('0' + workingMatrix[r][c]);
            line[length++] = ' ';
        }
        line[length++] = '\n';
        std::fwrite(line, 1, static_cast<std::size_t>(length), file);
    }
    std::fputs("\n", file);
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

void writePackReport(int stage, int iteration)
{
    deriveTemperatureReportNames();
    if (simulationRunning == 1)
        return;
    const bool atStart = stage == 0 && iteration == 0;
    const bool atEnd = stage == 2;
    // Without the debug marker only the start, the end and the packed matrix
    // are reported: the calls after each pass have nothing to write.
    if (!debugMode && !atStart && !atEnd)
        return;
    std::FILE* file = openForAppend(packReportFileName);
    if (file == nullptr)
        return;
    if (atStart) {
        std::fprintf(file, "Original Matrix       - Rows:%d Cols:%d\n", rowCount, columnCount);
        std::fprintf(file, "Original Percent Fill - %05.2f%s\n", percentFill, "%");
    }
    if (atEnd) {
        std::fprintf(file, "Packed Matrix         - Rows:%d Cols:%d\n", rowCount, columnCount);
        std::fprintf(file, "Packed Percent Fill   - %05.2f%s\n", packedPercentFill, "%");
    }
    if (debugMode && iteration > 0) {
        if (stage == 0) {
            std::fprintf(file, "%d - SortCols (species)\n", iteration);
            writeOrder(file, "\nOriginal Rows:\n", rowOrder, 0, rowCount);
        } else {
            std::fprintf(file, "%d - SortRows (islands)\n", iteration);
            writeOrder(file, "\nOriginal Cols:\n", columnOrder, 0, columnCount);
        }
    }
    if (debugMode && atEnd) {
        writeOrder(file, "\nOriginal Rows:\n", rowOrder, removedFullRows, rowCount);
        writeOrder(file, "\nOriginal Cols:\n", columnOrder, removedFullColumns, columnCount);
    }
    if (debugMode || (atEnd && printPackedMatrix))
        writeMatrix(file);
    std::fclose(file);
}
