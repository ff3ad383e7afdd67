// What the program needs from the operating system beyond standard C++:
// standard streams, interrupts, the console, files and their locks, file
// names, processors and memory. Everything specific to one system lives in
// platform.cpp, behind these few calls.
//
// File names are UTF-8 throughout the program; on Windows they are turned
// into UTF-16 here, where files are opened and the console is written, so
// that a name with accents is listed, opened and shown alike.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_PLATFORM_H
#define BRAVOLIN_CONSOLE_SYSTEM_PLATFORM_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Opens the null device in place of each standard stream (input, output,
// error) that is closed when the program starts: otherwise the first file
// the program opens would take the number of standard output and receive
// the console's text.
void protectStandardStreams();

// Under an address-space limit (ulimit -v), makes the threads share the
// allocator's memory: glibc's malloc otherwise reserves 64 MB of address
// space for each of its per-thread arenas, which the limit counts as used.
void fitAllocatorToAddressSpaceLimit();

// What an interrupt that ends the program at once must finish first: the
// output of the program run, whose open lines it ends.
class InterruptedOutput {
public:
    virtual void finishAtOnce() = 0;

protected:
    ~InterruptedOutput() = default;
};

// Catches the interrupts that ask the program to stop (Ctrl-C, a
// termination request, a closed terminal) and lets writes to a closed
// standard output fail instead of ending the program. A signal that was
// ignored when the program started (SIGHUP under nohup, SIGINT in a
// background job) stays ignored. On POSIX systems an interrupt is kept for
// the program to act on (caughtInterrupt). On Windows the console's own
// handler runs on a thread of its own, and a closed console window ends the
// process a few seconds later whatever it does, so there the output given
// to finishOnInterrupt is finished right away, and the program ended.
void installInterruptHandlers();

// The output an interrupt that ends the program at once finishes first,
// from now on; none: nothing to finish.
void finishOnInterrupt(InterruptedOutput* output);

// The interrupt caught and not yet acted on, or 0.
int caughtInterrupt();

// Set once an interrupt has been caught, for the simulations under way to
// give up: it is read on any thread.
const std::atomic<bool>& interruptRequested();

// While set, an interrupt ends the program at once instead of being kept
// for the program to act on: it waits for the user and nothing is half
// written.
void setInterruptsEndAtOnce(bool atOnce);
bool interruptsEndAtOnce();

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

// An open file of the system: a descriptor, or a Windows handle. A text
// file is written on Windows with CR LF line ends, as text files are there.
struct SystemFile {
    std::intptr_t handle = -1;
    bool text = false;
};

// Opens the file of that UTF-8 name for appending text, creating it when
// missing, and tells whether its last byte is something other than a line
// end (a line that an earlier run, killed or stopped by a full disk, left
// unfinished). False when it cannot be opened.
bool openForAppending(const char* name, SystemFile* file, bool* lastLineOpen);

// Creates the file of that UTF-8 name, for text or for bytes written as
// they are, only if nothing has that name yet (O_EXCL, CREATE_NEW): an
// existing file, or a symbolic link wherever it points, is never opened.
enum class FileCreation {
    Created,
    NameTaken,         // something has that name
    PermissionDenied,  // the folder may not be written
    ReadOnly,          // a read-only file system, a write-protected disk
    DiskFull,          // no room, or the quota is used up
    Failed,            // any other reason
};
FileCreation createNewFile(const char* name, bool text, SystemFile* file);

// Writes size bytes to the file with one write of the system (a file opened
// for appending takes them at its end). False when not every byte could be
// written.
bool writeSystemFile(SystemFile file, const char* data, std::size_t size);

// Closes the file; false when the system reports that what was written is
// lost.
bool closeSystemFile(SystemFile file);

// The lock file of a folder, and its exclusive advisory lock (flock on
// POSIX systems, LockFileEx on Windows), which the system releases when the
// process ends, however it ends.
enum class LockFileOpening {
    Opened,
    TryAgain,     // the file is being removed by the run that held it
    Unavailable,  // it cannot be created (a read-only folder)
};
LockFileOpening openLockFile(const char* name, SystemFile* file);

enum class Locking {
    Taken,
    HeldByAnother,  // only when not waiting
    Unavailable,    // the file system has no locks
};
Locking lockSystemFile(SystemFile file, bool wait);

// Whether name still names the open file: the run that held the lock may
// have removed the file before this run's lock was granted.
bool stillNamesFile(SystemFile file, const char* name);

// Removes the locked file named name, then closes it, which releases the
// lock: a run waiting for it then finds that the name no longer names it.
void removeLockFile(SystemFile file, const char* name);

// The program's arguments in UTF-8 (on Windows read from the wide command
// line, whatever the code page).
std::vector<std::string> commandLineArguments(int argc, char* argv[]);

// This process's number, for names that must not clash with another run's.
unsigned long processNumber();

// Makes folder (a UTF-8 name) the current directory. Returns what is wrong
// when it cannot ("there is no such folder", "it is not a folder",
// "permission denied", "it cannot be listed"), or an empty text.
std::string enterFolder(const std::string& folder);

#endif
