// The mode N reader: which lines become rows, the column count, lost lines,
// line ends, the column limit and the row limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/input/nodf_reader.h"
#include "support/matrices.h"

namespace {

// Reads content as the text of the matrix file M.TXT, with the reader's
// messages gathered into console when it is given.
NodfRead readText(const std::string& content, std::string* console = nullptr)
{
    std::string said;
    NodfRead read = readNodfText(content, "M.TXT", [&said](const std::string& text) { said += text; });
    if (console != nullptr)
        *console = said;
    return read;
}

}  // namespace

TEST(NodfReader, RowsColumnsAndLostLines)
{
    struct Case {
        const char* content;
        int rows, columns;
        Rows stored;
    };
    const Case cases[] = {
        // A header, a row with a label, a shorter row taking the lost line's
        // place (none of the lost cells stays), a lost row with a letter.
        {"sp1 sp2\n101\n110 island\n1\n11x1\n011\n", 3, 3, {"101", "100", "011"}},
        {"10\n12\n01\n", 2, 2, {"10", "01"}},   // digits 2 to 9 lose the line
        {"10\n19\n01\n", 2, 2, {"10", "01"}},
        {"\n\n1 0\t1\r\n\r\n0 1 1\r1\t1 0\n\n", 3, 3, {"101", "011", "110"}},
        {"111\n1\n11111\n", 3, 3, {"111", "100", "111"}},  // the first row fixes the columns
        {"101", 1, 0, {""}},                  // no line end: a row, but no columns
        {"10\n01", 2, 2, {"10", "01"}},
        {"10\n1x", 1, 2, {"10"}},             // a lost last line
        {"", 0, 0, {}},
    };
    for (const Case& c : cases) {
        const NodfRead read = readText(c.content);
        ASSERT_EQ(read.outcome, NodfReadOutcome::Read) << c.content;
        EXPECT_EQ(read.matrix.rows(), c.rows) << c.content;
        EXPECT_EQ(read.matrix.columns(), c.columns) << c.content;
        EXPECT_EQ(rowsOf(read.matrix), c.stored) << c.content;
    }
}

TEST(NodfReader, CellsBeyondColumn3000AreDroppedAndCountedOnce)
{
    std::string longRow(3005, '1');
    longRow[2999] = '0';
    std::string console;
    NodfRead read = readText(longRow + "\n" + longRow + "\n01\n", &console);
    ASSERT_EQ(read.outcome, NodfReadOutcome::Read);
    EXPECT_EQ(console, "File: M.TXT has more than 3000 columns! The Matrix will be truncated!\n"
                       "File: M.TXT: line 1 and 1 more lines have more than 3000 cells; the program reads at most "
                       "3000 rows and 3000 columns, so their 10 cells after column 3000 are not read.\n");
    EXPECT_EQ(read.matrix.rows(), 3);
    EXPECT_EQ(read.matrix.columns(), 3000);
    EXPECT_EQ(read.matrix.at(1, 2999), 0);
    EXPECT_EQ(read.lostLines, 1);
    // A lost long line is not counted among them.
    read = readText("10\n" + longRow + "x\n" + longRow, &console);
    EXPECT_NE(console.find("File: M.TXT: line 3 has 3005 cells; the program reads at most 3000 rows and 3000 "
                           "columns, so its last 5 cells are not read.\n"),
              std::string::npos);
    EXPECT_EQ(read.matrix.rows(), 2);
}

TEST(NodfReader, A3001stRowStopsTheReadingWithOrWithoutItsLineEnd)
{
    std::string rows;
    for (int r = 0; r < 3000; r++)
        rows += "01\n";
    EXPECT_EQ(readText(rows).outcome, NodfReadOutcome::Read);
    for (const char* last : {"11\n", "11"}) {
        std::string console;
        EXPECT_EQ(readText(rows + last, &console).outcome, NodfReadOutcome::TooManyRows) << last;
        EXPECT_EQ(console, "File M.TXT has more than 1000 lines!!!\n");
    }
}

TEST(NodfReader, ACtrlZByteEndsTheFileAndLostLinesBelowTheFirstRowAreCountedAndNamed)
{
    std::string console;
    NodfRead read = readText("sp1 sp2\n10\n0x\n01\x1a\r\n", &console);
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"10", "01"}));
    EXPECT_EQ(console, "File: M.TXT: line 3 is not a row of 0s and 1s and is not read.\n");
    read = readText("10\n01\x1a\n11\n", &console);
    EXPECT_EQ(read.matrix.rows(), 2);
    EXPECT_EQ(console, "File: M.TXT ends at a Ctrl-Z byte; the rest of it is not read.\n");
    EXPECT_EQ(readText("head\n10\n1x\n1y\n01\n").lostLines, 2);
    // The first three lost lines by number, the rest counted; a header
    // above the first row is dropped without a word.
    readText("head\r\n10\r\n1x\r\n2\r\n\r\n-\r\n?\r\n.\r\n01\r\n", &console);
    EXPECT_EQ(console, "File: M.TXT: line 3 is not a row of 0s and 1s and is not read.\n"
                       "File: M.TXT: line 4 is not a row of 0s and 1s and is not read.\n"
                       "File: M.TXT: line 6 is not a row of 0s and 1s and is not read.\n"
                       "File: M.TXT: and 2 more lines are not rows of 0s and 1s and are not read.\n");
}

TEST(NodfReader, RowsLongerThanTheFirstAreCutAndNamedOnceAndAByteOrderMarkIsSkipped)
{
    std::string console;
    NodfRead read = readText("\xEF\xBB\xBF" "10\n011\n1\n1101\n", &console);
    EXPECT_EQ(rowsOf(read.matrix), (Rows{"10", "01", "10", "11"}));
    EXPECT_EQ(console, "File: M.TXT: line 2 and 1 more lines have more cells than the first row; the cells after "
                       "column 2 are not read.\n");
    EXPECT_EQ(read.lostLines, 1);
    read = readText("101", &console);
    EXPECT_EQ(console, "File: M.TXT: line 1 has no line end, so its cells are not read.\n");
    EXPECT_EQ(read.lostLines, 1);
}
