// The matrix reader of mode T, reading matrix text from memory.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "bravolin/matrix.h"
#include "formats/input/matrix_reader.h"
#include "support/matrices.h"

namespace {

// Reads content as the text of the matrix file NAME.TXT, with the reader's
// messages gathered.
struct ReadResult {
    bool ok;
    std::string console;
    int lostLines;
    ReadOutcome outcome;
    bravolin::Matrix matrix;
};

// readOn answers the questions about lost lines in turn; asked false reads
// as a script does, asked nothing.
ReadResult readText(const std::string& content, std::deque<bool> readOn = {}, bool asked = true)
{
    std::string console;
    const ReaderMessages say = [&console](const std::string& text) { console += text; };
    LostLineQuestion question;
    if (asked)
        question = [&readOn] {
            if (readOn.empty()) {
                ADD_FAILURE() << "asked more often than answered";
                return true;
            }
            const bool answer = readOn.front();
            readOn.pop_front();
            return answer;
        };
    const MatrixRead read = readMatrixText(content, "NAME.TXT", say, question);
    return {read.outcome == ReadOutcome::Read, console, read.lostLines, read.outcome, read.matrix};
}

// The matrix read, as "0"/"1" lines each ended by a line end.
std::string storedRows(const ReadResult& result)
{
    return matrixText(rowsOf(result.matrix));
}

}  // namespace

TEST(MatrixReader, BlanksTabsAndEitherLineEndGiveTheSameMatrix)
{
        for (const char* content : {"0 1 1\n1 1 0\n", "011\r\n110", "0\t1 1\r\r\n\n  \t\n1 1\t0\n\n"}) {
        ReadResult result = readText(content);
        ASSERT_TRUE(result.ok) << content;
        EXPECT_EQ(result.console, "");
        EXPECT_EQ(storedRows(result), "011\n110\n");
    }
}

