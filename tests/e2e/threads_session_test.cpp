// The null models on several threads write the same bytes as on one: every
// output file, and the console but for the clock fields of mode N's
// progress line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/session.h"

namespace {

// Matrices of every kind the models meet: random ones, one cell, empty,
// full, one that packing trims, one row, one column.
void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(23, 31, 0.3, 11)));
    dir.write("b.txt", matrixText(randomRows(40, 12, 0.6, 12)));
    dir.write("c.txt", "1\n");
    dir.write("d.txt", "000\n000\n");
    dir.write("e.txt", "111\n111\n111\n");
    dir.write("f.txt", "111\n111\n100\n000\n");
    dir.write("g.txt", "10110\n");
    dir.write("h.txt", "1\n0\n1\n1\n");
    dir.write("i.txt", "");
}

struct ThreadedRun {
    std::vector<std::string> names;
    std::vector<std::string> contents;
    std::string console;
};

ThreadedRun runWithThreads(const std::vector<std::string>& options, const std::string& threads)
{
    ScratchDirectory dir;
    writeMatrices(dir);
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {"-j", threads, "-s", "2024", "*.txt"});
    SessionResult result = runCommand(dir, arguments);
    ThreadedRun run{dir.files(), {}, withoutProgressLines(result.console)};
    for (const std::string& name : run.names)
        run.contents.push_back(dir.read(name));
    return run;
}

void expectSameForEveryThreadCount(const std::vector<std::string>& options)
{
    const ThreadedRun one = runWithThreads(options, "1");
    ASSERT_GT(one.names.size(), 9u);
    for (const char* threads : {"2", "7"}) {
        const ThreadedRun many = runWithThreads(options, threads);
        ASSERT_EQ(many.names, one.names) << threads;
        for (std::size_t i = 0; i < one.names.size(); i++)
            EXPECT_EQ(many.contents[i], one.contents[i]) << one.names[i] << " with " << threads << " threads";
        EXPECT_EQ(many.console, one.console) << threads;
    }
}

}  // namespace

TEST(ThreadsSession, ModeTWritesTheSameFilesOnOneTwoAndSevenThreads)
{
    expectSameForEveryThreadCount({"-m", "T", "--print", "-n", "9"});
}

TEST(ThreadsSession, ModeNWritesTheSameFilesOnOneTwoAndSevenThreads)
{
    expectSameForEveryThreadCount({"-m", "N", "-o", "-p", "-n", "9"});
    expectSameForEveryThreadCount({"-m", "N", "--no-order", "-n", "4"});
}

TEST(ThreadsSession, ModeTShowsTheSameSpinnerOnEveryThreadCount)
{
    // On a terminal the spinner of every simulation is shown; into a file
    // it is shown by the dialogue, which -j leaves as it is.
    std::string consoles[2];
    int index = 0;
    for (const char* threads : {"1", "3"}) {
        ScratchDirectory dir;
        dir.write("a.txt", matrixText(randomRows(12, 14, 0.4, 13)));
        consoles[index++] = runCommand(dir, {"-j", threads}, "T\nN\nY\n6\na.txt\nN\n").console;
    }
    EXPECT_NE(consoles[0].find("0006 - "), std::string::npos);
    EXPECT_EQ(consoles[0], consoles[1]);
}

TEST(ThreadsSession, UsageErrorsOfTheThreadCount)
{
    ScratchDirectory dir;
    for (const char* threads : {"0", "1025", "two", "-1"})
        EXPECT_EQ(runCommand(dir, {"-j", threads, "-m", "T"}).exitCode, 2) << threads;
    EXPECT_TRUE(dir.files().empty());
}
