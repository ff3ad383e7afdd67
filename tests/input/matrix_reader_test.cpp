#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "common/shared_state.h"
#include "driver/main_loop.h"
#include "input/matrix_reader.h"
#include "support/listed_answers.h"
#include "support/scratch.h"

namespace {

// Writes content as the matrix file NAME.TXT of a fresh folder and reads it
// as the driver does, with the console captured.
struct ReadResult {
    bool ok;
    std::string console;
    int lostLines;
    ReadOutcome outcome;
};

ReadResult readMatrixText(const ScratchDirectory& dir, const std::string& content,
                          std::deque<std::string> answers = {}, bool showsQuestions = true)
{
    dir.write("NAME.TXT", content);
    dir.enter();
    ListedAnswers listed(std::move(answers), showsQuestions);
    resetMatrixState();
    std::strcpy(currentFileName, "NAME.TXT");
    testing::internal::CaptureStdout();
    const MatrixReadResult read = readMatrixFile(listed);
    return {read.outcome == ReadOutcome::Read, testing::internal::GetCapturedStdout(), read.lostLines,
            read.outcome};
}

// The rows of PresenceMatrix over the columns read, as "0"/"1" strings.
std::string storedRows(int columns)
{
    std::string text;
    for (int r = 1; r <= rowCount; r++) {
        for (int c = 1; c <= columns; c++)
            text += static_cast<char>('0' + PresenceMatrix[r][c]);
        text += '\n';
    }
    return text;
}

}  // namespace

TEST(MatrixReader, BlanksTabsAndEitherLineEndGiveTheSameMatrix)
{
    ScratchDirectory dir;
    for (const char* content : {"0 1 1\n1 1 0\n", "011\r\n110", "0\t1 1\r\r\n\n  \t\n1 1\t0\n\n"}) {
        ReadResult result = readMatrixText(dir, content);
        ASSERT_TRUE(result.ok) << content;
        EXPECT_EQ(result.console, "");
        EXPECT_EQ(rowCount, 2);
        EXPECT_EQ(columnCount, 3);
        EXPECT_EQ(rowsRead, 2);
        EXPECT_EQ(columnsRead, 3);
        EXPECT_EQ(storedRows(3), "011\n110\n");
        EXPECT_EQ(PresenceMatrix[0][0] + PresenceMatrix[1][0] + PresenceMatrix[0][1], 0);
    }
}

TEST(MatrixReader, HeaderLinesAboveTheMatrixAreDroppedSilently)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "10 species, 2 sites\nAedes Culex\n10\n01\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(storedRows(2), "10\n01\n");
    // Cells before the foreign character of a header line do not stay either.
    result = readMatrixText(dir, "11x\n01\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(rowCount, 1);
    EXPECT_EQ(storedRows(2), "01\n");
}

TEST(MatrixReader, FirstRowFixesTheColumnCount)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "101\n11\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(columnCount, 3);
    EXPECT_EQ(storedRows(3), "101\n110\n");

    result = readMatrixText(dir, "101\n1101\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(columnCount, 3);
    EXPECT_EQ(storedRows(3), "101\n110\n");
    EXPECT_EQ(PresenceMatrix[2][4], 1);  // stored beyond the last column
}

TEST(MatrixReader, OneRowWithoutFinalLineEndIsAOneRowMatrix)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "\n  1 0 1");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(rowCount, 1);
    EXPECT_EQ(columnCount, 3);
    EXPECT_EQ(storedRows(3), "101\n");
}

