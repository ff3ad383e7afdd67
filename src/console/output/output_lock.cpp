// The output lock.
#include "console/output/output_lock.h"

#include "console/output/output_session.h"

OutputLock::OutputLock(OutputSession& session) : session_(session)
{
    session_.lock_.lock();
}

OutputLock::~OutputLock()
{
    session_.lock_.unlock();
}

void OutputLock::holdUntilTheEnd(OutputSession& session)
{
    session.lock_.lock();
}
