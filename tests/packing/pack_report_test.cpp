#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "packing/pack_report.h"
#include "packing/packing.h"
#include "support/mode_t_matrix.h"
#include "support/scratch.h"

using Rows = std::vector<std::string>;

namespace {

PackingContext packed;

void packQuietly(const Rows& rows, const char* fileName = "ISLANDS.TXT")
{
    loadObservedMatrix(packed, rows, fileName);
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    testing::internal::GetCapturedStdout();
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
    printPackedMatrix = 1;
    packQuietly({"0100", "1111", "0110", "1101"});
    const std::string printed = std::string(kFourByFourReport) +
                                "\nPacked Matrix:\n1 1 1 1 \n1 1 0 1 \n1 0 1 0 \n1 0 0 0 \n\n";
    EXPECT_EQ(dir.read("ISLANDS.PCK"), printed);

    printPackedMatrix = 0;
    packQuietly({"0100", "1111", "0110", "1101"});
    EXPECT_EQ(dir.read("ISLANDS.PCK"), printed + kFourByFourReport);
}

TEST(PackReport, NamesAreDerivedFromTheMatrixAndRandomMatricesWriteNothing)
{
    ScratchDirectory dir;
    dir.enter();
    std::strcpy(currentFileName, "islands.txt");
    deriveTemperatureReportNames();
    EXPECT_STREQ(packReportFileName, "islands.PCK");
    EXPECT_STREQ(rowTemperatureFileName, "islands.LIN");
    EXPECT_STREQ(columnTemperatureFileName, "islands.COL");
    EXPECT_STREQ(nullModelFileName, "islands.NULL");
    loadObservedMatrix(packed, {"10", "01"}, "islands.txt");
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Simulation);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(dir.exists("islands.PCK"));

    std::strcpy(currentFileName, "DATA");
    deriveTemperatureReportNames();
    EXPECT_STREQ(packReportFileName, "DATA.PCK");
    EXPECT_STREQ(nullModelFileName, "DATA.NULL");
    packQuietly({"10", "01"}, "DATA");
    EXPECT_TRUE(dir.exists("DATA.PCK"));
}

TEST(PackReport, DebugReportStartsWithTheColumnPassWhenColumnsOutnumberRows)
{
    ScratchDirectory dir;
    dir.enter();
    debugMode = 1;
    packQuietly({"011", "110"});
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

    packQuietly({"01", "11", "10"});
    const std::string square = dir.read("ISLANDS.PCK").substr(report.size());
    EXPECT_LT(square.find("1 - SortRows (islands)"), square.find("1 - SortCols (species)"));
}

TEST(PackReport, DebugReportEndsWithTheSizesTheFinalOrdersAndTheMatrix)
{
    ScratchDirectory dir;
    dir.enter();
    debugMode = 1;
    packQuietly({"111", "111", "100", "000"});
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
