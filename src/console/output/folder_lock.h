// One run per folder at a time. A batch writes its files while it holds
// the lock of its folder, the file BRAVOLIN.lock there, so that two runs in
// one folder never mix their lines: the second waits until the first has
// ended its batch. The lock is advisory and released by the system however
// the holder ends; the file is removed when the batch ends.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_FOLDER_LOCK_H
#define BRAVOLIN_CONSOLE_OUTPUT_FOLDER_LOCK_H

#include "console/system/platform.h"

constexpr const char* kFolderLockName = "BRAVOLIN.lock";

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of the current folder. While another run holds it,
    // says so once and waits, however long; an interrupt then ends the
    // program at once. Where the lock file cannot be created or locked (a
    // read-only folder, a file system without locks) the run goes on
    // without it. Once it holds the lock, it removes the temporary files
    // that a killed run left in the folder: no other run is writing there.
    void take();
    // Removes the lock file and releases the lock, if taken.
    void release();

private:
    bool held_ = false;
    SystemFile file_;
};

// For an interrupt that ends the program: releases the lock that a batch
// holds, if any, removing its file.
void releaseFolderLockAtExit();

#endif
