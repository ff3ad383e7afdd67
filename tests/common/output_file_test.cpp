#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/output_file.h"
#include "common/shared_state.h"
#include "support/scratch.h"

namespace {

std::string reportName(const char* matrix, const char* suffix, bool keepDot)
{
    char name[kReportNameBufferSize];
    deriveReportName(name, sizeof name, matrix, suffix, keepDot);
    return name;
}

}  // namespace

TEST(ReportNames, ExtensionIsReplacedFromTheFirstDot)
{
    EXPECT_EQ(reportName("ISLANDS.TXT", "PCK", true), "ISLANDS.PCK");
    EXPECT_EQ(reportName("islands.txt", "NULL", true), "islands.NULL");
    EXPECT_EQ(reportName("A.B.TXT", "PCK", true), "A.PCK");
    EXPECT_EQ(reportName("ISLANDS.TXT", "_Ordered.TXT", false), "ISLANDS_Ordered.TXT");
    EXPECT_EQ(reportName("a.b.txt", "_Ordered.TXT", false), "a_Ordered.TXT");
}

TEST(ReportNames, NameWithoutDotKeepsItsWholeNameBeforeTheSuffix)
{
    EXPECT_EQ(reportName("DATA", "PCK", true), "DATA.PCK");
    EXPECT_EQ(reportName("DATA", "_row_pairwise.TXT", false), "DATA_row_pairwise.TXT");
    const std::string longest(kMaxNameLength, 'n');
    EXPECT_EQ(reportName(longest.c_str(), "_ColumnNestedness_COL.TXT", false),
              longest + "_ColumnNestedness_COL.TXT");
}

TEST(OutputFiles, UnopenableFilesAreEachNamedOnceForTheWholeRun)
{
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_directory("taken.PCK");
    std::filesystem::create_directory("taken.LIN");
    testing::internal::CaptureStdout();
    // Alternating failures are still each named once, not at every write.
    for (int run = 0; run < 3; run++) {
        appendToFile("taken.PCK", "a\n");
        appendToFile("taken.LIN", "a\n");
        appendToFile("fine.txt", "b\n");
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: taken.PCK could not be written completely! Its results are incomplete.\n"
              "File: taken.LIN could not be written completely! Its results are incomplete.\n");
    EXPECT_EQ(dir.read("fine.txt"), "b\nb\nb\n");
    EXPECT_TRUE(anyOutputIncomplete());
    EXPECT_EQ(incompleteOutputCount(), 2);
    resetOutputFiles();
    EXPECT_FALSE(anyOutputIncomplete());
}

TEST(OutputFiles, AFullDiskKeepsWhatFitAndSkipsTheRestOfThatFile)
{
    ScratchDirectory dir;
    dir.enter();
    failOutputWritesAfter(5);
    testing::internal::CaptureStdout();
    OutputFile file("a.NULL");
    file.write("123\n");
    file.print("%d\n", 4567);
    file.write("89\n");
    file.close();
    appendToFile("b.NULL", "x\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: a.NULL could not be written completely! Its results are incomplete.\n"
              "File: b.NULL could not be written completely! Its results are incomplete.\n");
    EXPECT_EQ(dir.read("a.NULL"), "123\n4");
    EXPECT_EQ(dir.read("b.NULL"), "");
    EXPECT_EQ(incompleteOutputCount(), 2);
}

#if defined(__linux__)
TEST(OutputFiles, AFailureAtFlushOrCloseIsDetected)
{
    // /dev/full takes every write into the buffer and fails when the buffer
    // reaches it: the failure shows only at flush or close.
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_symlink("/dev/full", "full.COL");
    testing::internal::CaptureStdout();
    {
        OutputFile file("full.COL");
        file.write("0.00 01\n");
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: full.COL could not be written completely! Its results are incomplete.\n");
    EXPECT_TRUE(anyOutputIncomplete());
}
#endif

TEST(OutputFiles, TheSummaryLineIsEndedOnlyWhenLeftOpen)
{
    ScratchDirectory dir;
    dir.enter();
    appendToSummary("Matrix T(M)\n");
    EXPECT_FALSE(summaryLineIsOpen());
    endOpenSummaryLine();
    appendToSummary("a.txt (Packed) 1.00 ");
    EXPECT_TRUE(summaryLineIsOpen());
    endOpenSummaryLine();
    EXPECT_FALSE(summaryLineIsOpen());
    endOpenSummaryLine();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\na.txt (Packed) 1.00 \n");
}
