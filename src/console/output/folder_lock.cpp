// Taking and releasing the folder lock.
#include "console/output/folder_lock.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "console/output/output_file.h"
#include "console/output/output_session.h"
#include "console/system/console.h"
#include "console/system/waiting_for_user.h"

namespace {

constexpr const char* kFolderLockName = "BRAVOLIN.lock";

// How long to wait for a lock file that the run that held it is removing
// (only Windows refuses to open such a file) before going on without it.
constexpr int kRemovalWaits = 500;
constexpr std::chrono::milliseconds kRemovalWait{10};

}  // namespace

void FolderLock::take()
{
    if (held_)
        return;
    FileSystem& files = session_.files();
    bool announced = false;
    for (int removalWaits = 0;;) {
        SystemFile file;
        const LockFileOpening opening = files.openLockFile(kFolderLockName, &file);
        if (opening == LockFileOpening::TryAgain && ++removalWaits < kRemovalWaits) {
            WaitingForUser waiting;
            std::this_thread::sleep_for(kRemovalWait);
            continue;
        }
        if (opening != LockFileOpening::Opened)
            return;
        Locking locking = files.lockFile(file, false);
        if (locking == Locking::HeldByAnother) {
            if (!announced)
                consolePrintf("Another run is writing in this folder; waiting for it to finish.\n");
            announced = true;
            std::fflush(stdout);
            WaitingForUser waiting;
            locking = files.lockFile(file, true);
        }
        if (locking != Locking::Taken) {
            files.close(file);
            return;
        }
        // The run that held the lock removes the file before releasing it:
        // a lock granted on a removed file locks nothing.
        if (files.stillNamesFile(file, kFolderLockName)) {
            file_ = file;
            held_ = true;
            removeTemporaryFilesLeftBehind(session_);
            return;
        }
        files.close(file);
    }
}

void FolderLock::release()
{
    if (!held_)
        return;
    session_.files().removeLockFile(file_, kFolderLockName);
    held_ = false;
}