TEST(MatrixReader, HeaderLinesAboveTheMatrixAreDroppedSilently)
{
        ReadResult result = readText("10 species, 2 sites\nAedes Culex\n10\n01\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(storedRows(result), "10\n01\n");
    // Cells before the foreign character of a header line do not stay either.
    result = readText("11x\n01\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "01\n");
}

TEST(MatrixReader, FirstRowFixesTheColumnCount)
{
        ReadResult result = readText("101\n11\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "101\n110\n");

    result = readText("101\n1101\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "101\n110\n");
}

TEST(MatrixReader, OneRowWithoutFinalLineEndIsAOneRowMatrix)
{
        ReadResult result = readText("\n  1 0 1");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "101\n");
}

TEST(MatrixReader, AScriptIsAskedNothingAndLosesTheLine)
{
        // Once a line, however many foreign characters it holds.
    ReadResult result = readText("Header\n101\n1x1\n0-1#" + std::string(5000, '?') + "\n011\n", {}, false);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:x (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! It has 1 character that is not 0 or 1.\n"
              "\nFile: NAME.TXT has the character:- (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! It has 5002 characters that are not 0 or 1.\n");
    EXPECT_EQ(storedRows(result), "101\n011\n");
    // The header above the first row is not counted as lost.
    EXPECT_EQ(result.lostLines, 2);
}

TEST(MatrixReader, ACtrlZByteEndsTheFile)
{
        // A trailing Ctrl-Z, as older editors save it, asks nothing and says nothing.
    ReadResult result = readText("10\n01\n\x1a");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(storedRows(result), "10\n01\n");
    result = readText("10\n01\x1a \r\n\t");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(storedRows(result), "10\n01\n");
    // Whatever follows it is not read, and the user is told.
    result = readText("10\n0\x1a" "1\n11\nxyz\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT ends at a Ctrl-Z byte; the rest of it is not read.\n");
    EXPECT_EQ(storedRows(result), "10\n00\n");
    // A full 3000-row matrix with its Ctrl-Z is not truncated.
    std::string rows;
    for (int r = 0; r < bravolin::kMaxMatrixSide; r++)
        rows += "1\n";
    result = readText(rows + "\x1a");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
}

TEST(MatrixReader, InvalidDigitRejectsTheFileUnlessItsLineIsLost)
{
        ReadResult result = readText("101\n121\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has cel[2][2] = 2 (not 0 or 1)\n");

    result = readText("Header 2009\n101\n1z9\n011\n", {true});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "101\n011\n");
}

TEST(MatrixReader, EmptyFilesAreRejected)
{
        for (const char* content : {"", "\n \t\r\n\n", "species names only\n"}) {
        ReadResult result = readText(content);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.console, "File: NAME.TXT has 0 rows...\n");
    }
}

TEST(MatrixReader, RowAndColumnLimits)
{
        const int side = bravolin::kMaxMatrixSide;
    const std::string fullRow(static_cast<std::size_t>(side), '1');
    std::string content;
    for (int r = 0; r < side; r++)
        content += fullRow + "\n";
    ReadResult result = readText(content);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(result.matrix.rows(), side);
    EXPECT_EQ(result.matrix.columns(), side);
    EXPECT_EQ(result.matrix.at(side - 1, side - 1), 1);

    // Beyond the limit the reading stops; the matrix ends there, and what
    // was not read is said once and counts as a lost line.
    result = readText(content + "\n0\n\n11\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has more than 3000 rows! The Matrix will be truncated!\n"
                              "File: NAME.TXT: the program reads at most 3000 rows and 3000 columns, so the "
                              "reading stopped after line 3000, and the 2 rows after it are not read.\n");
    EXPECT_EQ(result.matrix.rows(), side);
    EXPECT_EQ(result.lostLines, 1);

    // A 3001st cell stops the reading; the row cut there still counts.
    result = readText("0" + fullRow + "11\n" + fullRow + "\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "File: NAME.TXT has more than 3000 columns! The Matrix will be truncated!\n"
              "File: NAME.TXT: line 1 has 3003 cells; the program reads at most 3000 rows and 3000 columns, so the "
              "reading stopped at column 3000 of line 1, and its last 3 cells and the row after it are not read.\n");
    EXPECT_EQ(result.matrix.rows(), 1);
    EXPECT_EQ(result.matrix.columns(), side);
    EXPECT_EQ(result.matrix.at(0, 0), 0);
    EXPECT_EQ(result.lostLines, 1);

    // A long line below the first row ends the matrix, cut to the first
    // row's width; nothing left unread beyond the limit counts nothing.
    result = readText("10\n\n01\n" + fullRow + "1\n11\n");
    EXPECT_EQ(storedRows(result), "10\n01\n11\n");
    EXPECT_NE(result.console.find("File: NAME.TXT: line 4 has 3001 cells; the program reads at most 3000 rows and "
                                  "3000 columns, so the reading stopped at column 3000 of line 4, and its last "
                                  "cell and the row after it are not read.\n"),
              std::string::npos);
    EXPECT_EQ(result.lostLines, 2);
    result = readText(fullRow + " #\n");
    EXPECT_EQ(result.console, "File: NAME.TXT has more than 3000 columns! The Matrix will be truncated!\n");
    EXPECT_EQ(result.lostLines, 0);
}

TEST(MatrixReader, RowsLongerThanTheFirstAreCutAndNamedOnceAndAByteOrderMarkIsSkipped)
{
    // The mark would otherwise make the first row a lost header line.
    ReadResult result = readText("\xEF\xBB\xBF" "101\n1101\n011\n11\n0111\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(result), "101\n110\n011\n110\n011\n");
    EXPECT_EQ(result.console, "File: NAME.TXT: line 2 and 1 more lines have more cells than the first row; the "
                              "cells after column 3 are not read.\n");
    EXPECT_EQ(result.lostLines, 2);
    result = readText("10\r\n\r\n111\r\n");
    EXPECT_EQ(result.console, "File: NAME.TXT: line 3 has more cells than the first row; the cells after column 2 "
                              "are not read.\n");
}

TEST(MatrixReader, AScriptIsToldToReadAbundancesAsATable)
{
    ReadResult result = readText("101\n121\n", {}, false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has cel[2][2] = 2 (not 0 or 1)\n"
                              "File: NAME.TXT: to read numbers above 1, such as abundances, as presences, use "
                              "--table.\n");
}
