#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/system/console.h"
#include "support/listed_answers.h"
#include "support/scratch.h"

TEST(Console, WordsOfStandardInputAreReadWholeUntilInputEnds)
{
    ScratchDirectory dir;
    feedStandardInput(dir, std::string(300, 'x') + "  \n\t next \n  ");
    ConsoleAnswers console;
    EXPECT_EQ(console.nextWord(), std::string(300, 'x'));
    EXPECT_EQ(console.nextWord(), "next");
    EXPECT_EQ(console.nextWord(), std::nullopt);
    EXPECT_THROW(readWord(console), InputEnded);
}

TEST(Console, IntegersAreReadLikeScanf)
{
    ListedAnswers answers({"-5", "12abc", "abc", "99999999999", "+7",
                           std::string(65, '0') + "7", "-" + std::string(300, '0') + "12", "0x10"});
    int value = 42;
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, -5);
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(readInteger(answers, &value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, 7);
    // Leading zeros and the sign never count against any length.
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(readInteger(answers, &value));
    EXPECT_EQ(value, 0);
}

TEST(Console, IntegersAtTheEdgesOfTheIntRange)
{
    EXPECT_EQ(leadingInteger("2147483647"), 2147483647);
    EXPECT_EQ(leadingInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(leadingInteger("2147483648"), -1);
    EXPECT_EQ(leadingInteger("-2147483649"), -1);
    EXPECT_EQ(leadingInteger(std::string(400, '9')), -1);
    EXPECT_EQ(leadingInteger("+"), std::nullopt);
    EXPECT_EQ(leadingInteger(""), std::nullopt);
}

TEST(Console, YesNoQuestionTakesTheFirstCharacterAndRingsOnOtherAnswers)
{
    ListedAnswers answers({"maybe", "yes", "no"});
    testing::internal::CaptureStdout();
    const ConsoleStyle dialogue;
    EXPECT_TRUE(askYesNo(answers, "Q? ", dialogue));
    EXPECT_FALSE(askYesNo(answers, "Q? ", dialogue));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Q? \aQ? Q? ");
    EXPECT_THROW(askYesNo(answers, "Q? ", dialogue), InputEnded);
}
