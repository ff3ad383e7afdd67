// Stopping on an interrupt (Ctrl-C, a termination request, a closed
// terminal) without leaving a half-written line in any output file.
//
// While the program waits for the user nothing is half written, so an
// interrupt ends it at once (WaitingForUser). During an analysis the
// interrupt is kept until every file holds whole lines: the simulations
// under way are given up and those completed written; then the open
// summary line is ended, the matrix cut short is named, and the program
// ends as the interrupt would have ended it.
#ifndef BRAVOLIN_CONSOLE_DRIVER_INTERRUPTS_H
#define BRAVOLIN_CONSOLE_DRIVER_INTERRUPTS_H

class OutputSession;

// If an interrupt has arrived: finishes the output of the session (see
// OutputSession::finishAtOnce: the batch's result tables are put in place
// with the matrices completed) and ends the program by the interrupt.
// Otherwise returns.
void stopIfInterrupted(OutputSession& output);

// While it lives, an interrupt that ends the program at once, on whatever
// thread (on Windows, a closed console window ends the process within
// seconds), finishes the session's output first.
class FinishedOnInterrupt {
public:
    explicit FinishedOnInterrupt(OutputSession& output);
    ~FinishedOnInterrupt();
    FinishedOnInterrupt(const FinishedOnInterrupt&) = delete;
    FinishedOnInterrupt& operator=(const FinishedOnInterrupt&) = delete;
};

#endif
