// The mode N reader: which lines become rows, the column count, lost lines,
// line ends, the column limit and the row limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "nodf/nodf_reader.h"
#include "support/scratch.h"

namespace {

// Writes content as a matrix file and reads it; false when it cannot open.
bool readText(const ScratchDirectory& dir, const std::string& content)
{
    dir.enter();
    dir.write("M.TXT", content);
    std::strcpy(currentFileName, "M.TXT");
    std::memset(nodfReadMatrix, 0, sizeof nodfReadMatrix);
    return readNodfMatrix().outcome == NodfReadOutcome::Read;
}

// The first rows of nodfReadMatrix, over the first columns, as digits.
std::vector<std::string> storedRows(int rows, int columns)
{
    std::vector<std::string> stored;
    for (int r = 0; r < rows; r++) {
        std::string row;
        for (int c = 0; c < columns; c++)
            row += static_cast<char>('0' + nodfReadMatrix[r][c]);
        stored.push_back(row);
    }
    return stored;
}

}  // namespace

TEST(NodfReader, RowsColumnsAndLostLines)
{
    struct Case {
        const char* content;
        int rows, columns;
        std::vector<std::string> stored;  // first rows, one column more than read
    };
    const Case cases[] = {
        // A header, a row with a label, a shorter row taking the lost line's
        // place (none of the lost cells stays), a lost row with a letter.
        {"sp1 sp2\n101\n110 island\n1\n11x1\n011\n", 3, 3, {"1010", "1000", "0110", "0000"}},
        {"10\n12\n01\n", 2, 2, {"100", "010"}},   // digits 2 to 9 lose the line
        {"10\n19\n01\n", 2, 2, {"100", "010"}},
        {"\n\n1 0\t1\r\n\r\n0 1 1\r1\t1 0\n\n", 3, 3, {"1010", "0110", "1100"}},
        {"111\n1\n11111\n", 3, 3, {"1110", "1000", "1111"}},  // the first row fixes m
        {"101", 1, 0, {"1"}},                     // no line end: a row, but no m
        {"10\n01", 2, 2, {"100", "010"}},
        {"10\n1x", 1, 2, {"100", "000"}},         // a lost last line
        {"", 0, 0, {}},
    };
    ScratchDirectory dir;
    for (const Case& c : cases) {
        ASSERT_TRUE(readText(dir, c.content)) << c.content;
        EXPECT_EQ(rowCount, c.rows) << c.content;
        EXPECT_EQ(columnCount, c.columns) << c.content;
        EXPECT_EQ(storedRows(static_cast<int>(c.stored.size()), c.columns + 1), c.stored) << c.content;
    }
    std::strcpy(currentFileName, "ABSENT.TXT");
    EXPECT_EQ(readNodfMatrix().outcome, NodfReadOutcome::CannotOpen);
}

TEST(NodfReader, CellsBeyondColumn3000AreDroppedWithOneMessage)
{
    ScratchDirectory dir;
    std::string longRow(3005, '1');
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readText(dir, longRow + "\n" + longRow + "\n"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: M.TXT has more than 3000 columns! The Matrix will be truncated!\n");
    EXPECT_EQ(rowCount, 2);
    EXPECT_EQ(columnCount, 3000);
    EXPECT_EQ(nodfReadMatrix[0][2999] + nodfReadMatrix[1][0], 2);
    EXPECT_EQ(nodfReadMatrix[0][3000], 0);
}

TEST(NodfReader, A3001stRowWithoutLineEndIsRead)
{
    // The row limit is tested only when a line end completes a row.
    ScratchDirectory dir;
    std::string rows;
    for (int r = 0; r < 3000; r++)
        rows += "01\n";
    ASSERT_TRUE(readText(dir, rows + "11"));
    EXPECT_EQ(rowCount, 3001);
    EXPECT_EQ(nodfReadMatrix[3000][0], 1);
}

TEST(NodfReader, A3001stCompletedRowStopsTheReading)
{
    ScratchDirectory dir;
    std::string rows;
    for (int r = 0; r < 3001; r++)
        rows += "01\n";
    dir.enter();
    dir.write("M.TXT", rows + "11\n");
    std::strcpy(currentFileName, "M.TXT");
    testing::internal::CaptureStdout();
    EXPECT_EQ(readNodfMatrix().outcome, NodfReadOutcome::TooManyRows);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File M.TXT has more than 1000 lines!!!\n");
}

TEST(NodfReader, ACtrlZByteEndsTheFileAndLostLinesBelowTheFirstRowAreCounted)
{
    ScratchDirectory dir;
    dir.enter();
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readText(dir, "sp1 sp2\n10\n0x\n01\x1a\r\n"));
    EXPECT_EQ(rowCount, 2);
    EXPECT_EQ(storedRows(2, 2), (std::vector<std::string>{"10", "01"}));
    ASSERT_TRUE(readText(dir, "10\n01\x1a\n11\n"));
    EXPECT_EQ(rowCount, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: M.TXT ends at a Ctrl-Z byte; the rest of it is not read.\n");
    dir.write("M.TXT", "head\n10\n1x\n1y\n01\n");
    EXPECT_EQ(readNodfMatrix().lostLines, 2);
}
