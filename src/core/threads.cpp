// Starting the worker threads of the null models, and how many. The
// processors a process may use and the memory it may plan for are the
// library's only questions to the operating system.
#include <algorithm>
#include <fstream>
#include <system_error>

#include "bravolin/threads.h"

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX  // std::min, not the header's macro
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#if defined(__linux__)
#include <sched.h>
#endif
#endif

namespace bravolin {

#if defined(__linux__)
namespace {

// The memory limit of the process's control group (v2, then v1); none when
// unlimited or unknown.
unsigned long long controlGroupLimit()
{
    for (const char* path : {"/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory/memory.limit_in_bytes"}) {
        std::ifstream file(path);
        unsigned long long limit = 0;
        if (file >> limit)
            return limit;
    }
    return ~0ULL;
}

// The address space the process uses now.
unsigned long long addressSpaceInUse()
{
    std::ifstream file("/proc/self/statm");
    unsigned long long pages = 0;
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (file >> pages && pageSize > 0)
        return pages * static_cast<unsigned long long>(pageSize);
    return 0;
}

}  // namespace
#endif

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

unsigned long long memoryBudgetBytes()
{
    unsigned long long budget = ~0ULL;
#if defined(_WIN32)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status))
        budget = status.ullTotalPhys / 2;
#else
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        budget = static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize) / 2;
#endif
#if defined(__linux__)
    budget = std::min(budget, controlGroupLimit());
#endif
    struct rlimit addressSpace;
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY) {
        const unsigned long long limit = static_cast<unsigned long long>(addressSpace.rlim_cur);
        unsigned long long inUse = 0;
#if defined(__linux__)
        inUse = addressSpaceInUse();
#endif
        budget = std::min(budget, limit > inUse ? limit - inUse : 0);
    }
#endif
    return budget;
}

unsigned long long threadStackBytes()
{
#if defined(_WIN32)
    return 1ULL << 20;  // the reserve a program's threads get by default
#else
    // Threads take the soft stack limit, or 8 MB when it is unlimited.
    struct rlimit stack;
    if (getrlimit(RLIMIT_STACK, &stack) == 0 && stack.rlim_cur != RLIM_INFINITY)
        return static_cast<unsigned long long>(stack.rlim_cur);
    return 8ULL << 20;
#endif
}

}  // namespace bravolin
