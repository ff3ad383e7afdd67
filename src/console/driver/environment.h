// What a program run takes from the machine besides its folder: the file
// system every disk access goes through, how its worker threads start, and
// the memory it may plan to use. main passes the machine's own; tests pass
// stand-ins that fail as a full disk or an exhausted machine does, or hold
// a folder in memory.
#ifndef BRAVOLIN_CONSOLE_DRIVER_ENVIRONMENT_H
#define BRAVOLIN_CONSOLE_DRIVER_ENVIRONMENT_H

#include "bravolin/threads.h"
#include "console/system/file_system.h"

struct ProgramEnvironment {
    FileSystem* files = nullptr;  // none: the system's
    bravolin::ThreadStarter* threads = nullptr;  // none: std::thread
    unsigned long long memoryBudget = 0;
};

inline ProgramEnvironment machineEnvironment()
{
    ProgramEnvironment environment;
    environment.memoryBudget = bravolin::memoryBudgetBytes();
    return environment;
}

#endif
