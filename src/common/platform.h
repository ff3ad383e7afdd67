// What the program needs from the operating system beyond standard C++:
// interrupts and whether standard output is a terminal. Everything specific
// to one system lives in platform.cpp, behind these few calls.
#ifndef BRAVOLIN_COMMON_PLATFORM_H
#define BRAVOLIN_COMMON_PLATFORM_H

#include <string>

// Catches the interrupts that ask the program to stop (Ctrl-C, a
// termination request, a closed terminal) and lets writes to a closed
// standard output fail instead of ending the program.
void installInterruptHandlers();

// The interrupt caught and not yet acted on, or 0.
int caughtInterrupt();

// While set, an interrupt ends the program at once instead of being kept
// for the program to act on: it waits for the user and nothing is half
// written.
void setInterruptsEndAtOnce(bool atOnce);

// Ends the program as the interrupt itself would have, so that a calling
// shell sees it (exit status 128 + the signal number on POSIX systems).
[[noreturn]] void endByInterrupt(int interrupt);

// Whether standard output is a terminal rather than a file or a pipe.
bool standardOutputIsTerminal();

// The processors this process may run on (its affinity), at least 1.
int usableProcessorCount();

// The machine's physical memory in bytes; a large number when unknown.
unsigned long long physicalMemoryBytes();

// Makes folder (a UTF-8 name) the current directory; false when it cannot.
bool enterFolder(const std::string& folder);

#endif
