// Whole mode N sessions of the built program: questions, summary header,
// batch, report files and the ways the mode ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/session.h"

namespace {

const char* const kModeQuestion = "Run matrix's NODF (press N) or Temperature (press T): ";
const char* const kOrderQuestion = "Order the Matrix (Y/N)? ";
const char* const kPrintQuestion = "Print Ordered Matrix? (Y/N) : ";
const char* const kNullQuestion = "Performe Null Model Analyses? (Y/N) : ";
const char* const kExpressionPrompt = "Enter file name expression: Ex: *.TXT, *.NET, etc...\n- ";

// The console from the mode question on, without the banner.
std::string dialogue(const SessionResult& result)
{
    std::size_t start = result.console.find(kModeQuestion);
    return start == std::string::npos ? std::string() : result.console.substr(start);
}

}  // namespace

TEST(NodfSession, TwoFilesInABatchAndAHeaderEachTimeTheModeIsEntered)
{
    ScratchDirectory dir;
    dir.write("a.txt", "100\n110\n111\n");
    dir.write("b.txt", "110\n011\n");
    dir.write("old_row_pairwise.txt", "111\n");  // a report, never a matrix
    SessionResult result = runSession(dir, "N\nY\nY\nN\n*.txt\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(dialogue(result), std::string(kModeQuestion) + kOrderQuestion + kPrintQuestion +
                                    kNullQuestion + kExpressionPrompt +
                                    "\nFile: a.txt in processing...\n"
                                    "\nFile: b.txt in processing...\n"
                                    "\n\nEnd of processing...\n\a");
    const std::string firstRun = "Matrix N_Rows N_Columns N_Total\n"
                                 "a.txt 100.00 100.00 100.00\n"
                                 "b.txt 0.00 66.67 50.00\n";
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), firstRun);
    EXPECT_EQ(dir.read("b_Ordered.TXT"), "1 1 0 \n1 0 1 \n");
    EXPECT_EQ(dir.read("b_column_pairwise.TXT"),
              "0.00 0.00 0.00 \n100.00 0.00 0.00 \n100.00 0.00 0.00 \n");
    EXPECT_EQ(dir.files(), (std::vector<std::string>{
                               "SYSTEMP.TXT", "a.txt", "a_Ordered.TXT", "a_column_pairwise.TXT",
                               "a_row_pairwise.TXT", "b.txt", "b_Ordered.TXT",
                               "b_column_pairwise.TXT", "b_row_pairwise.TXT",
                               "old_row_pairwise.txt"}));

    // Ordering off: the print question is not asked and the file order
    // stands. The header is written again on entering the mode again.
    SessionResult again = runSession(dir, "N\nN\nN\na.txt\n");
    EXPECT_EQ(dialogue(again).find(kPrintQuestion), std::string::npos);
    EXPECT_EQ(dir.read("SYSTEMP.TXT"),
              firstRun + "Matrix N_Rows N_Columns N_Total\na.txt 0.00 100.00 50.00\n");
    EXPECT_EQ(dir.read("a_Ordered.TXT"), "1 1 1 \n1 1 0 \n1 0 0 \n");
}

TEST(NodfSession, OtherAnswersRingAndAnUnmatchedExpressionIsAskedAgain)
{
    ScratchDirectory dir;
    dir.write("DATA", "100\n110\n111\n");
    SessionResult result = runSession(dir, "N\nmaybe\nyes\n?\nno\nx\nn\n*.dat\nDATA\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(dialogue(result),
              std::string(kModeQuestion) + kOrderQuestion + "\a" + kOrderQuestion +
                  kPrintQuestion + "\a" + kPrintQuestion + kNullQuestion + "\a" + kNullQuestion +
                  kExpressionPrompt + "\nFile: *.dat not found...\n\n\a" + kExpressionPrompt +
                  "\nFile: DATA in processing...\n\n\nEnd of processing...\n\a");
    // Printing off: no ordered matrix. A name without a dot gets the
    // suffix after the whole name.
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"DATA", "DATA_column_pairwise.TXT",
                                                     "DATA_row_pairwise.TXT", "SYSTEMP.TXT"}));
}

TEST(NodfSession, A3001stRowEndsTheProgramAfterAWord)
{
    ScratchDirectory dir;
    std::string rows;
    for (int r = 0; r < 3001; r++)
        rows += "1\n";
    dir.write("big.txt", rows);
    SessionResult result = runSession(dir, "N\nN\nN\nbig.txt\nok\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.console.find("File: big.txt in processing...\n"
                                  "File big.txt has more than 1000 lines!!!\n"),
              std::string::npos);
    EXPECT_EQ(result.console.find("End of processing"), std::string::npos);
    // The file's summary line keeps only its name, and is ended, so that
    // the next run's header does not run into it.
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix N_Rows N_Columns N_Total\nbig.txt \n");

    // The end of input at the wait ends it as well; at a question, before
    // the analysis, it is a failure.
    EXPECT_EQ(runSession(dir, "N\nN\nN\nbig.txt\n").exitCode, 0);
    EXPECT_EQ(runSession(dir, "N\nY\n").exitCode, 1);
}
