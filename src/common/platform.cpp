// The operating-system specific parts of the program.
#include "common/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <thread>

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

extern "C" void onInterrupt(int signal)
{
    if (endAtOnce) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caughtSignal = signal;
}

}  // namespace

void installInterruptHandlers()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if defined(SIGHUP)
    std::signal(SIGHUP, onInterrupt);
#endif
#if defined(SIGPIPE)
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

bool standardOutputIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

bool enterFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(std::filesystem::u8path(folder), error);
    return !error;
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
