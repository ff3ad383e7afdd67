// How the simulations start their worker threads. The program starts them
// as std::threads; a test stands in with a starter that fails, as a
// machine out of threads or memory does.
#ifndef BRAVOLIN_COMMON_THREAD_STARTER_H
#define BRAVOLIN_COMMON_THREAD_STARTER_H

#include <functional>
#include <system_error>
#include <thread>

class ThreadStarter {
public:
    virtual ~ThreadStarter() = default;

    // Starts body on a new thread held by thread; false, with thread left
    // as it was, when the system cannot start one.
    virtual bool start(std::thread& thread, std::function<void()> body)
    {
        try {
            thread = std::thread(std::move(body));
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
};

#endif
