// The program driven by its command line: usage errors, scripted runs and
// their console, exit codes and seeds, and options that answer only some of
// the questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/session.h"

namespace {

const char* const kStartTime = "2026-04-01 09:30:00";

// Three matrices, one of which has a line that the mode T reader asks about.
void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(9, 12, 0.4, 41)));
    dir.write("b.txt", "sp1 sp2 sp3 sp4\n1101\n11x0\n0110\n1000\n");
    dir.write("c.txt", matrixText(randomRows(6, 5, 0.5, 42)));
}

// Every file of a and b, byte for byte.
void expectSameFiles(const ScratchDirectory& a, const ScratchDirectory& b)
{
    EXPECT_EQ(a.files(), b.files());
    for (const std::string& name : a.files())
        EXPECT_EQ(a.read(name), b.read(name)) << name;
}

std::string seedOf(const char* startTime)
{
    return std::to_string(seedForStartTime(startTime));
}

}  // namespace

TEST(CommandLineSession, UsageErrorsWriteNothingAskNothingAndEndWithCodeTwo)
{
    ScratchDirectory dir;
    dir.write("a.txt", "10\n01\n");
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"-n", "0", "a.txt"}, {"-m", "T", "--order", "a.txt"},
             {"-s", "99999999999"}, {"sub/a.txt"}, {"-C", "no such folder", "-m", "T"}, {"-C", "a.txt"}}) {
        SessionResult result = runCommand(dir, words, "T\nN\nN\na.txt\nN\n");
        EXPECT_EQ(result.exitCode, 2) << words[0];
        EXPECT_EQ(result.console, "") << words[0];
        EXPECT_NE(result.errors.find("bravolin: "), std::string::npos) << words[0];
        EXPECT_NE(result.errors.find("--help"), std::string::npos) << words[0];
        EXPECT_EQ(dir.files(), std::vector<std::string>{"a.txt"}) << words[0];
    }
    // -C says what is wrong with the folder.
    EXPECT_NE(runCommand(dir, {"-C", "no such folder"}).errors.find("'no such folder': there is no such folder"),
              std::string::npos);
    EXPECT_NE(runCommand(dir, {"-C", "a.txt"}).errors.find("'a.txt': it is not a folder"), std::string::npos);
}

TEST(CommandLineSession, HelpAndVersion)
{
    ScratchDirectory dir;
    SessionResult help = runCommand(dir, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.console.find("Usage: bravolin"), std::string::npos);
    EXPECT_NE(help.console.find("Examples:"), std::string::npos);
    SessionResult version = runCommand(dir, {"-V"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.console.substr(0, 15), "BRAVOLIN 3.0.3\n");
    EXPECT_TRUE(dir.files().empty());
}

TEST(CommandLineSession, ScriptedModeTWritesTheFilesOfTheDialogueAtTheSameSecond)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    ScratchDirectory dialogue;
    writeMatrices(dialogue);
    // The reader asks about b.txt's third line; the answer is yes.
    ASSERT_EQ(runSession(dialogue, "T\nY\nY\n7\n*.txt\nY\nN\n", SessionOptions{kStartTime}).exitCode, 0);

    ScratchDirectory scripted;
    writeMatrices(scripted);
    SessionResult result =
        runCommand(scripted, {"-m", "T", "--print", "-n", "7", "-s", seedOf(kStartTime), "--", "*.txt"});
    expectSameFiles(dialogue, scripted);
    // b.txt lost a line: the file counts, and the run ends with code 1.
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.console.find("The line will be lost! It has 1 character that is not 0 or 1.\n"),
              std::string::npos);
    EXPECT_EQ(result.console.find("Type 'Y'"), std::string::npos);
    EXPECT_EQ(result.console.find("?"), std::string::npos);  // no question at all
    EXPECT_EQ(result.console.find('\a'), std::string::npos);
    EXPECT_EQ(result.console.find('\r'), std::string::npos);  // no progress lines into a file
    EXPECT_NE(result.console.find("Seed: " + seedOf(kStartTime) + "\n"), std::string::npos);
    EXPECT_NE(result.console.find("Files: 3 analysed, 0 skipped, 1 with lost lines, 0 not written completely\n"),
              std::string::npos);
    EXPECT_EQ(result.console.find("Obrigado"), std::string::npos);
}

