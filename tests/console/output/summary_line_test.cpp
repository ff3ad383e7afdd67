// The summary line: held until it ends, then written whole.
#include <gtest/gtest.h>

#include "console/output/summary_line.h"
#include "support/scratch.h"

TEST(SummaryLine, IsWrittenWholeAndEndedOnlyWhenLeftOpen)
{
    ScratchDirectory dir;
    dir.enter();
    appendToSummary("", "Matrix T(M)\n");
    EXPECT_FALSE(summaryLineIsOpen());
    endOpenSummaryLine();
    appendToSummary("a.txt", "a.txt (Packed) 1.00 ");
    EXPECT_EQ(summaryLineMatrix(), "a.txt");
    EXPECT_TRUE(summaryLineIsOpen());
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\n");
    endOpenSummaryLine();
    EXPECT_FALSE(summaryLineIsOpen());
    endOpenSummaryLine();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\na.txt (Packed) 1.00 \n");
}

