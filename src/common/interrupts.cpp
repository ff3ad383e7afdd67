// Acting on interrupts at the points where every file holds whole lines.
#include "common/interrupts.h"

#include <string>

#include "common/console.h"
#include "common/folder_lock.h"
#include "common/output_file.h"
#include "common/platform.h"
#include "common/shared_state.h"

namespace {

bool waitingForUser;

}  // namespace

WaitingForUser::WaitingForUser() : wasWaiting_(waitingForUser)
{
    waitingForUser = true;
    setInterruptsEndAtOnce(true);
}

WaitingForUser::~WaitingForUser()
{
    waitingForUser = wasWaiting_;
    setInterruptsEndAtOnce(wasWaiting_);
}

void finishInterruptedAtOnce()
{
    const bool cutShort = summaryLineIsOpen();
    flushOutputsForInterrupt();
    releaseFolderLockAtExit();
    if (cutShort) {
        const std::string message =
            std::string("\nFile: ") + currentFileName + " was interrupted! Its results are incomplete.\n";
        writeConsole(message.data(), message.size());
    }
}

void stopIfInterrupted()
{
    const int interrupt = caughtInterrupt();
    if (interrupt == 0)
        return;
    const bool cutShort = summaryLineIsOpen();
    flushOutputsForInterrupt();
    releaseFolderLockAtExit();
    if (cutShort)
        consolePrintf("\nFile: %s was interrupted! Its results are incomplete.\n", currentFileName);
    endByInterrupt(interrupt);
}
