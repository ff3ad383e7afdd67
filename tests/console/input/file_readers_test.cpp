// The readers as the console program uses them: the question about a lost
// line asked on the console among the reader's messages, and files that
// cannot be opened.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "console/input/file_readers.h"
#include "support/listed_answers.h"
#include "support/matrices.h"
#include "support/scratch.h"

namespace {

// Reads content as the text of the matrix file NAME.TXT with the console's
// messages and question, the console captured.
struct ReadResult {
    bool ok;
    std::string console;
    ReadOutcome outcome;
    std::string rows;  // as "0"/"1" lines each ended by a line end
};

ReadResult readText(const std::string& content, std::deque<std::string> answers)
{
    ListedAnswers listed(std::move(answers));
    testing::internal::CaptureStdout();
    MatrixRead read;
    try {
        read = readMatrixText(content, "NAME.TXT", printReaderMessage, lostLineQuestion(listed));
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    return {read.outcome == ReadOutcome::Read, testing::internal::GetCapturedStdout(), read.outcome,
            matrixText(rowsOf(read.matrix))};
}

}  // namespace

TEST(MatrixReader, ForeignCharacterAfterTheFirstRowAsksAndLosesTheLine)
{
    ReadResult result = readText("101\n1x1\n011\n", {"yes"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:x (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  ");
    EXPECT_EQ(result.rows, "101\n011\n");
}

TEST(MatrixReader, EachForeignCharacterOfALostLineAsksAgainWithTheNextColumn)
{
    ReadResult result = readText("11\n1.1-\n", {"what", "Y", "y"});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.console,
              "\nFile: NAME.TXT has the character:. (not 0 or 1) in line:2 colunm:2!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  "
              "Type 'Y' to continue or 'N' to abort!  "
              "\nFile: NAME.TXT has the character:- (not 0 or 1) in line:2 colunm:3!\n"
              "The line will be lost! Type 'Y' to continue or 'N' to abort!  ");
    // The lost last line, without a line end, leaves nothing behind.
    EXPECT_EQ(result.rows, "11\n");
}

TEST(MatrixReader, AnswerNAtTheQuestionEndsTheProgramAndTheEndOfInputLeavesItUnfinished)
{
    EXPECT_EQ(readText("11\n1#\n", {"n"}).outcome, ReadOutcome::EndProgram);
    EXPECT_THROW(readText("11\n1#\n", {}), InputEnded);
}

TEST(FileReaders, AFileThatCannotBeOpenedIsSkipped)
{
    ScratchDirectory dir;
    dir.enter();
    ListedAnswers none;
    FileSystem disk;
    testing::internal::CaptureStdout();
    EXPECT_EQ(readTemperatureFile(disk, "MISSING.TXT", none, false).outcome, FileRead::Outcome::Unusable);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File: MISSING.TXT not found...\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(readTableFile(disk, "MISSING.csv", {}, false).outcome, FileRead::Outcome::Unusable);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File: MISSING.csv not found...\n");
    // Mode N says it in its own words.
    testing::internal::CaptureStdout();
    EXPECT_EQ(readNodfFile(disk, "ABSENT.TXT", false).outcome, FileRead::Outcome::Unusable);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File ABSENT.TXT not found!\n");
}
