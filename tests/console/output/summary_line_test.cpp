// The summary line: held until it ends, then written whole.
#include <gtest/gtest.h>

#include "console/output/summary_line.h"
#include "support/disk_session.h"
#include "support/scratch.h"

TEST(SummaryLine, IsWrittenWholeAndEndedOnlyWhenLeftOpen)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    SummaryLine& line = disk.output.summaryLine();
    line.append("", "Matrix T(M)\n");
    EXPECT_FALSE(line.isOpen());
    line.endOpen();
    line.append("a.txt", "a.txt (Packed) 1.00 ");
    EXPECT_EQ(line.matrix(), "a.txt");
    EXPECT_TRUE(line.isOpen());
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\n");
    line.endOpen();
    EXPECT_FALSE(line.isOpen());
    line.endOpen();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\na.txt (Packed) 1.00 \n");
}

