// Acting on interrupts at the points where every file holds whole lines.
#include "console/driver/interrupts.h"

#include "console/output/output_session.h"
#include "console/system/platform.h"

void stopIfInterrupted(OutputSession& output)
{
    const int interrupt = caughtInterrupt();
    if (interrupt == 0)
        return;
    output.finishAtOnce();
    endByInterrupt(interrupt);
}

FinishedOnInterrupt::FinishedOnInterrupt(OutputSession& output)
{
    installInterruptHandlers();
    finishOnInterrupt(&output);
}

FinishedOnInterrupt::~FinishedOnInterrupt()
{
    finishOnInterrupt(nullptr);
}
