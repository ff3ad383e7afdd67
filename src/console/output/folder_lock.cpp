// Taking and releasing the folder lock.
#include "console/output/folder_lock.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "console/output/output_file.h"
#include "console/system/console.h"
#include "console/system/waiting_for_user.h"

namespace {

// The lock a batch of this process holds, for the interrupt that ends the
// program in the middle of the batch; a process runs one batch at a time.
FolderLock* heldLock = nullptr;

// How long to wait for a lock file that the run that held it is removing
// (only Windows refuses to open such a file) before going on without it.
constexpr int kRemovalWaits = 500;
constexpr std::chrono::milliseconds kRemovalWait{10};

}  // namespace

void FolderLock::take()
{
    if (held_)
        return;
    bool announced = false;
    for (int removalWaits = 0;;) {
        SystemFile file;
        const LockFileOpening opening = openLockFile(kFolderLockName, &file);
        if (opening == LockFileOpening::TryAgain && ++removalWaits < kRemovalWaits) {
            WaitingForUser waiting;
            std::this_thread::sleep_for(kRemovalWait);
            continue;
        }
        if (opening != LockFileOpening::Opened)
            return;
        Locking locking = lockSystemFile(file, false);
        if (locking == Locking::HeldByAnother) {
            if (!announced)
                consolePrintf("Another run is writing in this folder; waiting for it to finish.\n");
            announced = true;
            std::fflush(stdout);
            WaitingForUser waiting;
            locking = lockSystemFile(file, true);
        }
        if (locking != Locking::Taken) {
            closeSystemFile(file);
            return;
        }
        // The run that held the lock removes the file before releasing it:
        // a lock granted on a removed file locks nothing.
        if (stillNamesFile(file, kFolderLockName)) {
            file_ = file;
            held_ = true;
            heldLock = this;
            removeTemporaryFilesLeftBehind();
            return;
        }
        closeSystemFile(file);
    }
}

void FolderLock::release()
{
    if (!held_)
        return;
    removeLockFile(file_, kFolderLockName);
    held_ = false;
    if (heldLock == this)
        heldLock = nullptr;
}

void releaseFolderLockAtExit()
{
    if (heldLock != nullptr)
        heldLock->release();
}
