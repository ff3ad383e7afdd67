// The mode N result files: report names, the summary header and line, the
// ordered matrix and pairwise tables, and files that cannot be opened.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_reports.h"
#include "support/scratch.h"

namespace {

// Runs the observed analysis of rows in dir as the matrix file M.TXT.
void analyse(const ScratchDirectory& dir, const std::vector<std::string>& rows)
{
    dir.enter();
    std::strcpy(currentFileName, "M.TXT");
    rowCount = static_cast<int>(rows.size());
    columnCount = static_cast<int>(rows[0].size());
    CellMatrix matrix;
    matrix.resize(rowCount, columnCount);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++)
            matrix[r][c] = static_cast<unsigned char>(rows[r][c] - '0');
    NodfContext nodf;
    computeObservedNodf(nodf, matrix, rowCount, columnCount);
}

}  // namespace

TEST(NodfReports, NamesReplaceEverythingFromTheFirstDot)
{
    const char* const names[][3] = {{"ISLANDS.TXT", "_Ordered.TXT", "ISLANDS_Ordered.TXT"},
                                    {"a.b.txt", "_row_pairwise.TXT", "a_row_pairwise.TXT"},
                                    {"DATA", "_column_pairwise.TXT", "DATA_column_pairwise.TXT"}};
    char name[kReportNameBufferSize];
    for (const auto& n : names) {
        std::strcpy(currentFileName, n[0]);
        nodfReportName(name, sizeof name, n[1]);
        EXPECT_STREQ(name, n[2]);
    }
    std::string longest(kMaxNameLength, 'x');
    std::strcpy(currentFileName, longest.c_str());
    nodfReportName(name, sizeof name, "_ColumnNestedness_COL.TXT");
    EXPECT_EQ(name, longest + "_ColumnNestedness_COL.TXT");
}

TEST(NodfReports, ObservedRunShowsTheTieOrderOfTheExchanges)
{
    // Totals 1, 1, 2: the fuller third row is exchanged with the first, so
    // the two rows of total 1 end reversed, as a stable sort would not.
    ScratchDirectory dir;
    orderMatrix = printPackedMatrix = 1;
    nullModelsEnabled = 0;
    analyse(dir, {"0010", "0100", "1100"});
    analyse(dir, {"0010", "0100", "1100"});
    const std::string ordered = "1 1 0 0 \n1 0 0 0 \n0 0 1 0 \n";
    EXPECT_EQ(dir.read("M_Ordered.TXT"), ordered + ordered);
    const std::string rowTable = "0.00 0.00 0.00 \n100.00 0.00 0.00 \n0.00 0.00 0.00 \n";
    EXPECT_EQ(dir.read("M_row_pairwise.TXT"), rowTable + rowTable);
    EXPECT_EQ(splitLines(dir.read("M_column_pairwise.TXT"))[1], "100.00 0.00 0.00 0.00 ");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "33.33 16.67 22.22\n33.33 16.67 22.22\n");
}

TEST(NodfReports, OrderedMatrixNeedsOrderingAndPrinting)
{
    ScratchDirectory dir;
    nullModelsEnabled = 0;
    orderMatrix = 1;
    printPackedMatrix = 0;
    analyse(dir, {"101"});
    orderMatrix = 0;
    printPackedMatrix = 1;
    analyse(dir, {"101"});
    EXPECT_FALSE(dir.exists("M_Ordered.TXT"));
    // One row: a table of one value; the row NODF is 0/0.
    EXPECT_EQ(dir.read("M_row_pairwise.TXT"), "0.00 \n0.00 \n");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "nan 0.00 0.00\nnan 0.00 0.00\n");
}

TEST(NodfReports, SummaryHeaderAndLineWithAndWithoutNullModels)
{
    ScratchDirectory dir;
    dir.enter();
    std::strcpy(currentFileName, "M.TXT");
    NodfContext nodf;
    nodf.nodfRows = 1.0f / 160;
    nodf.nodfColumns = static_cast<float>(-std::nan(""));
    nodf.nodfTotal = 1.0f;
    for (int enabled = 0; enabled <= 1; enabled++) {
        nullModelsEnabled = enabled;
        writeNodfSummaryHeader();
        startNodfSummaryLine();
        writeObservedNodfReports(nodf);
    }
    // The open line reaches the file whole, once ended.
    EXPECT_TRUE(summaryLineIsOpen());
    endOpenSummaryLine();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"),
              "Matrix N_Rows N_Columns N_Total\nM.TXT 0.63 nan 100.00\n"
              "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\nM.TXT 0.63 nan 100.00 \n");
}

TEST(NodfReports, AFileThatCannotBeOpenedIsNamedAndSkipped)
{
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.path() / "M_row_pairwise.TXT");
    orderMatrix = nullModelsEnabled = 0;
    testing::internal::CaptureStdout();
    analyse(dir, {"11", "10"});
    EXPECT_NE(testing::internal::GetCapturedStdout().find("M_row_pairwise.TXT"), std::string::npos);
    EXPECT_EQ(dir.read("M_column_pairwise.TXT"), "0.00 0.00 \n100.00 0.00 \n");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "100.00 100.00 100.00\n");
}

TEST(NodfReports, EachSimulationAddsOneLineToEachOfTheTwelveNestednessFiles)
{
    ScratchDirectory dir;
    dir.enter();
    std::strcpy(currentFileName, "M.TXT");
    {
        NestednessFiles files;
        files.open();
        const NodfValues first[4] = {{0.0f, 1.0f, 0.5f}, {0.25f, 0.5f, 0.375f}, {1, 1, 1}, {0, 0, 0}};
        files.writeSimulation(first);
        // Everything of a simulation is in the files before the next starts.
        EXPECT_EQ(dir.read("M_RowNestedness_ER.TXT"), "0.00\n");
        const NodfValues second[4] = {{0.5f, 0.5f, 0.5f}, {0, 0, 0}, {0, 0, 0}, {0.125f, 0, 0.0625f}};
        files.writeSimulation(second);
    }
    EXPECT_EQ(dir.read("M_RowNestedness_ER.TXT"), "0.00\n50.00\n");
    EXPECT_EQ(dir.read("M_ColumnNestedness_ER.TXT"), "100.00\n50.00\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_CE.TXT"), "37.50\n0.00\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_LI.TXT"), "100.00\n0.00\n");
    EXPECT_EQ(dir.read("M_RowNestedness_COL.TXT"), "0.00\n12.50\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_COL.TXT"), "0.00\n6.25\n");
    EXPECT_EQ(dir.files().size(), 12u);
}
