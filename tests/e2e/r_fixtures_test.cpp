// The R package's fixtures against the console program: the runs of
// fixtures/commands.txt and fixtures/metrics/commands.txt, made afresh on
// their folder's matrices, must write the tables the folder holds (but for
// the date), so that the package's tests compare it with what the program
// writes today.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/csv.h"
#include "support/session.h"

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(BRAVOLIN_SOURCE_DIR) / "r/tests/testthat/fixtures";

std::string fixture(const std::filesystem::path& name)
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

// A results table's header and rows without their date, the run's (the
// table of a run with --metrics has its note column after the date).
using TableWithoutDates = std::pair<std::string, std::vector<std::map<std::string, std::string>>>;
TableWithoutDates withoutDates(const std::string& table)
{
    std::vector<std::map<std::string, std::string>> rows = csvRows(table);
    for (auto& row : rows)
        row.erase("date");
    return {table.substr(0, table.find('\n')), rows};
}

// Reruns the commands.txt of folder (under fixtures/) on its matrices and
// compares the tables of each mode with the folder's.
void expectSameTables(const std::string& folder, const std::vector<std::string>& matrices,
                      const std::vector<std::string>& modes)
{
    ScratchDirectory dir;
    for (const std::string& matrix : matrices)
        dir.write(matrix, fixture(std::filesystem::path(folder) / matrix));
    for (const std::string& line : splitLines(fixture(std::filesystem::path(folder) / "commands.txt")))
        ASSERT_EQ(runCommand(dir, words(line)).exitCode, 0) << line;
    const std::string hint = "the R package's fixtures in " + folder + " have drifted from the program: run make r-fixtures";
    for (const std::string& mode : modes) {
        const std::string results = "BRAVOLIN_" + mode + "_results.csv";
        const std::string nullValues = "BRAVOLIN_" + mode + "_null_values.csv";
        EXPECT_EQ(withoutDates(dir.read(results)), withoutDates(fixture(std::filesystem::path(folder) / results)))
            << hint;
        EXPECT_EQ(dir.read(nullValues), fixture(std::filesystem::path(folder) / nullValues)) << hint;
    }
}

}  // namespace

TEST(RFixtures, TheConsoleProgramStillWritesTheTablesThePackageIsComparedWith)
{
    expectSameTables(".", {"nested.txt", "random.txt", "species.txt"}, {"T", "N"});
    expectSameTables("metrics", {"islands.csv"}, {"N"});
}
