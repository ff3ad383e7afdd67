// How the null models start their worker threads: by default as
// std::threads. A program may put its own starter in place, to count or
// limit them, or in tests to fail as a machine out of threads does.
#ifndef BRAVOLIN_THREADS_H
#define BRAVOLIN_THREADS_H

#include <functional>
#include <thread>

namespace bravolin {

class ThreadStarter {
public:
    virtual ~ThreadStarter() = default;

    // Starts body on a new thread held by thread; false, with thread left
    // as it was, when the system cannot start one (the simulations then
    // run on the threads that could be started).
    virtual bool start(std::thread& thread, std::function<void()> body);
};

}  // namespace bravolin

#endif
