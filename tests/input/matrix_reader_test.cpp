#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/shared_state.h"
#include "driver/main_loop.h"
#include "input/matrix_reader.h"
#include "support/scratch.h"

namespace {

// Writes content as the matrix file NAME.TXT of a fresh folder and reads it
// as the driver does, with the console captured.
struct ReadResult {
    bool ok;
    std::string console;
};

ReadResult readMatrixText(const ScratchDirectory& dir, const std::string& content,
                          const std::string& answers = "")
{
    dir.write("NAME.TXT", content);
    dir.enter();
    feedStandardInput(dir, answers);
    resetMatrixState();
    std::strcpy(currentFileName, "NAME.TXT");
    testing::internal::CaptureStdout();
    bool ok = readMatrixFile();
    return {ok, testing::internal::GetCapturedStdout()};
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
    ReadResult result = readMatrixText(dir, "101\n1x1\n011\n", "yes\n");
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
    ReadResult result = readMatrixText(dir, "11\n1.1-\n", "what Y y\n");
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

TEST(MatrixReader, AnswerNToTheForeignCharacterEndsTheProgram)
{
    ScratchDirectory dir;
    dir.write("NAME.TXT", "11\n1#\n");
    dir.enter();
    feedStandardInput(dir, "n\n");
    std::strcpy(currentFileName, "NAME.TXT");
    EXPECT_EXIT(readMatrixFile(), testing::ExitedWithCode(0), "");
}

TEST(MatrixReader, InvalidDigitRejectsTheFileUnlessItsLineIsLost)
{
    ScratchDirectory dir;
    ReadResult result = readMatrixText(dir, "101\n121\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.console, "File: NAME.TXT has cel[2][2] = 2 (not 0 or 1)\n");

    result = readMatrixText(dir, "Header 2009\n101\n1z9\n011\n", "Y\n");
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
    EXPECT_FALSE(readMatrixFile());
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
