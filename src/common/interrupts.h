// Stopping on an interrupt (Ctrl-C, a termination request, a closed
// terminal) without leaving a half-written line in any output file.
//
// While the program waits for the user nothing is half written, so an
// interrupt ends it at once. During an analysis the interrupt is kept until
// the current simulation (or the current matrix) is written whole; then the
// open summary line is ended, the matrix cut short is named, and the program
// ends as the interrupt would have ended it.
#ifndef BRAVOLIN_COMMON_INTERRUPTS_H
#define BRAVOLIN_COMMON_INTERRUPTS_H

// For as long as it lives, an interrupt ends the program at once.
class WaitingForUser {
public:
    WaitingForUser();
    ~WaitingForUser();
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

private:
    bool wasWaiting_;
};

// For an interrupt that must end the program at once, on whatever thread
// (on Windows, a closed console window ends the process within seconds):
// every open output file ends with a whole line and the summary line left
// open is ended; the matrix cut short is named.
void finishInterruptedAtOnce();

// If an interrupt has arrived: hands what the open files hold to the
// system, ends the summary line left open by the matrix being analysed
// (currentFileName) and names that matrix on the console, releases the
// folder lock, and ends the program by the interrupt. Otherwise returns.
void stopIfInterrupted();

#endif
