// The in-process lock of the output files. Every open, write, flush and
// close of an output file takes it, so that the writes it covers reach
// their files together or not at all when the program is interrupted (on
// Windows the console's handler ends the open lines from a thread of its
// own). Not to be confused with the folder lock, which keeps another run
// out of the folder.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_LOCK_H
#define BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_LOCK_H

// For as long as it lives, no other thread writes any output file.
class OutputLock {
public:
    OutputLock();
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

    // For an interrupt that ends the program: takes the lock and never
    // gives it back, so that no other thread writes again.
    static void holdUntilTheEnd();
};

#endif
