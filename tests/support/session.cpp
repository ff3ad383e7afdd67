// Running the built program for end-to-end tests.
#include "support/session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "console/driver/main_loop.h"

namespace {

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (char c : text) {
        if (c == '\'')
            result += "'\\''";
        else
            result += c;
    }
    return result + "'";
}

// The shell command that runs the program in dir, its standard input and
// output redirected to files beside the folder. It ends with exec, so that
// the program itself takes the shell's process (faketime execs it in turn).
std::string commandLine(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                        const SessionOptions& options)
{
    const auto stdinPath = dir.outside() / "stdin.txt";
    const auto stdoutPath = dir.outside() / "stdout.txt";
    std::string prefix;
    if (haveFaketime() && !options.real)
        prefix = options.startTime.empty() ? "faketime -f '+0 x50' "
                 : options.frozen          ? "faketime '" + options.startTime + "' "
                                         : "faketime -f '@" + options.startTime + "' ";
    std::string command = "export ASAN_OPTIONS=verify_asan_link_order=0 TZ=UTC && cd " +
                          quoted(dir.path().string()) + (options.hangupIgnored ? " && trap '' HUP" : "") +
                          " && exec " + prefix + quoted(BRAVOLIN_EXECUTABLE);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    return command + " < " + quoted(stdinPath.string()) +
           (options.closedOutput ? std::string(" >&-") : " > " + quoted(stdoutPath.string())) + " 2> " +
           quoted((dir.outside() / "stderr.txt").string());
}

pid_t startCommand(const std::string& command)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

}  // namespace

bool haveCommand(const std::string& name)
{
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

int runShell(const ScratchDirectory& dir, const std::string& command)
{
    return std::system(("cd " + quoted(dir.path().string()) + " && " + command + " > ../shell.txt 2>&1").c_str());
}

bool haveFaketime()
{
    static const bool available = std::system("command -v faketime > /dev/null 2>&1") == 0;
    return available;
}

RunningSession startSession(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                            const std::string& input, const SessionOptions& options)
{
    // Nothing of an earlier session's console may pass for this one's.
    std::filesystem::remove(dir.outside() / "stdin.txt");
    std::filesystem::remove(dir.outside() / "stdout.txt");
    {
        std::ofstream in(dir.outside() / "stdin.txt", std::ios::binary);
        in << input;
    }
    return {startCommand(commandLine(dir, arguments, options)), dir.outside() / "stdout.txt",
            dir.outside() / "stderr.txt"};
}

RunningSession startSessionWaitingForInput(const ScratchDirectory& dir,
                                           const std::vector<std::string>& arguments,
                                           const std::string& input, int* inputPipe)
{
    const auto fifo = dir.outside() / "stdin.txt";
    std::filesystem::remove(fifo);
    mkfifo(fifo.c_str(), 0600);
    SessionOptions realClock;
    realClock.real = true;
    RunningSession session{startCommand(commandLine(dir, arguments, realClock)),
                           dir.outside() / "stdout.txt", dir.outside() / "stderr.txt"};
    *inputPipe = open(fifo.c_str(), O_WRONLY);
    if (!input.empty() && write(*inputPipe, input.data(), input.size()) < 0)
        closeInput(*inputPipe);
    return session;
}

void closeInput(int inputPipe)
{
    close(inputPipe);
}

std::string consoleSoFar(const RunningSession& session)
{
    return readFile(session.stdoutPath);
}

SessionResult finishSession(const RunningSession& session)
{
    int status = 0;
    waitpid(session.pid, &status, 0);
    SessionResult result{-1, readFile(session.stdoutPath), 0, readFile(session.stderrPath)};
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
        result.exitCode = 128 + result.signal;
    }
    return result;
}

SessionResult runCommand(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                         const std::string& input, const SessionOptions& options)
{
    return finishSession(startSession(dir, arguments, input, options));
}

SessionResult runInProcess(const ScratchDirectory& dir, const std::vector<std::string>& arguments,
                           const ProgramEnvironment& environment)
{
    dir.enter();
    std::vector<std::string> words = {"bravolin"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& word : words)
        pointers.push_back(&word[0]);
    pointers.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exitCode = runProgram(static_cast<int>(words.size()), pointers.data(), environment);
    const std::string errors = testing::internal::GetCapturedStderr();
    return {exitCode, testing::internal::GetCapturedStdout(), 0, errors};
}

SessionResult runSession(const ScratchDirectory& dir, const std::string& input,
                         const SessionOptions& options)
{
    return runCommand(dir, {}, input, options);
}

int occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        count++;
    return count;
}

unsigned seedForStartTime(const std::string& startTime)
{
    std::tm parts = {};
    int filled = std::sscanf(startTime.c_str(), "%d-%d-%d %d:%d:%d", &parts.tm_year, &parts.tm_mon,
                             &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec);
    if (filled != 6)
        return 0;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    return static_cast<unsigned>(timegm(&parts));
}

std::string withoutProgressLines(const std::string& console)
{
    std::string kept;
    std::size_t pieceStart = 0;
    for (char c : console) {
        if (c == '\r') {
            kept.resize(pieceStart);
            continue;
        }
        kept += c;
        if (c == '\n')
            pieceStart = kept.size();
    }
    return kept;
}
