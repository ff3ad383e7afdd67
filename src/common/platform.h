// What the program needs from the operating system beyond standard C++:
// interrupts, the console, file names, processors and memory. Everything
// specific to one system lives in platform.cpp, behind these few calls.
//
// File names are UTF-8 throughout the program; on Windows they are turned
// into UTF-16 here, where files are opened and the console is written, so
// that a name with accents is listed, opened and shown alike.
#ifndef BRAVOLIN_COMMON_PLATFORM_H
#define BRAVOLIN_COMMON_PLATFORM_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// Catches the interrupts that ask the program to stop (Ctrl-C, a
// termination request, a closed terminal) and lets writes to a closed
// standard output fail instead of ending the program. On POSIX systems an
// interrupt is kept for the program to act on (caughtInterrupt). On Windows
// the console's own handler runs on a thread of its own, and a closed
// console window ends the process a few seconds later whatever it does, so
// there finishAtOnce is called right away; it ends the open lines and the
// program.
void installInterruptHandlers(void (*finishAtOnce)());

// The interrupt caught and not yet acted on, or 0.
int caughtInterrupt();

// While set, an interrupt ends the program at once instead of being kept
// for the program to act on: it waits for the user and nothing is half
// written.
void setInterruptsEndAtOnce(bool atOnce);

// Ends the program as the interrupt itself would have, so that a calling
// shell sees it (exit status 128 + the signal number on POSIX systems).
[[noreturn]] void endByInterrupt(int interrupt);

// Ends the program at once, from any thread, for an interrupt that
// finishAtOnce has acted on.
[[noreturn]] void endAtOnceByInterrupt();

// Whether standard output is a terminal rather than a file or a pipe.
bool standardOutputIsTerminal();

// Writes length bytes of UTF-8 text to standard output; on a Windows
// console through the wide-character console call, so that names show as
// they are.
void writeConsole(const char* text, std::size_t length);

// Opens the file of that UTF-8 name as std::fopen does.
std::FILE* openFile(const char* name, const char* mode);

// The program's arguments in UTF-8 (on Windows read from the wide command
// line, whatever the code page).
std::vector<std::string> commandLineArguments(int argc, char* argv[]);

// The processors this process may run on (its affinity), at least 1.
int usableProcessorCount();

// The machine's physical memory in bytes; a large number when unknown.
unsigned long long physicalMemoryBytes();

// Makes folder (a UTF-8 name) the current directory; false when it cannot.
bool enterFolder(const std::string& folder);

#endif
