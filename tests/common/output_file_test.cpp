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

TEST(OutputFiles, UnopenableFileIsNamedOnceAndNeverWritten)
{
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_directory("taken.PCK");
    testing::internal::CaptureStdout();
    EXPECT_EQ(openForAppend("taken.PCK"), nullptr);
    EXPECT_EQ(openForAppend("taken.PCK"), nullptr);
    std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console, "File: taken.PCK could not be opened for writing! Its results are not saved.\n");

    std::FILE* file = openForAppend("fine.txt");
    ASSERT_NE(file, nullptr);
    std::fputs("a\n", file);
    std::fclose(file);
    file = openForAppend("fine.txt");
    std::fputs("b\n", file);
    std::fclose(file);
    EXPECT_EQ(dir.read("fine.txt"), "a\nb\n");
}
