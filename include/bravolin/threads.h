// How the null models start their worker threads: by default as
// std::threads. A program may put its own starter in place, to count or
// limit them, or in tests to fail as a machine out of threads does. And
// how many to run: by default, and within the memory the machine gives.
#ifndef BRAVOLIN_THREADS_H
#define BRAVOLIN_THREADS_H

#include <functional>
#include <thread>

#include "bravolin/limits.h"

namespace bravolin {

class ThreadStarter {
public:
    virtual ~ThreadStarter() = default;

    // Starts body on a new thread held by thread; false, with thread left
    // as it was, when the system cannot start one (the simulations then
    // run on the threads that could be started).
    virtual bool start(std::thread& thread, std::function<void()> body);
};

// The processors this process may run on (its affinity, which a batch
// system or taskset may narrow), at least 1.
int usableProcessors();

// The threads of the null models when a user does not say: one per usable
// processor, at most 64.
int defaultThreads();

// The memory a program may plan to use: the smallest of half the physical
// memory, the memory limit of its control group (Linux) and what its
// address-space limit (ulimit -v) leaves. A large number when none is
// known.
unsigned long long memoryBudgetBytes();

// The address space a thread reserves for its stack.
unsigned long long threadStackBytes();

}  // namespace bravolin

#endif
