// The in-process lock of a run's output files (see output_session.h). Not
// to be confused with the folder lock, which keeps another run out of the
// folder.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_LOCK_H
#define BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_LOCK_H

class OutputSession;

// For as long as it lives, no other thread writes any output file of the
// session.
class OutputLock {
public:
    explicit OutputLock(OutputSession& session);
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

    // For an interrupt that ends the program: takes the lock and never
    // gives it back, so that no other thread writes again.
    static void holdUntilTheEnd(OutputSession& session);

private:
    OutputSession& session_;
};

#endif
