// The result tables of a batch against the last batch's: an interrupt
// before the first matrix leaves them in place, a batch that ends replaces
// them.
#include <gtest/gtest.h>

#include <string>

#include "console/output/output_session.h"
#include "console/output/result_table_files.h"
#include "support/disk_session.h"
#include "support/scratch.h"

TEST(ResultTables, OnlyABatchThatHasAMatrixOrEndsReplacesTheLastBatchsTables)
{
    ScratchDirectory dir;
    dir.enter();
    dir.write("BRAVOLIN_N_results.csv", "last batch\n");
    ResultTableSettings settings;
    settings.mode = AnalysisMode::Nodf;
    settings.simulations = 9;
    {
        DiskSession interrupted;
        ResultTables tables(interrupted.output, settings);
        interrupted.output.finishAtOnce();  // as an interrupt does
    }
    EXPECT_EQ(dir.read("BRAVOLIN_N_results.csv"), "last batch\n");
    EXPECT_FALSE(dir.exists("BRAVOLIN_N_rows.csv"));
    DiskSession disk;
    ResultTables ended(disk.output, settings);
    ended.commit();
    EXPECT_EQ(dir.read("BRAVOLIN_N_results.csv").rfind("file,mode,statistic,", 0), 0u);
    EXPECT_TRUE(dir.exists("BRAVOLIN_N_null_values.csv"));
}
