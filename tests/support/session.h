// End-to-end sessions: runs the built bravolin program in a scratch folder
// with answers on standard input and options on its command line, and
// returns its exit status and console text.
#ifndef BRAVOLIN_TESTS_SUPPORT_SESSION_H
#define BRAVOLIN_TESTS_SUPPORT_SESSION_H

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/driver/environment.h"
#include "support/scratch.h"

struct SessionResult {
    int exitCode;        // the exit code, or 128 + the signal that ended it
    std::string console; // standard output
    int signal = 0;      // the signal that ended the program, or 0
    std::string errors;  // standard error
};

// How a session runs: its clock, and the state it starts the program in.
struct SessionOptions {
    // Empty: the real time, sped up fifty times so that the program's
    // closing 3-second wait passes quickly. Otherwise a start time such as
    // "2026-01-01 00:00:00" from which the clock runs at normal speed, so
    // that the program's random seed is known.
    std::string startTime;
    // With a start time: the clock stands still at it (mode N never waits
    // for the clock, so its progress line then shows a known time).
    bool frozen = false;
    // The real clock, without faketime in between, so that the process
    // started is the program itself (to send it signals).
    bool real = false;
    // The program starts with its standard output closed (on the real
    // clock: faketime cannot start without it).
    bool closedOutput = false;
    // The program starts with SIGHUP ignored, as under nohup.
    bool hangupIgnored = false;
};

// Whether the faketime command is available; sessions run on the real clock
// without it, and tests that need a known seed skip.
bool haveFaketime();

// Runs the program in dir with input on its standard input.
SessionResult runSession(const ScratchDirectory& dir, const std::string& input,
                         const SessionOptions& options = {});

// Runs the program in this test process, in dir, with arguments on its
// command line and the given environment; the console and standard error
// are captured.
SessionResult runInProcess(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                           const ProgramEnvironment& environment);

// Runs the program in dir with arguments on its command line.
SessionResult runCommand(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                         const std::string& input = "", const SessionOptions& options = {});

// A program started and not yet waited for.
struct RunningSession {
    pid_t pid;
    std::filesystem::path stdoutPath;
    std::filesystem::path stderrPath;
};

// Starts the program as runCommand does, without waiting for it.
RunningSession startSession(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                            const std::string& input, const SessionOptions& options = {});

// Starts the program with a standard input that does not end: a pipe that
// receives input and then stays open, so the program waits at its next
// question until the pipe is closed (closeInput).
RunningSession startSessionWaitingForInput(const ScratchDirectory& dir,
                                           const std::vector<std::string>& arguments,
                                           const std::string& input, int* inputPipe);
void closeInput(int inputPipe);

// Reads the console text a started program has written so far.
std::string consoleSoFar(const RunningSession& session);

// Waits for a started program to end.
SessionResult finishSession(const RunningSession& session);

// The console text without its progress lines: every piece of a line that
// ends in a carriage return (and so is overwritten on a real console).
std::string withoutProgressLines(const std::string& console);

// Whether a command of that name can be run (it is on the PATH).
bool haveCommand(const std::string& name);

// Runs a shell command in dir, its standard output and error into
// shell.txt beside the folder (dir.read("../shell.txt")); returns its status.
int runShell(const ScratchDirectory& dir, const std::string& command);

// How many times part appears in text.
int occurrences(const std::string& text, const std::string& part);

// The seed the program draws from a start time given to SessionOptions.
unsigned seedForStartTime(const std::string& startTime);

#endif