TEST(MatrixReader, ForeignCharacterAfterTheFirstRowAsksAndLosesTheLine)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "101\n1x1\n011\n", {"yes"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:x (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  ");
    EXPECT_EQ(rowCount, 2);
    EXPECT_EQ(storedRows(3), "101\n011\n");
}

TEST(MatrixReader, EachForeignCharacterOfALostLineAsksAgainWithTheNextColumn)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "11\n1.1-\n", {"what", "Y", "y"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:. (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  "
              "Type 'Y' to continue or 'N' to abort!  "
              "\nFile: NAME.TXT has the character:- (not 0 or 1) in line:2 colunm:3!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  ");
    // The lost last line, without a line end, leaves nothing behind.
    EXPECT_EQ(rowCount, 1);
    EXPECT_EQ(PresenceMatrix[2][1], 0);
}

TEST(MatrixReader, AnswerNAtTheQuestionEndsTheProgramAndTheEndOfInputLeavesItUnfinished)
{
    ScratchDirectory dir;
    EXPECT_EQ(readMatrixText(dir, "11\n1#\n", {"n"}).outcome, ReadOutcome::EndProgram);
    EXPECT_THROW(readMatrixText(dir, "11\n1#\n", {}), InputEnded);
}

TEST(MatrixReader, AScriptIsAskedNothingAndLosesTheLine)
{
    ScratchDirectory dir;
    // Once a line, however many foreign characters it holds.
    ReadResult result = readMatrixText(dir, "Header\n101\n1x1\n0-1#" + std::string(5000, '?') + "\n011\n", {}, false);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:x (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! It has 1 character that is not 0 or 1.\n"
              "\nFile: NAME.TXT has the character:- (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! It has 5002 characters that are not 0 or 1.\n");
    EXPECT_EQ(storedRows(3), "101\n011\n");
    // The header above the first row is not counted as lost.
    EXPECT_EQ(result.lostLines, 2);
}

TEST(MatrixReader, ACtrlZByteEndsTheFile)
{
    ScratchDirectory dir;
    // A trailing Ctrl-Z, as older editors save it, asks nothing and says nothing.
    ReadResult result = readMatrixText(dir, "10\n01\n\x1a");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(rowCount, 2);
    result = readMatrixText(dir, "10\n01\x1a \r\n\t");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(storedRows(2), "10\n01\n");
    // Whatever follows it is not read, and the user is told.
    result = readMatrixText(dir, "10\n0\x1a" "1\n11\nxyz\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT ends at a Ctrl-Z byte; the rest of it is not read.\n");
    EXPECT_EQ(rowCount, 2);
    EXPECT_EQ(storedRows(2), "10\n00\n");
    // A full 3000-row matrix with its Ctrl-Z is not truncated.
    std::string rows;
    for (int r = 0; r < kMaxMatrixSide; r++)
        rows += "1\n";
    result = readMatrixText(dir, rows + "\x1a");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
}

TEST(MatrixReader, InvalidDigitRejectsTheFileUnlessItsLineIsLost)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "101\n121\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has cel[2][2] = 2 (not 0 or 1)\n");

    result = readMatrixText(dir, "Header 2009\n101\n1z9\n011\n", {"Y"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(storedRows(3), "101\n011\n");
}

TEST(MatrixReader, EmptyOrMissingFilesAreRejected)
{
    ScratchDirectory dir;
    for (const char* content : {"", "\n \t\r\n\n", "species names only\n"}) {
        ReadResult result = readMatrixText(dir, content);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.console, "File: NAME.TXT has 0 rows...\n");
    }
    std::strcpy(currentFileName, "MISSING.TXT");
    testing::internal::CaptureStdout();
    ListedAnswers none;
    EXPECT_EQ(readMatrixFile(none).outcome, ReadOutcome::Skipped);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File: MISSING.TXT not found...\n");
}

TEST(MatrixReader, RowAndColumnLimits)
{
    ScratchDirectory dir;
    const std::string fullRow(kMaxMatrixSide, '1');
    std::string content;
    for (int r = 0; r < kMaxMatrixSide; r++)
        content += fullRow + "\n";
    ReadResult result = readMatrixText(dir, content);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "");
    EXPECT_EQ(rowCount, kMaxMatrixSide);
    EXPECT_EQ(columnCount, kMaxMatrixSide);
    EXPECT_EQ(PresenceMatrix[kMaxMatrixSide][kMaxMatrixSide], 1);

    result = readMatrixText(dir, content + "0\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has more than 3000 rows! The Matrix will be truncated!\n");
    EXPECT_EQ(rowCount, kMaxMatrixSide);

    // A 3001st cell stops the reading; the row cut there still counts.
    result = readMatrixText(dir, "0" + fullRow + "\n" + fullRow + "\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "File: NAME.TXT has more than 3000 columns! The Matrix will be truncated!\n");
    EXPECT_EQ(rowCount, 1);
    EXPECT_EQ(columnCount, kMaxMatrixSide);
    EXPECT_EQ(PresenceMatrix[1][1], 0);
    EXPECT_EQ(PresenceMatrix[2][1], 0);
}
