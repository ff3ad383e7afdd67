// Report names derived from matrix file names.
#include <gtest/gtest.h>

#include <string>

#include "console/output/report_names.h"

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
    const std::string longest(260, 'n');
    EXPECT_EQ(reportName(longest.c_str(), "_ColumnNestedness_COL.TXT", false),
              longest + "_ColumnNestedness_COL.TXT");
}

