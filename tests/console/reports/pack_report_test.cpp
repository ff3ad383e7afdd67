// The packing report: sizes and fills, the packed matrix on request, the
// history of the passes with the debug marker.
#include <gtest/gtest.h>

#include <string>

#include "bravolin/temperature.h"
#include "console/reports/pack_report.h"
#include "support/disk_session.h"
#include "support/matrices.h"
#include "support/scratch.h"

namespace {

// Analyses rows and appends their report to ISLANDS.PCK.
void writeReportOf(const Rows& rows, bool printPacked, bool debug)
{
    const bravolin::Matrix matrix = matrixOf(rows);
    bravolin::TemperatureOptions options;
    options.packingHistory = debug;
    DiskSession disk;
    writePackReport(disk.output, "ISLANDS.PCK", matrix, bravolin::analyseTemperature(matrix, options), printPacked, debug);
}

const char* const kFourByFourReport =
    "Original Matrix       - Rows:4 Cols:4\n"
    "Original Percent Fill - 62.50%\n"
    "Packed Matrix         - Rows:4 Cols:4\n"
    "Packed Percent Fill   - 62.50%\n";

}  // namespace

TEST(PackReport, PackedMatrixOnRequestAndReportsAppendedOneAfterTheOther)
{
    ScratchDirectory dir;
    dir.enter();
    writeReportOf({"0100", "1111", "0110", "1101"}, true, false);
    const std::string printed = std::string(kFourByFourReport) +
                                "\nPacked Matrix:\n1 1 1 1 \n1 1 0 1 \n1 0 1 0 \n1 0 0 0 \n\n";
    EXPECT_EQ(dir.read("ISLANDS.PCK"), printed);

    writeReportOf({"0100", "1111", "0110", "1101"}, false, false);
    EXPECT_EQ(dir.read("ISLANDS.PCK"), printed + kFourByFourReport);
}

TEST(PackReport, DebugReportStartsWithTheColumnPassWhenColumnsOutnumberRows)
{
    ScratchDirectory dir;
    dir.enter();
    writeReportOf({"011", "110"}, false, true);
    const std::string report = dir.read("ISLANDS.PCK");
    std::string expected = "Original Matrix       - Rows:2 Cols:3\n"
                           "Original Percent Fill - 66.67%\n"
                           "\nPacked Matrix:\n0 1 1 \n1 1 0 \n\n";
    EXPECT_EQ(report.substr(0, expected.size()), expected);
    const std::size_t firstColumnPass = report.find("1 - SortCols (species)\n\nOriginal Rows:\n");
    const std::size_t firstRowPass = report.find("1 - SortRows (islands)\n\nOriginal Cols:\n");
    ASSERT_NE(firstColumnPass, std::string::npos);
    ASSERT_NE(firstRowPass, std::string::npos);
    EXPECT_LT(firstColumnPass, firstRowPass);
    EXPECT_NE(report.find("8 - SortRows (islands)\n"), std::string::npos);

    writeReportOf({"01", "11", "10"}, false, true);
    const std::string square = dir.read("ISLANDS.PCK").substr(report.size());
    EXPECT_LT(square.find("1 - SortRows (islands)"), square.find("1 - SortCols (species)"));
}

TEST(PackReport, DebugReportEndsWithTheSizesTheFinalOrdersAndTheMatrix)
{
    ScratchDirectory dir;
    dir.enter();
    writeReportOf({"111", "111", "100", "000"}, false, true);
    const std::string report = dir.read("ISLANDS.PCK");
    const std::string ending = "Packed Matrix         - Rows:2 Cols:3\n"
                               "Packed Percent Fill   - 66.67%\n"
                               "\nOriginal Rows:\n2\n3\n"
                               "\nOriginal Cols:\n1\n2\n3\n"
                               "\nPacked Matrix:\n1 1 1 \n1 0 0 \n\n";
    ASSERT_GE(report.size(), ending.size());
    EXPECT_EQ(report.substr(report.size() - ending.size()), ending);
    // The history after the last row pass lists the column order.
    EXPECT_NE(report.find("8 - SortRows (islands)\n\nOriginal Cols:\n1\n2\n3\n\nPacked Matrix:\n"
                          "1 1 1 \n1 1 1 \n1 0 0 \n0 0 0 \n\n8 - SortCols"),
              std::string::npos);
}
