// One run per folder at a time. A batch writes its files while it holds
// the lock of its folder, the file BRAVOLIN.lock there, so that two runs in
// one folder never mix their lines: the second waits until the first has
// ended its batch. The lock is advisory and released by the system however
// the holder ends; the file is removed when the batch ends.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_FOLDER_LOCK_H
#define BRAVOLIN_CONSOLE_OUTPUT_FOLDER_LOCK_H

#include "console/system/platform.h"

class OutputSession;

// The lock of the current folder, as the output session of a run holds it
// (through the session's file system).
class FolderLock {
public:
    explicit FolderLock(OutputSession& session) : session_(session) {}
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock. While another run holds it, says so once and waits,
    // however long; an interrupt then ends the program at once. Where the
    // lock file cannot be created or locked (a read-only folder, a file
    // system without locks) the run goes on without it. Once it holds the
    // lock, it removes the temporary files that a killed run left in the
    // folder: no other run is writing there.
    void take();
    // Removes the lock file and releases the lock, if taken.
    void release();

private:
    OutputSession& session_;
    bool held_ = false;
    SystemFile file_;
};

// The folder's lock held for as long as this lives, or until released.
class HeldFolderLock {
public:
    explicit HeldFolderLock(FolderLock& lock) : lock_(lock) { lock_.take(); }
    ~HeldFolderLock() { lock_.release(); }
    HeldFolderLock(const HeldFolderLock&) = delete;
    HeldFolderLock& operator=(const HeldFolderLock&) = delete;
    void release() { lock_.release(); }

private:
    FolderLock& lock_;
};

#endif
