// What a run may never do to a user's data: write to an input file, lose
// output or input silently, or leave half a line behind when it is
// interrupted.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "console/driver/environment.h"
#include "support/filling_disk.h"
#include "support/matrices.h"
#include "support/scratch.h"
#include "support/session.h"

namespace {

SessionOptions realClock()
{
    SessionOptions clock;
    clock.real = true;
    return clock;
}

const char* const kStartTime = "2026-02-01 08:00:00";
const char* const kIncomplete = " could not be written completely! Its results are incomplete.\n";

// Every file of the folder but the matrices ends with a line end.
void expectWholeLines(const ScratchDirectory& dir)
{
    for (const std::string& name : dir.files()) {
        const std::string content = dir.read(name);
        if (!content.empty()) {
            EXPECT_EQ(content.back(), '\n') << name;
        }
    }
}

// Waits until the file holds at least lines lines.
bool waitForLines(const ScratchDirectory& dir, const std::string& name, std::size_t lines)
{
    for (int attempt = 0; attempt < 2000; attempt++) {
        if (splitLines(dir.read(name)).size() >= lines)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace

TEST(DataSafety, AFileThatCannotBeWrittenIsNamedOnceAndTheRunEndsWithCodeOne)
{
    // The dialogue with a fixed seed.
    const std::string matrix = matrixText(randomRows(12, 14, 0.4, 3));
    const std::string answers = "N\nY\nY\nY\n6\n*.txt\n";
    ScratchDirectory clean;
    clean.write("a.txt", matrix);
    clean.write("b.txt", "10\n01\n");
    ASSERT_EQ(runCommand(clean, {"-s", "5"}, answers).exitCode, 0);

    // A full disk under two of a's reports, one written at every simulation.
    ScratchDirectory full;
    full.write("a.txt", matrix);
    full.write("b.txt", "10\n01\n");
    std::filesystem::create_symlink("/dev/full", full.path() / "a_column_pairwise.TXT");
    std::filesystem::create_symlink("/dev/full", full.path() / "a_TotalNestedness_CE.TXT");
    // Three threads: the files and messages are those of one.
    SessionResult result = runCommand(full, {"-s", "5", "-j", "3"}, answers);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(occurrences(result.console, "File: a_column_pairwise.TXT" + std::string(kIncomplete)), 1);
    EXPECT_EQ(occurrences(result.console, "File: a_TotalNestedness_CE.TXT" + std::string(kIncomplete)), 1);
    EXPECT_EQ(occurrences(result.console, kIncomplete), 2);
    // Every other file is complete, byte for byte.
    for (const std::string& name : clean.files()) {
        if (name != "a_column_pairwise.TXT" && name != "a_TotalNestedness_CE.TXT") {
            EXPECT_EQ(full.read(name), clean.read(name)) << name;
        }
    }

    // Ending at the end of input keeps the code.
    EXPECT_EQ(runSession(full, "T\nN\nN\nb.txt\n").exitCode, 0);
    std::filesystem::remove(full.path() / "b.PCK");
    std::filesystem::create_symlink("/dev/full", full.path() / "b.PCK");
    EXPECT_EQ(runSession(full, "T\nN\nN\nb.txt\n").exitCode, 1);
}

TEST(DataSafety, ADiskThatFillsUpMidWayIsReportedOncePerFile)
{
    // The program run in this process, its writes failing after 4096 bytes
    // as on a disk that fills up there.
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(30, 30, 0.5, 9)));
    dir.write("b.txt", "11\n10\n");
    feedStandardInput(dir, "N\nY\nN\nN\n*.txt\n");
    FillingDisk disk(4096);
    ProgramEnvironment environment = machineEnvironment();
    environment.files = &disk;
    const SessionResult result = runInProcess(dir, {}, environment);
    const int exitCode = result.exitCode;
    const std::string& console = result.console;
    EXPECT_EQ(exitCode, 1);
    // The report cut by the full disk, and every report written after it,
    // is named once.
    for (const char* name : {"a_row_pairwise.TXT", "a_column_pairwise.TXT", "b_row_pairwise.TXT",
                             "SYSTEMP.TXT"})
        EXPECT_EQ(occurrences(console, "File: " + std::string(name) + kIncomplete), 1) << name;
    std::uintmax_t written = 0;
    for (const std::string& name : dir.files())
        if (name != "a.txt" && name != "b.txt")
            written += std::filesystem::file_size(dir.path() / name);
    EXPECT_EQ(written, 4096u);
}

TEST(DataSafety, AScriptInAFolderThatCannotBeWrittenStopsBeforeAnyAnalysis)
{
    // Where no file may be created, as for a user without the permission
    // to write there (chmod denies root nothing, so the tests fake it).
    class DeniedFolder : public FileSystem {
        bool openForAppending(const std::string&, SystemFile*, bool*) override { return false; }
        FileCreation createNew(const std::string&, bool, SystemFile*) override
        {
            return FileCreation::PermissionDenied;
        }
    } denied;
    ScratchDirectory dir;
    dir.write("a.txt", "10\n01\n");
    ProgramEnvironment environment = machineEnvironment();
    environment.files = &denied;
    for (const char* mode : {"T", "N"}) {
        const SessionResult result = runInProcess(
            dir, {"-m", mode, mode[0] == 'T' ? "--no-print" : "--no-order", "--no-null", "--results", "a.txt"},
            environment);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.errors, "bravolin: cannot write in the folder '" + std::filesystem::current_path().string() +
                                     "': permission denied\n");
        EXPECT_EQ(result.console.find("a.txt"), std::string::npos) << result.console;
        EXPECT_EQ(result.console.find("Files:"), std::string::npos);
    }
}

