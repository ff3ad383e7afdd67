// Writing of the packing report.
#include "console/reports/pack_report.h"

#include <vector>

#include "console/output/output_file.h"

namespace {

void writeOrder(OutputFile& file, const char* heading, const std::vector<int>& order)
{
    file.write(heading);
    for (int line : order)
        file.print("%d\n", line + 1);
}

// The matrix as it stands after a step, each cell as its digit and a blank.
void writeMatrix(OutputFile& file, const bravolin::Matrix& matrix)
{
    file.write("\nPacked Matrix:\n");
    std::string line;
    for (int r = 0; r < matrix.rows(); r++) {
        line.clear();
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < matrix.columns(); c++) {
            line += static_cast<char>('0' + cells[c]);
            line += ' ';
        }
        line += '\n';
        file.write(line);
    }
    file.write("\n");
}

}  // namespace

void writePackReport(OutputSession& session, const std::string& reportName, const bravolin::Matrix& matrix,
                     const bravolin::TemperatureResult& result, bool printPacked, bool debug)
{
    OutputFile file(session, reportName);
    file.print("Original Matrix       - Rows:%d Cols:%d\n", matrix.rows(), matrix.columns());
    file.print("Original Percent Fill - %05.2f%s\n", result.fill, "%");
    if (debug) {
        writeMatrix(file, matrix);
        // After a column pass the rows' order is shown, after a row pass the
        // columns'.
        for (const bravolin::PackingPass& pass : result.packingHistory) {
            if (pass.columnPass) {
                file.print("%d - SortCols (species)\n", pass.iteration);
                writeOrder(file, "\nOriginal Rows:\n", pass.rowOrder);
            } else {
                file.print("%d - SortRows (islands)\n", pass.iteration);
                writeOrder(file, "\nOriginal Cols:\n", pass.columnOrder);
            }
            writeMatrix(file, matrix.reordered(pass.rowOrder, pass.columnOrder));
        }
    }
    file.print("Packed Matrix         - Rows:%d Cols:%d\n", result.packedRows(), result.packedColumns());
    file.print("Packed Percent Fill   - %05.2f%s\n", result.packedFill, "%");
    if (debug) {
        writeOrder(file, "\nOriginal Rows:\n", result.rowOrder);
        writeOrder(file, "\nOriginal Cols:\n", result.columnOrder);
    }
    if (debug || printPacked)
        writeMatrix(file, bravolin::packedMatrix(matrix, result));
}
