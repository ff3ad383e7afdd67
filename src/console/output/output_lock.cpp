// The output lock.
#include "console/output/output_lock.h"

#include <mutex>

namespace {

// One lock for the output of the whole process, whichever thread writes.
std::recursive_mutex outputLock;

}  // namespace

OutputLock::OutputLock()
{
    outputLock.lock();
}

OutputLock::~OutputLock()
{
    outputLock.unlock();
}

void OutputLock::holdUntilTheEnd()
{
    outputLock.lock();
}
