// Starting the worker threads of the null models.
#include <system_error>

#include "bravolin/threads.h"

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

}  // namespace bravolin
