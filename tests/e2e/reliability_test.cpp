// The program under the conditions of real use: a closed console, two runs
// in one folder, a machine out of threads or memory, nohup, a file left
// with an open line, a batch beyond the file limit.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/disk_session.h"
#include "support/failing_allocation.h"
#include "support/matrices.h"
#include "support/scratch.h"
#include "support/session.h"

namespace {

const char* const kWaitingMessage = "Another run is writing in this folder; waiting for it to finish.\n";

void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(18, 21, 0.35, 51)));
    dir.write("b.txt", matrixText(randomRows(9, 7, 0.5, 52)));
}

void expectSameFiles(const ScratchDirectory& a, const ScratchDirectory& b)
{
    ASSERT_EQ(a.files(), b.files());
    for (const std::string& name : a.files())
        EXPECT_EQ(a.read(name), b.read(name)) << name;
}

SessionOptions realClock()
{
    SessionOptions options;
    options.real = true;
    return options;
}

bool waitFor(const RunningSession& session, const std::string& text)
{
    for (int attempt = 0; attempt < 2000; attempt++) {
        if (consoleSoFar(session).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Starts no thread after the first `starting` ones, as a machine out of
// threads.
class FewThreads : public bravolin::ThreadStarter {
public:
    explicit FewThreads(int starting) : left_(starting) {}
    bool start(std::thread& thread, std::function<void()> body) override
    {
        return left_-- > 0 && bravolin::ThreadStarter::start(thread, std::move(body));
    }

private:
    int left_;
};

}  // namespace

TEST(Reliability, AClosedConsoleWritesNothingIntoTheReports)
{
    // The dialogue with a fixed seed; mode T's ends at the run-again
    // question, which ends it without the farewell's wait.
    for (const char* answers : {"T\nN\nY\n20\n*.txt\n", "N\nY\nY\nY\n20\n*.txt\n"}) {
        ScratchDirectory normal, closed;
        writeMatrices(normal);
        writeMatrices(closed);
        SessionOptions options = realClock();
        ASSERT_EQ(runCommand(normal, {"-s", "6"}, answers, options).exitCode, 0);
        options.closedOutput = true;
        ASSERT_EQ(runCommand(closed, {"-s", "6"}, answers, options).exitCode, 0);
        expectSameFiles(closed, normal);
    }
}

TEST(Reliability, ASecondRunInTheFolderWaitsUntilTheFirstHasEndedItsBatch)
{
    const std::vector<std::string> arguments = {"-m", "T", "--no-print", "-n", "5", "-s", "3", "*.txt"};
    ScratchDirectory alone;
    writeMatrices(alone);
    ASSERT_EQ(runCommand(alone, arguments).exitCode, 0);

    ScratchDirectory dir;
    writeMatrices(dir);
    dir.enter();
    DiskSession disk;
    FolderLock& first = disk.output.folderLock();
    first.take();
    // Waiting, it writes nothing; Ctrl-C then ends it at once.
    RunningSession waiting = startSession(dir, arguments, "", realClock());
    ASSERT_TRUE(waitFor(waiting, kWaitingMessage));
    kill(waiting.pid, SIGINT);
    EXPECT_EQ(finishSession(waiting).exitCode, 130);
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"BRAVOLIN.lock", "a.txt", "b.txt"}));

    RunningSession second = startSession(dir, arguments, "", realClock());
    ASSERT_TRUE(waitFor(second, kWaitingMessage));
    first.release();
    const SessionResult result = finishSession(second);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, kWaitingMessage), 1);
    // Its lock file is gone with its batch.
    expectSameFiles(dir, alone);
}

TEST(Reliability, TwoRunsStartedTogetherInOneFolderKeepTheirLinesApart)
{
    const std::vector<std::string> temperature = {"-m", "T", "--no-print", "-n", "40", "-s", "8", "*.txt"};
    const std::vector<std::string> nodf = {"-m", "N", "-o", "--no-print", "-n", "40", "-s", "8", "*.txt"};
    ScratchDirectory together, temperatureFirst, nodfFirst;
    for (const ScratchDirectory* dir : {&together, &temperatureFirst, &nodfFirst})
        writeMatrices(*dir);
    RunningSession one = startSession(together, temperature, "", realClock());
    RunningSession other = startSession(together, nodf, "", realClock());
    EXPECT_EQ(finishSession(one).exitCode, 0);
    EXPECT_EQ(finishSession(other).exitCode, 0);
    runCommand(temperatureFirst, temperature);
    runCommand(temperatureFirst, nodf);
    runCommand(nodfFirst, nodf);
    runCommand(nodfFirst, temperature);
    // Whichever took the folder first, every file is whole and unmixed.
    const std::string summary = together.read("SYSTEMP.TXT");
    EXPECT_TRUE(summary == temperatureFirst.read("SYSTEMP.TXT") || summary == nodfFirst.read("SYSTEMP.TXT"))
        << summary;
    ASSERT_EQ(together.files(), temperatureFirst.files());
    for (const std::string& name : together.files()) {
        if (name != "SYSTEMP.TXT") {
            EXPECT_EQ(together.read(name), temperatureFirst.read(name)) << name;
        }
    }
}

