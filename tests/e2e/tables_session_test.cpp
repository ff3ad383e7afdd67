// Field tables read with --table, their names in the pictures, and what a
// run says about a file with no row of 0s and 1s.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/session.h"
#include "support/svg_reading.h"

namespace {

// The table of rows in a style: delimiter, names, abundances and line ends
// as R and spreadsheets write them.
std::string tableOf(const Rows& rows, const std::string& style)
{
    const bool semicolons = style == "semicolon", tabs = style == "tab", blanks = style == "write.table";
    const std::string delimiter = semicolons ? ";" : tabs ? "\t" : blanks ? " " : ",";
    const std::string end = style == "windows" ? "\r\n" : "\n";
    std::string text = style == "windows" ? "\xEF\xBB\xBF" : "";
    text += blanks ? "" : "\"\"";
    for (std::size_t c = 0; c < rows[0].size(); c++)
        text += (blanks && c == 0 ? "" : delimiter) + "\"species " + std::to_string(c + 1) + "\"";
    text += end;
    for (std::size_t r = 0; r < rows.size(); r++) {
        text += "\"site, " + std::to_string(r + 1) + "\"";
        for (std::size_t c = 0; c < rows[r].size(); c++)
            text += delimiter + (rows[r][c] == '1' ? (semicolons || tabs ? "2,5" : std::to_string(r + c + 1)) : "0");
        text += end;
    }
    return text;
}

// The values of each line of a summary file, after the matrix's name.
std::vector<std::string> summaryValues(const std::string& summary)
{
    std::vector<std::string> values;
    for (const std::string& line : splitLines(summary))
        if (line.rfind("Matrix", 0) != 0)
            values.push_back(line.substr(line.find(' ')));
    return values;
}

}  // namespace

TEST(TablesSession, TablesInEveryStyleGiveTheNodfOfTheirMatrixFiles)
{
    const Rows rows = randomRows(14, 11, 0.4, 61);
    ScratchDirectory tables, matrices;
    const std::vector<std::string> styles = {"write.csv", "semicolon", "tab", "write.table", "windows"};
    for (const std::string& style : styles) {
        tables.write(style + ".csv", tableOf(rows, style));
        matrices.write(style + ".txt", matrixText(rows));
    }
    const std::vector<std::string> options = {"-m", "N", "-o", "--no-print", "-n", "20", "-s", "7"};
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {"--table", "*.csv"});
    const SessionResult read = runCommand(tables, arguments);
    EXPECT_EQ(read.exitCode, 0) << read.console;
    arguments = options;
    arguments.push_back("*.txt");
    ASSERT_EQ(runCommand(matrices, arguments).exitCode, 0);
    // The same files in the same order: the same values, null models
    // included, line by line.
    EXPECT_EQ(summaryValues(tables.read("SYSTEMP.TXT")), summaryValues(matrices.read("SYSTEMP.TXT")));
    EXPECT_EQ(tables.read("tab_row_pairwise.TXT"), matrices.read("tab_row_pairwise.TXT"));
}

TEST(TablesSession, NamesReachThePictures)
{
    ScratchDirectory dir;
    dir.write("islands.csv", ",Anolis,Bufo,Culex\nCuba,1,1,1\nHaiti,1,1,0\nNevis,1,0,0\n");
    ASSERT_EQ(runCommand(dir, {"-m", "T", "--no-print", "--no-null", "--table", "--svg", "islands.csv"}).exitCode, 0);
    const std::vector<std::string> titles = textsOf(parseXml(dir.read("islands.csv_packed.svg")), "title");
    for (const char* name : {"Cuba", "Haiti", "Nevis", "Anolis", "Bufo", "Culex"})
        EXPECT_NE(std::find(titles.begin(), titles.end(), name), titles.end()) << name;
    // The classic files keep their numbers.
    EXPECT_EQ(splitLines(dir.read("islands.LIN")).size(), 3u);
}

