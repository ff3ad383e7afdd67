// The output of a program run. One object owns what every output file of
// the run shares: the file system they go through, the files open and the
// whole-file replacements not yet committed (for an interrupt that ends the
// program), the files that could not be written completely, the summary
// line being built, the folder's lock, and how the console looks. The
// driver creates it at the start of the run and hands it to everything
// that writes.
//
// Its lock (OutputLock) is held by every open, write, flush and close of an
// output file, so that the writes it covers reach their files together or
// not at all when the program is interrupted: on Windows the console's
// handler finishes the output from a thread of its own.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_SESSION_H
#define BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_SESSION_H

#include <mutex>
#include <set>
#include <string>

#include "console/output/folder_lock.h"
#include "console/output/summary_line.h"
#include "console/system/console.h"
#include "console/system/file_system.h"
#include "console/system/platform.h"

class OutputFile;
class ReplacingFile;

class OutputSession : public InterruptedOutput {
public:
    // files must outlive the session.
    OutputSession(FileSystem& files, const ConsoleStyle& style);
    OutputSession(const OutputSession&) = delete;
    OutputSession& operator=(const OutputSession&) = delete;

    FileSystem& files() { return files_; }
    const ConsoleStyle& style() const { return style_; }
    SummaryLine& summaryLine() { return summaryLine_; }
    FolderLock& folderLock() { return folderLock_; }

    // The files that could not be written completely: each is named on the
    // console the first time, however often it fails again.
    void noteIncomplete(const std::string& name);
    int incompleteCount();

    // The output files open now and the replacements not committed yet, as
    // they open, close and commit.
    void opened(OutputFile& file);
    void closed(OutputFile& file);
    void uncommitted(ReplacingFile& file);
    void committed(ReplacingFile& file);

    // Numbers the temporary files of the run's whole-file writes.
    unsigned nextTemporaryNumber() { return temporaryFiles_++; }

    // For an interrupt that ends the program at once, on whatever thread:
    // takes the output lock for good, so that no other thread writes again;
    // every open output file ends with a whole line, every replacement is
    // put in place with the lines written so far, the summary line left
    // open is ended and its matrix named, and the folder's lock released.
    void finishAtOnce() override;

private:
    friend class OutputLock;

    FileSystem& files_;
    const ConsoleStyle style_;
    std::recursive_mutex lock_;
    std::set<std::string> incomplete_;
    std::set<OutputFile*> openFiles_;
    std::set<ReplacingFile*> uncommittedFiles_;
    unsigned temporaryFiles_ = 0;
    SummaryLine summaryLine_;
    FolderLock folderLock_;
};

#endif
