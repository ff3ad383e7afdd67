#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/console.h"
#include "common/shared_state.h"
#include "support/scratch.h"

TEST(Console, WordsAreCutToTheBufferAndTheRestOfTheWordIsConsumed)
{
    ScratchDirectory dir;
    feedStandardInput(dir, std::string(300, 'x') + "  \n\t next");
    char buffer[8];
    std::memset(buffer, 'z', sizeof buffer);
    readWord(buffer, 5);
    EXPECT_STREQ(buffer, "xxxx");
    EXPECT_EQ(buffer[5], 'z');
    readWord(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "next");
}

TEST(Console, EndOfInputEndsTheProgramWithCodeZero)
{
    ScratchDirectory dir;
    feedStandardInput(dir, "   \n");
    char buffer[8];
    EXPECT_EXIT(readWord(buffer, sizeof buffer), testing::ExitedWithCode(0), "");
}

TEST(Console, IntegersAreReadLikeScanf)
{
    ScratchDirectory dir;
    feedStandardInput(dir, "-5 12abc abc 99999999999 +7");
    int value = 42;
    EXPECT_TRUE(readInteger(&value));
    EXPECT_EQ(value, -5);
    EXPECT_TRUE(readInteger(&value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(readInteger(&value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(readInteger(&value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(readInteger(&value));
    EXPECT_EQ(value, 7);
}

TEST(Console, YesNoQuestionTakesTheFirstCharacterAndRingsOnOtherAnswers)
{
    ScratchDirectory dir;
    feedStandardInput(dir, "maybe yes no");
    testing::internal::CaptureStdout();
    EXPECT_EQ(askYesNo("Q? "), 1);
    EXPECT_EQ(askYesNo("Q? "), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Q? \aQ? Q? ");
    EXPECT_STREQ(answerBuffer, "no");
}