TEST(Reliability, AHangupIgnoredAtTheStartStaysIgnored)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(50, 50, 0.3, 53)));
    SessionOptions nohup = realClock();
    nohup.hangupIgnored = true;
    RunningSession session = startSession(dir, {"-m", "T", "--no-print", "-n", "1000", "-s", "5", "a.txt"}, "", nohup);
    for (int attempt = 0; attempt < 2000 && splitLines(dir.read("a.NULL")).size() < 3; attempt++)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(session.pid, SIGHUP);
    EXPECT_EQ(finishSession(session).exitCode, 0);
    EXPECT_EQ(splitLines(dir.read("a.NULL")).size(), 1001u);
}

TEST(Reliability, FewerThreadsThanAskedForGiveTheSameFilesAndSaySoOnce)
{
    const std::vector<std::string> arguments = {"-m", "N", "-o", "--no-print", "-n", "30", "-s", "4", "*.txt"};
    ScratchDirectory one;
    writeMatrices(one);
    std::vector<std::string> oneThread = arguments;
    oneThread.insert(oneThread.begin(), {"-j", "1"});
    ASSERT_EQ(runInProcess(one, oneThread, machineEnvironment()).exitCode, 0);

    // Eight asked for, three fit in the memory budget.
    ScratchDirectory budget;
    writeMatrices(budget);
    std::vector<std::string> eight = arguments;
    eight.insert(eight.begin(), {"-j", "8"});
    ProgramEnvironment small = machineEnvironment();
    small.memoryBudget = 3 * bravolin::threadStackBytes() + (std::size_t{5} << 20);
    SessionResult result = runInProcess(budget, eight, small);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, "Threads: 8 asked for, but only "), 1);
    expectSameFiles(budget, one);

    // Four asked for, two started.
    ScratchDirectory started;
    writeMatrices(started);
    std::vector<std::string> four = arguments;
    four.insert(four.begin(), {"-j", "4"});
    FewThreads twoOnly(1);
    ProgramEnvironment failing = machineEnvironment();
    failing.threads = &twoOnly;
    result = runInProcess(started, four, failing);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(occurrences(result.console, "Threads: only 2 of 4 could be started; the null models go on with 2.\n"), 1);
    expectSameFiles(started, one);
}

TEST(Reliability, AMatrixThatRunsOutOfMemoryIsNamedAndTheBatchGoesOn)
{
    ScratchDirectory dir;
    dir.write("big.txt", matrixText(randomRows(1100, 1100, 0.3, 54)));
    dir.write("small.txt", matrixText(randomRows(9, 7, 0.5, 52)));
    // Matrices of a million cells fail after the first few.
    failLargeAllocations(std::size_t{1} << 20, 6);
    const SessionResult result = runInProcess(
        dir, {"-m", "N", "-o", "--no-print", "-n", "5", "-s", "2", "-j", "2", "*.txt"}, machineEnvironment());
    stopFailingAllocations();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(occurrences(result.console, "File: big.txt could not be analysed: not enough memory.\n"), 1);
    EXPECT_NE(result.console.find("Files: 1 analysed, 1 skipped"), std::string::npos);
    // big's summary line is ended, small's whole.
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[1].rfind("big.txt ", 0), 0u);
    EXPECT_EQ(summary[2].rfind("small.txt ", 0), 0u);
    EXPECT_EQ(dir.read("SYSTEMP.TXT").back(), '\n');
    EXPECT_EQ(splitLines(dir.read("small_TotalNestedness_LI.TXT")).size(), 5u);
}

TEST(Reliability, ALineLeftOpenByAnEarlierRunIsEndedFirst)
{
    ScratchDirectory dir;
    dir.write("SYSTEMP.TXT", "Matrix T(M)\ncut.txt (Packed) 12.");
    dir.write("a.txt", "110\n011\n");
    ASSERT_EQ(runCommand(dir, {"-m", "T", "--no-print", "--no-null", "a.txt"}).exitCode, 0);
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[1], "cut.txt (Packed) 12.");
    EXPECT_EQ(summary[2], "Matrix T(M)");
}

TEST(Reliability, AScriptedBatchBeyondTheFileLimitNamesTheFilesLeftOut)
{
    // The names share their part before the first dot, and so their three
    // reports: a folder of ten thousand files, not forty thousand.
    ScratchDirectory dir;
    for (int file = 0; file < 10002; file++)
        dir.write("m." + std::to_string(10000 + file) + ".txt", "1\n");
    const SessionResult result = runCommand(dir, {"-m", "T", "--no-print", "--no-null", "-q", "*.txt"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.console.find("Maximum number of files reached: 10000!\n"
                                  "Files: 2 left out, beyond the 10000 files a batch takes; "
                                  "run them in a further batch.\n"),
              std::string::npos);
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 20000u);
    EXPECT_EQ(summary.back(), "m.19999.txt (Packed) 0.00");
}
