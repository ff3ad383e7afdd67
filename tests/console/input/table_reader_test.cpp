// Field tables in the styles R, spreadsheets and editors write them, their
// names, and the errors that name a line and a column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/input/table_reader.h"
#include "support/matrices.h"

namespace {

using Names = std::vector<std::string>;

// Reads content as the table NAME.csv, with the console captured.
struct Read {
    bool ok;
    bravolin::Matrix matrix;
    std::string console;
};

Read readTable(const std::string& content, bool transpose = false)
{
    testing::internal::CaptureStdout();
    TableRead read = readTableText(content, "NAME.csv", transpose);
    return {read.outcome == TableOutcome::Read, read.matrix, testing::internal::GetCapturedStdout()};
}

const Rows kRows = {"101", "011", "110"};
const Names kSpecies = {"sp1", "sp2", "sp3"};
const Names kSites = {"s1", "s2", "s3"};

}  // namespace

TEST(TableReader, EveryStyleGivesTheMatrixOfItsPresences)
{
    struct Style {
        const char* what;
        std::string text;
        Names rowNames, columnNames;
    };
    const Style styles[] = {
        {"write.csv", "\"\",\"sp1\",\"sp2\",\"sp3\"\n\"s1\",1,0,1\n\"s2\",0,1,1\n\"s3\",4,2.5,0\n", kSites, kSpecies},
        {"write.csv with numbers as row names",
         "\"\",\"sp1\",\"sp2\",\"sp3\"\n\"1\",1,0,1\n\"2\",0,1,1\n\"3\",4,2.5,0\n", {"1", "2", "3"}, kSpecies},
        {"write.csv without row names", "\"sp1\",\"sp2\",\"sp3\"\n1,0,1\n0,1,1\n4,2.5,0\n", {}, kSpecies},
        {"write.table", "\"sp1\" \"sp2\" \"sp3\"\n\"s1\" 1 0 1\n\"s2\" 0 1 1\n\"s3\" 4 2.5 0\n", kSites, kSpecies},
        {"semicolons, decimal commas", "site;sp1;sp2;sp3\ns1;1;0;1\ns2;0;1;1\ns3;4;2,5;0\n", kSites, kSpecies},
        {"tabs, row names", "\tsp1\tsp2\tsp3\ns1\t1\t0\t1\ns2\t0\t1\t1\ns3\t4\t0,5\t0\n", kSites, kSpecies},
        {"blanks, no names", "1 0 1\n  0   1 1\n4 2.5 0  \n", {}, {}},
        {"logicals", "sp1,sp2,sp3\nTRUE,FALSE,true\nFALSE,True,TRUE\nTRUE,TRUE,false\n", {}, kSpecies},
        {"byte order mark, CR LF, blank lines",
         "\xEF\xBB\xBFsite,sp1,sp2,sp3\r\n\r\ns1,1,0,1\r\ns2,0,1,1\r\n  \r\ns3,1e3,0.5,0\r\n", kSites, kSpecies},
        {"quoted names with delimiters, quotes and a line end",
         "\"\",\"sp \"\"a\"\"\",\"sp, b\",\"sp\nc\"\n\"s, 1\",1,0,1\n\"s2\",0,1,1\n\"s3\",1,1,0\n",
         {"s, 1", "s2", "s3"}, {"sp \"a\"", "sp, b", "sp\nc"}},
    };
    for (const Style& style : styles) {
        const Read read = readTable(style.text);
        ASSERT_TRUE(read.ok) << style.what << ": " << read.console;
        EXPECT_EQ(rowsOf(read.matrix), kRows) << style.what;
        EXPECT_EQ(read.matrix.rowNames(), style.rowNames) << style.what;
        EXPECT_EQ(read.matrix.columnNames(), style.columnNames) << style.what;
    }
}

TEST(TableReader, ABlankHeaderOverTabRowsAndATransposedTable)
{
    // A header written with blanks over rows written with tabs.
    Read read = readTable("sp1 sp2 sp3\n1\t0\t1\n0\t1\t1\n1\t1\t0\n");
    ASSERT_TRUE(read.ok) << read.console;
    EXPECT_EQ(rowsOf(read.matrix), kRows);
    EXPECT_EQ(read.matrix.columnNames(), kSpecies);
    // Species as rows.
    read = readTable(",s1,s2\nsp1,1,0\nsp2,1,1\nsp3,0,1\n", true);
    ASSERT_TRUE(read.ok) << read.console;
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"110", "011"}));
    EXPECT_EQ(read.matrix.rowNames(), (Names{"s1", "s2"}));
    EXPECT_EQ(read.matrix.columnNames(), kSpecies);
}

TEST(TableReader, ErrorsNameTheFileTheLineAndTheColumn)
{
    const struct {
        std::string text, message;
    } errors[] = {
        {"\"\",\"a\",\"b\"\n\"s1\",1,0\n\"s2\",NA,1\n", "File: NAME.csv: line 3, column 2: \"NA\" is not a number.\n"},
        {"a,b\n1,\n", "File: NAME.csv: line 2, column 2: the cell is empty.\n"},
        {"a;b\r\n1;-2\r\n", "File: NAME.csv: line 2, column 2: \"-2\" is a negative number.\n"},
        {"a,b\n1,Inf\n", "File: NAME.csv: line 2, column 2: \"Inf\" is not a number.\n"},
        {"1,0\nx,1\n", "File: NAME.csv: line 2, column 1: \"x\" is not a number.\n"},
        {"a,b,c\n1,0,1\n1,0\n", "File: NAME.csv: line 3 has 2 fields, the data rows above it 3.\n"},
        {"a,b,c,d,e\n1,0,1\n", "File: NAME.csv: line 1 (the header) has 5 fields, the data rows 3.\n"},
        {"a,b\n\n", "File: NAME.csv: the table has no data row.\n"},
        {"s1\ns2\n", "File: NAME.csv: the table has no column of cells, only names.\n"},
    };
    for (const auto& error : errors) {
        const Read read = readTable(error.text);
        EXPECT_FALSE(read.ok) << error.text;
        EXPECT_EQ(read.console, error.message) << error.text;
    }
    std::string large;
    for (int row = 0; row < 3002; row++)
        large += "1,0\n";
    EXPECT_EQ(readTable(large).console,
              "File: NAME.csv: the table has 3002 rows and 2 columns of cells; at most 3000 of each can be analysed.\n");
}