TEST(TablesSession, AFileWithoutARowIsSaidAndAScriptCountsItAsSkipped)
{
    ScratchDirectory dir;
    dir.write("x.csv", "a,b\n1,0\n");
    dir.write("empty.txt", "\n");
    SessionResult result = runCommand(dir, {"-m", "N", "--no-order", "--no-null", "x.csv", "empty.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.console.find("File: x.csv has no row of 0s and 1s; to read it as a table, use --table.\n"),
              std::string::npos);
    EXPECT_NE(result.console.find("File: empty.txt has no row of 0s and 1s.\n"), std::string::npos);
    EXPECT_NE(result.console.find("Files: 0 analysed, 2 skipped"), std::string::npos);
    // The files written for them stay as they were.
    EXPECT_EQ(summaryValues(dir.read("SYSTEMP.TXT")), (std::vector<std::string>{" nan nan nan", " nan nan nan"}));

    result = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "x.csv"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.console.find("File: x.csv has 0 rows...\n"
                                  "File: x.csv has no row of 0s and 1s; to read it as a table, use --table.\n"),
              std::string::npos);
    EXPECT_EQ(runCommand(dir, {"--transpose", "x.csv"}).exitCode, 2);
}

TEST(TablesSession, AScriptSaysHowEachTableWasReadAndTheLayoutHoldsForEveryRun)
{
    ScratchDirectory dir;
    dir.write("plots.csv", "Plot,a,b\n1,1,0\n2,0,1\n3,1,1\n");
    const char* const said = "File: plots.csv: 3 sites x 2 species; header row of names; first column \"Plot\" read "
                             "as site names (--row-names no reads it as a species).\n";
    SessionResult result = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "-q", "--table", "plots.csv"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.console.find(said), std::string::npos) << result.console;
    // The dialogue reads both runs with --header no, and says nothing more.
    result = runCommand(dir, {"--table", "--header", "no"}, "T\nN\nN\nplots.csv\nY\nT\nN\nN\nplots.csv\nN\n");
    EXPECT_EQ(occurrences(result.console, "File: plots.csv: line 1, column 2: \"a\" is not a number.\n"), 2);
    EXPECT_EQ(result.console.find("read as site names"), std::string::npos);
    EXPECT_EQ(runCommand(dir, {"--header", "no", "plots.csv"}).exitCode, 2);
}

TEST(TablesSession, UnicodeTextAndMatrixFilesAreRefusedOrHintedAt)
{
    ScratchDirectory dir;
    dir.write("u.txt", std::string("\xFF\xFE" "1\0" "1\0\n\0" "1\0" "0\0\n\0", 14));
    dir.write("m.csv", "110\n100\n");
    const std::string utf16 = "File: u.txt is UTF-16 text; save it as UTF-8 or CSV.\n";
    // The plain readers of both modes.
    for (const std::vector<std::string>& mode : {std::vector<std::string>{"-m", "T", "--no-print"},
                                                 std::vector<std::string>{"-m", "N", "--no-order"}}) {
        std::vector<std::string> arguments = mode;
        arguments.insert(arguments.end(), {"--no-null", "u.txt"});
        const SessionResult plain = runCommand(dir, arguments);
        EXPECT_EQ(plain.exitCode, 1);
        EXPECT_EQ(occurrences(plain.console, utf16), 1) << plain.console;
    }
    const SessionResult table = runCommand(dir, {"-m", "N", "--no-order", "--no-null", "--table", "u.txt", "m.csv"});
    EXPECT_EQ(table.exitCode, 1);
    EXPECT_EQ(occurrences(table.console, utf16), 1);
    EXPECT_NE(table.console.find("File: m.csv looks like a matrix of 0s and 1s; read it without --table.\n"),
              std::string::npos);
    EXPECT_NE(table.console.find("Files: 0 analysed, 2 skipped"), std::string::npos);
}

TEST(TablesSession, MessagesShowControlCharactersOfNamesAndCellsAsEscapes)
{
    ScratchDirectory dir;
    dir.write("bad\x1b[2J.csv", "a,b\n1,\x1b[31m\n");
    dir.write("good\x07.txt", "11\n10\n");
    const SessionResult table = runCommand(dir, {"-m", "N", "--no-order", "--no-null", "--table", "*.csv"});
    EXPECT_NE(table.console.find("File: bad\\x1b[2J.csv in processing...\n"), std::string::npos) << table.console;
    EXPECT_NE(table.console.find("File: bad\\x1b[2J.csv: line 2, column 2: \"\\x1b[31m\" is not a number.\n"),
              std::string::npos);
    const SessionResult plain = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "*.txt", "none\x1b.txt"});
    EXPECT_NE(plain.console.find("File: good\\x07.txt in processing\n"), std::string::npos) << plain.console;
    EXPECT_NE(plain.console.find("File: none\\x1b.txt not found...\n"), std::string::npos);
    for (const SessionResult& run : {table, plain})
        EXPECT_EQ(run.console.find_first_of("\x1b\x07"), std::string::npos);
}