TEST(CommandLineSession, ScriptedModeNWritesTheFilesOfTheDialogueAtTheSameSecond)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    ScratchDirectory dialogue;
    writeMatrices(dialogue);
    ASSERT_EQ(runSession(dialogue, "N\nY\nY\nY\n7\n*.txt\n", SessionOptions{kStartTime, true}).exitCode, 0);

    ScratchDirectory scripted;
    writeMatrices(scripted);
    SessionResult result =
        runCommand(scripted, {"-m", "N", "-o", "-p", "-n", "7", "-s", seedOf(kStartTime), "*.txt"});
    expectSameFiles(dialogue, scripted);
    EXPECT_EQ(result.exitCode, 1);  // b.txt lost a line
    EXPECT_NE(result.console.find("Files: 3 analysed, 0 skipped, 1 with lost lines, 0 not written completely\n"),
              std::string::npos);

    // Without ordering mode N never asks about printing.
    ScratchDirectory unordered;
    unordered.write("a.txt", "10\n01\n");
    result = runCommand(unordered, {"-m", "N", "--no-order", "--no-null", "a.txt"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(unordered.exists("a_row_pairwise.TXT"));
}

TEST(CommandLineSession, EachFilesSeedRerunsItsNullModelsAlone)
{
    ScratchDirectory batch;
    writeMatrices(batch);
    SessionResult result = runCommand(batch, {"-m", "T", "--no-print", "-n", "4", "-s", "7", "a.txt", "c.txt"});
    ASSERT_EQ(result.exitCode, 0);
    const std::string marker = "File: c.txt in processing\nSeed: ";
    const std::size_t at = result.console.find(marker);
    ASSERT_NE(at, std::string::npos);
    const std::string seed = result.console.substr(at + marker.size(),
                                                   result.console.find('\n', at + marker.size()) - at - marker.size());
    EXPECT_NE(result.console.find("Seed: 7\nFile: a.txt in processing\nSeed: 7\n"), std::string::npos);

    ScratchDirectory alone;
    writeMatrices(alone);
    ASSERT_EQ(runCommand(alone, {"-m", "T", "--no-print", "-n", "4", "-s", seed, "c.txt"}).exitCode, 0);
    EXPECT_EQ(alone.read("c.NULL"), batch.read("c.NULL"));
    EXPECT_EQ(alone.read("c.LIN"), batch.read("c.LIN"));

    // The same in mode N, whose start seeds the generator once more.
    ScratchDirectory nodfBatch;
    writeMatrices(nodfBatch);
    result = runCommand(nodfBatch, {"-m", "N", "--no-order", "-n", "3", "-s", "11", "a.txt", "c.txt"});
    const std::string nodfMarker = "File: c.txt in processing...\nSeed: ";
    const std::size_t nodfAt = result.console.find(nodfMarker);
    ASSERT_NE(nodfAt, std::string::npos);
    const std::string nodfSeed =
        result.console.substr(nodfAt + nodfMarker.size(),
                              result.console.find('\n', nodfAt + nodfMarker.size()) - nodfAt - nodfMarker.size());
    ScratchDirectory nodfAlone;
    writeMatrices(nodfAlone);
    ASSERT_EQ(runCommand(nodfAlone, {"-m", "N", "--no-order", "-n", "3", "-s", nodfSeed, "c.txt"}).exitCode, 0);
    EXPECT_EQ(nodfAlone.read("c_TotalNestedness_LI.TXT"), nodfBatch.read("c_TotalNestedness_LI.TXT"));
}

TEST(CommandLineSession, ExitCodesOfScriptedRuns)
{
    ScratchDirectory dir;
    dir.write("good.txt", "110\n100\n");
    dir.write("bad.txt", "101\n121\n");
    EXPECT_EQ(runCommand(dir, {"-m", "T", "--no-print", "--no-null", "good.txt"}).exitCode, 0);
    SessionResult skipped = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "*.txt"});
    EXPECT_EQ(skipped.exitCode, 1);
    EXPECT_NE(skipped.console.find("Files: 1 analysed, 1 skipped, 0 with lost lines, 0 not written completely"),
              std::string::npos);
    SessionResult unmatched = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "good.txt", "*.csv"});
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_NE(unmatched.console.find("File: *.csv not found...\n\n"), std::string::npos);
    EXPECT_EQ(unmatched.console.find('\a'), std::string::npos);

    // Mode N ends its batch at a file with too many rows and names the
    // files it leaves out, without waiting for a word.
    std::string rows;
    for (int r = 0; r < 3001; r++)
        rows += "1\n";
    dir.write("big.txt", rows);
    SessionResult early = runCommand(dir, {"-m", "N", "--no-order", "--no-null", "big.txt", "good.txt"});
    EXPECT_EQ(early.exitCode, 1);
    EXPECT_NE(early.console.find("File big.txt has more than 1000 lines!!!\nFile: good.txt not processed.\n"),
              std::string::npos);
    const std::string summary = dir.read("SYSTEMP.TXT");
    EXPECT_NE(summary.find("big.txt \n"), std::string::npos);
}