TEST(DataSafety, ReportsAreNeverReadAsMatricesSoNoFileReceivesItsOwnReport)
{
    ScratchDirectory dir;
    dir.write("m.PCK", "11\n10\n");
    dir.write("isl.col", "11\n10\n");
    SessionResult result = runSession(dir, "T\nN\nN\n*.PCK\n*.col\nisl.*\n");
    EXPECT_NE(result.console.find("File: *.PCK not found...\n\n\a"), std::string::npos);
    EXPECT_NE(result.console.find("File: *.col not found...\n\n\a"), std::string::npos);
    EXPECT_EQ(dir.read("m.PCK"), "11\n10\n");
    EXPECT_EQ(dir.read("isl.col"), "11\n10\n");
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"isl.col", "m.PCK"}));
}

TEST(DataSafety, BothModesOverEverythingReadOnlyTheMatrices)
{
    ScratchDirectory dir;
    dir.write("a.txt", "110\n100\n011\n");
    ASSERT_EQ(runSession(dir, "T\nY\nY\n3\n*\nN\n").exitCode, 0);
    ASSERT_EQ(runSession(dir, "N\nY\nY\nY\n2\n*\n").exitCode, 0);
    ASSERT_EQ(runSession(dir, "T\nN\nN\n*\nN\n").exitCode, 0);
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 6u);
    EXPECT_EQ(summary[1].substr(0, 6), "a.txt ");
    EXPECT_EQ(summary[3].substr(0, 6), "a.txt ");
    EXPECT_EQ(summary[5].substr(0, 6), "a.txt ");
    // Each report holds a's values only: two simulations, no nan from a
    // report read as a matrix.
    EXPECT_EQ(splitLines(dir.read("a_TotalNestedness_ER.TXT")).size(), 2u);
    EXPECT_EQ(dir.read("a_TotalNestedness_ER.TXT").find("nan"), std::string::npos);
    EXPECT_EQ(splitLines(dir.read("a.NULL")).size(), 4u);
    EXPECT_EQ(splitLines(dir.read("a.LIN")).size(), 6u);
}

TEST(DataSafety, AnExpressionLongerThanAFileNameMatchesNothing)
{
    ScratchDirectory dir;
    dir.write("a.txt", "10\n01\n");
    dir.write("b.txt", "10\n01\n");
    const std::string expression = std::string(261, '*') + "b.txt";
    SessionResult result = runSession(dir, "T\nN\nN\n" + expression + "\nb.txt\nN\n");
    EXPECT_NE(result.console.find("- File: " + expression + " not found...\n\n\a"), std::string::npos);
    EXPECT_TRUE(dir.exists("b.PCK"));
    EXPECT_FALSE(dir.exists("a.PCK"));
}

TEST(DataSafety, ASimulationCountWithManyLeadingZerosIsReadWhole)
{
    ScratchDirectory dir;
    dir.write("a.txt", "110\n100\n011\n");
    ASSERT_EQ(runSession(dir, "T\nN\nY\n" + std::string(65, '0') + "7\na.txt\nN\n").exitCode, 0);
    EXPECT_EQ(splitLines(dir.read("a.NULL")).size(), 8u);
    ASSERT_EQ(runSession(dir, "N\nN\nY\n+" + std::string(70, '0') + "3\na.txt\n").exitCode, 0);
    EXPECT_EQ(splitLines(dir.read("a_TotalNestedness_LI.TXT")).size(), 3u);
}

