// The batch driver over a folder held in memory: a batch of each mode
// lists, reads, locks and writes through the run's file system alone, and
// leaves there what it leaves on a disk.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/memory_folder.h"
#include "support/session.h"

namespace {

// A run's text with the moment of its start (in the tables and the page)
// made alike.
std::string withoutDates(const std::string& text)
{
    static const std::regex date("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d");
    return std::regex_replace(text, date, "DATE");
}

}  // namespace

TEST(BatchDriver, RunsBothModesOnAFolderInMemoryAsOnTheDisk)
{
    // Two matrices, a summary whose last line an earlier run left open, and
    // a temporary file a killed run left behind.
    const std::map<std::string, std::string> start = {{"a.txt", matrixText(randomRows(9, 11, 0.4, 7))},
                                                      {"b.txt", "110\n101\n011\n"},
                                                      {"SYSTEMP.TXT", "Matrix T(M)\ncut.txt (Packed) 12."},
                                                      {".bravolin-41-3-0badcafe.csv", "stale\n"}};
    const std::vector<std::vector<std::string>> runs = {
        {"-m", "T", "-p", "-n", "6", "-s", "9", "--results", "--report", "*.txt"},
        {"-m", "N", "-o", "-p", "-n", "6", "-s", "9", "--results", "--report", "*.txt"}};
    ScratchDirectory disk, empty;
    for (const auto& [name, content] : start)
        disk.write(name, content);
    MemoryFolder memory;
    memory.files = start;
    ProgramEnvironment inMemory = machineEnvironment();
    inMemory.files = &memory;
    for (const std::vector<std::string>& arguments : runs) {
        const SessionResult onDisk = runInProcess(disk, arguments, machineEnvironment());
        const SessionResult held = runInProcess(empty, arguments, inMemory);
        EXPECT_EQ(held.exitCode, 0);
        EXPECT_EQ(held.exitCode, onDisk.exitCode);
        EXPECT_EQ(held.console, onDisk.console);
    }
    EXPECT_EQ(memory.locksTaken, 2);
    std::vector<std::string> names;
    for (const auto& file : memory.files) {
        names.push_back(file.first);
        EXPECT_EQ(withoutDates(file.second), withoutDates(disk.read(file.first))) << file.first;
    }
    EXPECT_EQ(names, disk.files());
    EXPECT_TRUE(empty.files().empty());
}
