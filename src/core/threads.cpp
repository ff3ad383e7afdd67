// Starting the worker threads of the null models, and how many. The
// processors a process may use are the library's one question to the
// operating system.
#include <algorithm>
#include <system_error>

#include "bravolin/threads.h"

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX  // std::min, not the header's macro
#endif
#include <windows.h>
#elif defined(__linux__)
#include <sched.h>
#endif

namespace bravolin {

bool ThreadStarter::start(std::thread& thread, std::function<void()> body)
{
    try {
        thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

int usableProcessors()
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

int defaultThreads()
{
    constexpr int kMostDefaultThreads = 64;
    return std::min(usableProcessors(), kMostDefaultThreads);
}

}  // namespace bravolin