TEST(DataSafety, AnInterruptDuringTheNullModelsOfModeTLeavesWholeLines)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(40, 40, 0.3, 5)));
    dir.write("b.txt", "10\n01\n");
    RunningSession session = startSession(dir, {"-j", "3"}, "T\nN\nY\n1000\n*.txt\nN\n", realClock());
    ASSERT_TRUE(waitForLines(dir, "a.NULL", 4));
    kill(session.pid, SIGINT);
    SessionResult result = finishSession(session);
    EXPECT_EQ(result.signal, SIGINT);
    EXPECT_EQ(result.exitCode, 130);
    EXPECT_NE(result.console.find("\nFile: a.txt was interrupted! Its results are incomplete.\n"),
              std::string::npos);
    EXPECT_FALSE(dir.exists("b.PCK"));
    expectWholeLines(dir);
    const std::vector<std::string> nullLines = splitLines(dir.read("a.NULL"));
    for (std::size_t i = 1; i < nullLines.size(); i++)
        EXPECT_EQ(nullLines[i].size(), 23u) << nullLines[i];

    // The next run's header starts a line of its own.
    ASSERT_EQ(runSession(dir, "T\nN\nN\nb.txt\nN\n").exitCode, 0);
    const std::vector<std::string> summary = splitLines(dir.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[2], "Matrix T(M)");
}

TEST(DataSafety, AnInterruptDuringTheNullModelsOfModeNKeepsTheTwelveFilesEven)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(60, 60, 0.3, 6)));
    RunningSession session = startSession(dir, {"-j", "3"}, "N\nN\nY\n1000\na.txt\n", realClock());
    ASSERT_TRUE(waitForLines(dir, "a_TotalNestedness_COL.TXT", 5));
    kill(session.pid, SIGTERM);
    SessionResult result = finishSession(session);
    EXPECT_EQ(result.signal, SIGTERM);
    EXPECT_NE(result.console.find("File: a.txt was interrupted!"), std::string::npos);
    expectWholeLines(dir);
    const std::size_t simulations = splitLines(dir.read("a_RowNestedness_ER.TXT")).size();
    EXPECT_GE(simulations, 5u);
    EXPECT_LT(simulations, 1000u);
    int files = 0;
    for (const std::string& name : dir.files())
        if (name.find("Nestedness_") != std::string::npos) {
            EXPECT_EQ(splitLines(dir.read(name)).size(), simulations) << name;
            files++;
        }
    EXPECT_EQ(files, 12);
    EXPECT_EQ(splitLines(dir.read("SYSTEMP.TXT")).size(), 2u);
}

