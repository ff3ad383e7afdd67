// What a program run takes from the machine besides its folder: the file
// system its output goes through, how its worker threads start, and the
// memory it may plan to use. main passes the machine's own; tests pass
// stand-ins that fail as a full disk or an exhausted machine does.
#ifndef BRAVOLIN_DRIVER_ENVIRONMENT_H
#define BRAVOLIN_DRIVER_ENVIRONMENT_H

#include "common/output_file.h"
#include "common/platform.h"
#include "common/thread_starter.h"

struct ProgramEnvironment {
    OutputFileSystem* files = nullptr;  // none: the system's
    ThreadStarter* threads = nullptr;   // none: std::thread
    unsigned long long memoryBudget = 0;
};

inline ProgramEnvironment machineEnvironment()
{
    ProgramEnvironment environment;
    environment.memoryBudget = memoryBudgetBytes();
    return environment;
}

#endif
