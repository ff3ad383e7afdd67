// Whole mode T sessions of the built program: questions, batch and ending.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/session.h"

namespace {

const char* const kBannerTop = "_______________________BRAVOLIN______________________\n\n";
const char* const kModeQuestion = "Run matrix's NODF (press N) or Temperature (press T): ";
const char* const kPrintQuestion = "Print Packed Matrix? (Y/N) : ";
const char* const kNullQuestion = "Performe Null Model Analyses? (Y/N) : ";
const char* const kExpressionPrompt = "Enter file name expression: Ex: *.TXT, *.NET, etc...\n- ";
const char* const kRunAgain = "\nEnd of processing. Do you want to run it again? (Y/N)\a";

}  // namespace

TEST(TemperatureSession, BatchSkipsBadFilesWithTheBellAndEndsWithTheFarewell)
{
    ScratchDirectory dir;
    dir.write("a.txt", "110\n100\n");
    dir.write("b.txt", "101\n121\n");
    dir.write("c.txt", "\n\n");
    dir.write("d.txt", "1\n");
    dir.write("SYSTEMP.TXT", "");
    SessionResult result = runSession(dir, "T\nN\nN\n*.txt\nN\n");
    EXPECT_EQ(result.exitCode, 0);
    const std::string expected =
        std::string(kModeQuestion) + kPrintQuestion + kNullQuestion + kExpressionPrompt +
        "File: a.txt in processing\n" + "File: b.txt has cel[2][2] = 2 (not 0 or 1)\n\a" +
        "File: c.txt has 0 rows...\n\a" + "File: d.txt in processing\n" + kRunAgain +
        "Obrigado por usar o BRAVOLIN!\n";
    EXPECT_EQ(result.console.find(kBannerTop), 0u);
    EXPECT_NE(result.console.find("Obs.: Maximum: 3000 rows and columns\n"), std::string::npos);
    const std::string console = withoutProgressLines(result.console);
    ASSERT_NE(console.find(kModeQuestion), std::string::npos);
    EXPECT_EQ(console.substr(console.find(kModeQuestion)), expected);
}

TEST(TemperatureSession, QuestionsTakeTheFirstCharacterAndRingOnOtherAnswers)
{
    ScratchDirectory dir;
    dir.write("m.txt", "1\n");
    SessionResult result = runSession(dir, "quit\ntemp\nmaybe\nno\n?\nnope\nm.txt\n");
    EXPECT_EQ(result.exitCode, 0);
    // The mode question repeats without a bell; Y/N questions ring first.
    EXPECT_NE(result.console.find(std::string(kModeQuestion) + kModeQuestion + kPrintQuestion + "\a" +
                                  kPrintQuestion + kNullQuestion + "\a" + kNullQuestion +
                                  kExpressionPrompt),
              std::string::npos);
    // Input ended at the run-again question: the program ends at once.
    EXPECT_EQ(occurrences(result.console, "Obrigado"), 0);
}

TEST(TemperatureSession, NothingMatchingAsksForANewExpression)
{
    ScratchDirectory dir;
    dir.write("SYSTEMP.TXT", "Matrix T(M)\n");
    dir.write("m.dat", "1\n");
    SessionResult result = runSession(dir, "T\nN\nN\n*.TXT\n*.dat\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.console.find(std::string("- File: *.TXT not found...\n\n\a") +
                                  kExpressionPrompt + "File: m.dat in processing\n"),
              std::string::npos);
    EXPECT_EQ(occurrences(result.console, kPrintQuestion), 1);
}

