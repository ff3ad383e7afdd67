// A working folder held in memory: a file system whose files are strings,
// for running the program on files that never touch the disk. It lists,
// reads, appends, creates, renames and removes as a disk does, and its
// folder lock is always free.
#ifndef BRAVOLIN_TESTS_SUPPORT_MEMORY_FOLDER_H
#define BRAVOLIN_TESTS_SUPPORT_MEMORY_FOLDER_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "console/system/file_system.h"

class MemoryFolder : public FileSystem {
public:
    // The files of the folder, by name.
    std::map<std::string, std::string> files;
    // The times the folder's lock was taken.
    int locksTaken = 0;

    bool readFile(const std::string& name, std::string* bytes) override;
    bool canOpen(const std::string& name) override;
    std::vector<FolderEntry> listCurrentFolder() override;
    std::string currentFolder() override { return "memory"; }
    std::string enterFolder(const std::string& folder) override;

    bool openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen) override;
    FileCreation createNew(const std::string& name, bool text, SystemFile* file) override;
    bool write(SystemFile file, const char* data, std::size_t size) override;
    bool close(SystemFile file) override;
    bool rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& name) override;

    LockFileOpening openLockFile(const std::string& name, SystemFile* file) override;
    Locking lockFile(SystemFile file, bool wait) override;
    bool stillNamesFile(SystemFile file, const std::string& name) override;
    void removeLockFile(SystemFile file, const std::string& name) override;

private:
    // Opens name, created empty when missing, under a handle of its own.
    SystemFile open(const std::string& name);

    std::map<std::intptr_t, std::string> open_;  // the name behind each open handle
    std::intptr_t nextHandle_ = 1;
};

#endif
