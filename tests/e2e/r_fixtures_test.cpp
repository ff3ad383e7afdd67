// The R package's fixtures against the console program: the runs of
// fixtures/commands.txt, made afresh on the fixtures' matrices, must write
// the tables the fixtures hold (but for the date), so that the package's
// tests compare it with what the program writes today.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/csv.h"
#include "support/session.h"

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(BRAVOLIN_SOURCE_DIR) / "r/tests/testthat/fixtures";

std::string fixture(const std::string& name)
{
    std::ifstream in(kFixtures / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> found;
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

// A results table's text without its date, the run's.
std::string withoutDates(const std::string& table)
{
    std::string text;
    for (const std::string& line : splitLines(table))
        text += withoutDateField(line) + "\n";
    return text;
}

}  // namespace

TEST(RFixtures, TheConsoleProgramStillWritesTheTablesThePackageIsComparedWith)
{
    ScratchDirectory dir;
    for (const char* matrix : {"nested.txt", "random.txt", "species.txt"})
        dir.write(matrix, fixture(matrix));
    for (const std::string& line : splitLines(fixture("commands.txt")))
        ASSERT_EQ(runCommand(dir, words(line)).exitCode, 0) << line;
    const char* const hint = "the R package's fixtures have drifted from the program: run make r-fixtures";
    for (const char* mode : {"T", "N"}) {
        const std::string results = std::string("BRAVOLIN_") + mode + "_results.csv";
        const std::string nullValues = std::string("BRAVOLIN_") + mode + "_null_values.csv";
        EXPECT_EQ(withoutDates(dir.read(results)), withoutDates(fixture(results))) << hint;
        EXPECT_EQ(dir.read(nullValues), fixture(nullValues)) << hint;
    }
}