TEST(TemperatureSession, SecondRunAsksEverythingAgainWithoutTheBanner)
{
    ScratchDirectory dir;
    dir.write("m.txt", "1\n");
    SessionResult result = runSession(dir, "T\nN\nN\nm.txt\nyes\nT\nN\nN\nm.txt\nno\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, kBannerTop), 1);
    EXPECT_EQ(occurrences(result.console, kModeQuestion), 2);
    EXPECT_EQ(occurrences(result.console, "File: m.txt in processing\n"), 2);
    EXPECT_NE(result.console.find(std::string(kRunAgain) + "\n\n\n" + kModeQuestion), std::string::npos);
    EXPECT_EQ(occurrences(result.console, "Obrigado por usar o BRAVOLIN!\n"), 1);
}

TEST(TemperatureSession, EndOfInputBeforeTheAnalysisIsCompleteIsAFailure)
{
    ScratchDirectory dir;
    dir.write("m.txt", "11\n1x\n");
    // At every question up to the reader's about the lost line, and at the
    // mode question of a second run.
    for (const char* input : {"", "T\n", "T\nN\n", "T\nN\nY\n", "T\nN\nN\n", "T\nN\nN\nm.txt\n",
                              "T\nN\nN\nm.txt\nY\nY\n"}) {
        SessionResult result = runSession(dir, input);
        EXPECT_EQ(result.exitCode, 1) << input;
        EXPECT_EQ(occurrences(result.console, "Standard input ended before the analysis was complete.\n"), 1)
            << input;
    }
    // At the run-again question every batch has run.
    EXPECT_EQ(runSession(dir, "T\nN\nN\nm.txt\nY\n").exitCode, 0);
}

TEST(TemperatureSession, ForeignCharacterDialogueGoesOnWithYAndEndsWithN)
{
    ScratchDirectory dir;
    dir.write("m.txt", "11\n1x\n");
    SessionResult result = runSession(dir, "T\nN\nN\nm.txt\nN\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.console.find("has the character:x (not 0 or 1) in line:2 colunm:2!"),
              std::string::npos);
    EXPECT_EQ(occurrences(result.console, "in processing"), 0);
    EXPECT_EQ(occurrences(result.console, "End of processing"), 0);

    result = runSession(dir, "T\nN\nN\nm.txt\nY\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, "File: m.txt in processing\n"), 1);
}

TEST(TemperatureSession, EachMatrixLeavesItsReportsAndASummaryLine)
{
    ScratchDirectory dir;
    dir.write("a.txt", "Site names\n1 1 0\n0 1 1\n1 0 0\n");
    dir.write("B.TXT", "1100\n1010\n0111\n");
    SessionResult result = runSession(dir, "T\nY\nN\n*.txt\n");
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[0], "Matrix T(M)");
    EXPECT_EQ(summary[1].rfind("a.txt (Packed) ", 0), 0u);
    EXPECT_EQ(summary[2], "Matrix T(M)");
    EXPECT_EQ(summary[3].rfind("B.TXT (Packed) ", 0), 0u);
    EXPECT_EQ(splitLines(dir.read("a.LIN")).size(), 3u);
    EXPECT_EQ(splitLines(dir.read("B.COL")).size(), 4u);
    EXPECT_NE(dir.read("B.PCK").find("\nPacked Matrix:\n"), std::string::npos);
    EXPECT_FALSE(dir.exists("a.NULL"));
}

TEST(TemperatureSession, DebugMarkerFileAddsThePassHistoryToThePackingReport)
{
    ScratchDirectory dir;
    dir.write("m.txt", "0100\n1111\n0110\n1101\n");
    ASSERT_EQ(runSession(dir, "T\nN\nN\nm.txt\n").exitCode, 0);
    const std::string plain = dir.read("m.PCK");
    EXPECT_EQ(plain.find("SortRows"), std::string::npos);
    dir.write("tresk.debug", "");
    ASSERT_EQ(runSession(dir, "T\nN\nN\nm.txt\n").exitCode, 0);
    const std::string debug = dir.read("m.PCK").substr(plain.size());
    EXPECT_NE(debug.find("1 - SortRows (islands)\n\nOriginal Cols:\n"), std::string::npos);
    EXPECT_NE(debug.find("\nOriginal Rows:\n2\n4\n3\n1\n\nOriginal Cols:\n2\n1\n3\n4\n"), std::string::npos);
}