TEST(DataSafety, AnInterruptAtAQuestionEndsTheProgramAtOnce)
{
    ScratchDirectory dir;
    dir.write("a.txt", "10\n01\n");
    int input;
    RunningSession session = startSessionWaitingForInput(dir, {}, "T\nN\nN\na.txt\n", &input);
    for (int attempt = 0; attempt < 2000; attempt++) {
        if (consoleSoFar(session).find("Do you want to run it again?") != std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(session.pid, SIGINT);
    SessionResult result = finishSession(session);
    closeInput(input);
    EXPECT_EQ(result.signal, SIGINT);
    EXPECT_EQ(result.console.find("interrupted"), std::string::npos);
    EXPECT_EQ(splitLines(dir.read("SYSTEMP.TXT")).size(), 2u);
    expectWholeLines(dir);
}

TEST(DataSafety, AClosedStandardOutputCutsNoFile)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    const std::string matrix = matrixText(randomRows(20, 20, 0.4, 8));
    ScratchDirectory piped;
    piped.write("a.txt", matrix);
    ScratchDirectory plain;
    plain.write("a.txt", matrix);
    // Both runs on a clock that stands still (faketime -f), so that the
    // dialogue's seed from the clock is the same however long each takes
    // to start.
    const auto session = [](const ScratchDirectory& dir, const std::string& output) {
        return "export ASAN_OPTIONS=verify_asan_link_order=0 && cd '" + dir.path().string() +
               "' && printf 'N\\nY\\nN\\nY\\n40\\na.txt\\n' | TZ=UTC faketime -f '" + kStartTime + "' '" +
               BRAVOLIN_EXECUTABLE + "' " + output;
    };
    ASSERT_EQ(std::system(session(plain, "> /dev/null").c_str()), 0);
    // The reader of the console goes away after its first byte.
    ASSERT_EQ(std::system(session(piped, "| head -c 1 > /dev/null").c_str()), 0);
    for (const std::string& name : plain.files())
        EXPECT_EQ(piped.read(name), plain.read(name)) << name;
}

TEST(DataSafety, MatrixFilesEndingInCtrlZAskNothing)
{
    ScratchDirectory dir;
    dir.write("a.txt", "10\r\n01\r\n\x1a");
    dir.write("b.txt", "11\n01\n\x1a" "garbage\n");
    SessionResult result = runSession(dir, "T\nN\nN\n*.txt\nN\n");
    EXPECT_EQ(result.console.find("Type 'Y'"), std::string::npos);
    EXPECT_NE(result.console.find("File: b.txt ends at a Ctrl-Z byte; the rest of it is not read.\n"),
              std::string::npos);
    EXPECT_EQ(occurrences(result.console, "Ctrl-Z"), 1);
    EXPECT_NE(result.console.find("Obrigado"), std::string::npos);
    EXPECT_EQ(splitLines(dir.read("a.LIN")).size(), 2u);

    result = runSession(dir, "N\nN\nN\n*.txt\n");
    EXPECT_EQ(occurrences(result.console, "Ctrl-Z"), 1);
    EXPECT_EQ(splitLines(dir.read("a_row_pairwise.TXT")).size(), 2u);
}

TEST(DataSafety, FilesBeyondTheLimitAreReadAsBeforeButSaidAndCountedAsLosingLines)
{
    // A file as wide as an OTU table, and a small one with one long line.
    const Rows wide = randomRows(100, 5000, 0.5, 5);
    Rows longLine = randomRows(100, 20, 0.5, 6);
    longLine[49] = randomRows(1, 3020, 0.5, 7)[0];
    const std::string limit = "the program reads at most 3000 rows and 3000 columns";
    // What each mode reads of them, as files the same run reads whole.
    Rows wideByT = {wide[0].substr(0, 3000)};
    Rows longByT(longLine.begin(), longLine.begin() + 50);
    longByT[49].resize(20);
    Rows wideByN = wide;
    for (std::string& row : wideByN)
        row.resize(3000);
    Rows longByN = longLine;
    longByN[49].resize(20);
    struct Mode {
        std::vector<std::string> options;
        Rows wideRead, longRead;
        std::vector<std::string> messages;
    };
    const Mode modes[] = {
        {{"-m", "T", "--no-print"}, wideByT, longByT,
         {"File: wide.txt: line 1 has 5000 cells; " + limit + ", so the reading stopped at column 3000 of line 1, "
          "and its last 2000 cells and the 99 rows after it are not read.\n",
          "File: long.txt: line 50 has 3020 cells; " + limit + ", so the reading stopped at column 3000 of line "
          "50, and its last 20 cells and the 50 rows after it are not read.\n"}},
        {{"-m", "N", "--no-order"}, wideByN, longByN,
         {"File: wide.txt: line 1 and 99 more lines have more than 3000 cells; " + limit + ", so their 200000 "
          "cells after column 3000 are not read.\n",
          "File: long.txt: line 50 has 3020 cells; " + limit + ", so its last 20 cells are not read.\n"}},
    };
    for (const Mode& mode : modes) {
        ScratchDirectory beyond, within;
        beyond.write("wide.txt", matrixText(wide));
        beyond.write("long.txt", matrixText(longLine));
        within.write("wide.txt", matrixText(mode.wideRead));
        within.write("long.txt", matrixText(mode.longRead));
        std::vector<std::string> arguments = mode.options;
        arguments.insert(arguments.end(), {"--no-null", "wide.txt", "long.txt"});
        const SessionResult result = runCommand(beyond, arguments);
        EXPECT_EQ(result.exitCode, 1);
        for (const std::string& message : mode.messages)
            EXPECT_EQ(occurrences(result.console, message), 1) << message;
        EXPECT_NE(result.console.find("Files: 2 analysed, 0 skipped, 2 with lost lines"), std::string::npos);
        ASSERT_EQ(runCommand(within, arguments).exitCode, 0);
        ASSERT_EQ(beyond.files(), within.files());
        for (const std::string& name : within.files()) {
            if (name != "wide.txt" && name != "long.txt") {
                EXPECT_EQ(beyond.read(name), within.read(name)) << name;
            }
        }
    }
}
