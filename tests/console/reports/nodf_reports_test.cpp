// The mode N result files: the summary header and line, the ordered matrix
// and pairwise tables, the nestedness files, and files that cannot be
// opened.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "bravolin/nodf.h"
#include "console/output/output_session.h"
#include "console/reports/nodf_reports.h"
#include "support/disk_session.h"
#include "support/matrices.h"
#include "support/scratch.h"

namespace {

// Runs the observed analysis of rows in dir as the matrix file M.TXT.
void analyse(const ScratchDirectory& dir, const Rows& rows, bool order, bool printOrdered)
{
    dir.enter();
    const bravolin::Matrix matrix = matrixOf(rows);
    DiskSession disk;
    writeObservedNodfReports(disk.output, "M.TXT", matrix, bravolin::analyseNodf(matrix, order), printOrdered, false);
}

}  // namespace

TEST(NodfReports, ObservedRunShowsTheTieOrderOfTheExchanges)
{
    // Totals 1, 1, 2: the fuller third row is exchanged with the first, so
    // the two rows of total 1 end reversed, as a stable sort would not.
    ScratchDirectory dir;
    analyse(dir, {"0010", "0100", "1100"}, true, true);
    analyse(dir, {"0010", "0100", "1100"}, true, true);
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
    analyse(dir, {"101"}, true, false);
    analyse(dir, {"101"}, false, true);
    EXPECT_FALSE(dir.exists("M_Ordered.TXT"));
    // One row: a table of one value; the row NODF is 0/0.
    EXPECT_EQ(dir.read("M_row_pairwise.TXT"), "0.00 \n0.00 \n");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "nan 0.00 0.00\nnan 0.00 0.00\n");
}

TEST(NodfReports, SummaryHeaderAndLineWithAndWithoutNullModels)
{
    ScratchDirectory dir;
    dir.enter();
    bravolin::NodfResult nodf;
    nodf.nodf = {1.0f / 160, static_cast<float>(-std::nan("")), 1.0f};
    DiskSession disk;
    for (bool nullModels : {false, true}) {
        writeNodfSummaryHeader(disk.output, nullModels);
        startNodfSummaryLine(disk.output, "M.TXT");
        writeObservedNodfReports(disk.output, "M.TXT", matrixOf({}), nodf, false, nullModels);
    }
    // The open line reaches the file whole, once ended.
    EXPECT_TRUE(disk.output.summaryLine().isOpen());
    disk.output.summaryLine().endOpen();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"),
              "Matrix N_Rows N_Columns N_Total\nM.TXT 0.63 nan 100.00\n"
              "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\nM.TXT 0.63 nan 100.00 \n");
}

TEST(NodfReports, AFileThatCannotBeOpenedIsNamedAndSkipped)
{
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.path() / "M_row_pairwise.TXT");
    testing::internal::CaptureStdout();
    analyse(dir, {"11", "10"}, false, false);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("M_row_pairwise.TXT"), std::string::npos);
    EXPECT_EQ(dir.read("M_column_pairwise.TXT"), "0.00 0.00 \n100.00 0.00 \n");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "100.00 100.00 100.00\n");
}

TEST(NodfReports, EachSimulationAddsOneLineToEachOfTheTwelveNestednessFiles)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    {
        // Two simulations of each model; curveball has no file of its own.
        bravolin::NodfNullModels null;
        null.models = {{bravolin::Er, {{0.0f, 1.0f, 0.5f}, {0.5f, 0.5f, 0.5f}}},
                       {bravolin::Ce, {{0.25f, 0.5f, 0.375f}, {0, 0, 0}}},
                       {bravolin::Li, {{1, 1, 1}, {0, 0, 0}}},
                       {bravolin::Co, {{0, 0, 0}, {0.125f, 0, 0.0625f}}},
                       {bravolin::Curveball, {{1, 1, 1}, {1, 1, 1}}}};
        NestednessFiles files(disk.output, "M.TXT");
        files.writeSimulation(null, 1);
        // Everything of a simulation is in the files before the next starts.
        EXPECT_EQ(dir.read("M_RowNestedness_ER.TXT"), "0.00\n");
        files.writeSimulation(null, 2);
    }
    EXPECT_EQ(dir.read("M_RowNestedness_ER.TXT"), "0.00\n50.00\n");
    EXPECT_EQ(dir.read("M_ColumnNestedness_ER.TXT"), "100.00\n50.00\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_CE.TXT"), "37.50\n0.00\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_LI.TXT"), "100.00\n0.00\n");
    EXPECT_EQ(dir.read("M_RowNestedness_COL.TXT"), "0.00\n12.50\n");
    EXPECT_EQ(dir.read("M_TotalNestedness_COL.TXT"), "0.00\n6.25\n");
    EXPECT_EQ(dir.files().size(), 12u);
}