TEST(CommandLineSession, AFolderOfMatricesAndReportsGivenByTheShell)
{
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.path() / "field");
    writeFile(dir.path() / "field" / "b.txt", "110\n100\n");
    writeFile(dir.path() / "field" / "a.txt", "101\n011\n");
    // -C: the matrices are read and the reports written in the folder.
    ASSERT_EQ(runCommand(dir, {"-C", "field", "-m", "T", "--no-print", "-n", "2", "*.txt"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "field" / "a.NULL"));
    EXPECT_FALSE(dir.exists("SYSTEMP.TXT"));
    // Every name of the folder, as a shell expands *: the reports and the
    // summary are ignored silently; the batch takes the names in the order
    // given.
    std::vector<std::string> words = {"-C", "field", "-m", "N", "--no-order", "--no-null"};
    for (const char* name : {"b.txt", "SYSTEMP.TXT", "a.COL", "a.LIN", "a.NULL", "a.PCK", "a.txt",
                             "b.COL", "b.LIN", "b.NULL", "b.PCK"})
        words.push_back(name);
    SessionResult result = runCommand(dir, words);
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> summary = splitLines(readFile(dir.path() / "field" / "SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 7u);
    EXPECT_EQ(summary[5].substr(0, 6), "b.txt ");
    EXPECT_EQ(summary[6].substr(0, 6), "a.txt ");
}

TEST(CommandLineSession, OptionsAnswerTheFirstRunOnlyAndTheRestIsAsked)
{
    ScratchDirectory dir;
    dir.write("a.txt", "110\n100\n");
    const char* const print = "Print Packed Matrix? (Y/N) : ";
    // The first run takes the print answer and the pattern from the command
    // line; the second asks everything.
    SessionResult result = runCommand(dir, {"-p", "-q", "a.txt"}, "T\nN\nY\nT\nN\nN\na.txt\nN\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, print), 1);
    EXPECT_EQ(occurrences(result.console, "Enter file name expression"), 1);
    EXPECT_EQ(occurrences(result.console, "Run matrix's NODF"), 2);
    EXPECT_EQ(result.console.find('\r'), std::string::npos);  // -q: no progress lines
    EXPECT_NE(dir.read("a.PCK").find("Packed Matrix:"), std::string::npos);

    // -m N -o leaves the print, null-model and expression questions.
    result = runCommand(dir, {"-m", "N", "-o"}, "N\nN\na.txt\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.console.find("Print Ordered Matrix? (Y/N) : Performe Null Model Analyses? (Y/N) : "
                                  "Enter file name expression"),
              std::string::npos);
    EXPECT_EQ(result.console.find("Order the Matrix"), std::string::npos);
    // With the mode asked, an option of mode N is ignored in mode T.
    EXPECT_EQ(runCommand(dir, {"--order"}, "T\nN\nN\na.txt\nN\n").exitCode, 0);
}
