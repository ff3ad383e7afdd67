// The operating-system specific parts of the program.
#include "common/platform.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "common/text_encoding.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#if defined(__linux__)
#include <sched.h>
#endif
#endif

namespace {

volatile std::sig_atomic_t caughtSignal = 0;
volatile std::sig_atomic_t endAtOnce = 0;

#if defined(_WIN32)

// How a process ended by Ctrl-C reports it (STATUS_CONTROL_C_EXIT).
constexpr UINT kControlCExit = 0xC000013Au;

void (*finishInterrupted)() = nullptr;

std::wstring wide(const char* utf8)
{
    const std::u16string text = utf16FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// Runs on a thread of the console's: Ctrl-C, Ctrl-Break, the console window
// closed, the user logging off or the system shutting down.
BOOL WINAPI onConsoleControl(DWORD)
{
    if (!endAtOnce && finishInterrupted != nullptr)
        finishInterrupted();
    endAtOnceByInterrupt();
}

#else

extern "C" void onInterrupt(int signal)
{
    if (endAtOnce) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caughtSignal = signal;
}

#endif

}  // namespace

void installInterruptHandlers(void (*finishAtOnce)())
{
#if defined(_WIN32)
    finishInterrupted = finishAtOnce;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    (void)finishAtOnce;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    std::signal(SIGHUP, onInterrupt);
    // The console is not an output file: when whoever reads it goes away
    // (bravolin ... | head), writing to it fails and the analysis goes on.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

int caughtInterrupt()
{
    return caughtSignal;
}

void setInterruptsEndAtOnce(bool atOnce)
{
    endAtOnce = atOnce ? 1 : 0;
    if (atOnce && caughtSignal != 0)
        endByInterrupt(caughtSignal);
}

void endByInterrupt(int interrupt)
{
    std::fflush(stdout);
    std::signal(interrupt, SIG_DFL);
    std::raise(interrupt);
    std::_Exit(128 + interrupt);
}

void endAtOnceByInterrupt()
{
#if defined(_WIN32)
    TerminateProcess(GetCurrentProcess(), kControlCExit);
#endif
    std::_Exit(130);
}

bool standardOutputIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

void writeConsole(const char* text, std::size_t length)
{
#if defined(_WIN32)
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode;
    if (GetConsoleMode(console, &mode)) {
        // All console text comes this way, so nothing waits in stdout's
        // buffer; and an interrupt's message, written from the console's
        // own thread, must not wait for stdout's lock either.
        const std::u16string wideText = utf16FromUtf8(std::string_view(text, length));
        DWORD written;
        WriteConsoleW(console, wideText.data(), static_cast<DWORD>(wideText.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text, 1, length, stdout);
}

std::FILE* openFile(const char* name, const char* mode)
{
#if defined(_WIN32)
    return _wfopen(wide(name).c_str(), wide(mode).c_str());
#else
    return std::fopen(name, mode);
#endif
}

std::vector<std::string> commandLineArguments(int argc, char* argv[])
{
#if defined(_WIN32)
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments != nullptr) {
        std::vector<std::string> utf8;
        for (int i = 0; i < count; i++) {
            const std::wstring argument(arguments[i]);
            utf8.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
        }
        LocalFree(arguments);
        return utf8;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

int usableProcessorCount()
{
#if defined(_WIN32)
    DWORD_PTR processMask = 0, systemMask = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask) && processMask != 0) {
        int count = 0;
        for (; processMask != 0; processMask &= processMask - 1)
            count++;
        return count;
    }
#elif defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
#endif
    const unsigned processors = std::thread::hardware_concurrency();
    return processors > 0 ? static_cast<int>(processors) : 1;
}

unsigned long long physicalMemoryBytes()
{
#if defined(_WIN32)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status))
        return status.ullTotalPhys;
#elif defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize);
#endif
    return ~0ULL;
}

bool enterFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(std::filesystem::u8path(folder), error);
    return !error;
}
