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
