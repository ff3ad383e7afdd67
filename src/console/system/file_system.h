// The file system every disk access of the program goes through: reading a
// matrix file, listing the working folder, the folder's lock, and every
// write of an output file. The program runs on the system's (this class as
// it is); a test puts a stand-in in its place, to make writes fail as on a
// disk that fills up, or to hold a whole folder in memory.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_FILE_SYSTEM_H
#define BRAVOLIN_CONSOLE_SYSTEM_FILE_SYSTEM_H

#include <cstddef>
#include <string>
#include <vector>

#include "console/system/platform.h"

// An entry of a folder, as its listing gives it.
struct FolderEntry {
    std::string name;          // UTF-8
    bool regularFile = false;  // a regular file, or a link to one
    bool folder = false;       // a folder itself, not a link to one
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file of that UTF-8 name into bytes; false when it
    // cannot be opened or read.
    virtual bool readFile(const std::string& name, std::string* bytes);
    // Whether the file of that name can be opened for reading.
    virtual bool canOpen(const std::string& name);
    // The entries of the current folder, in no particular order, without
    // "." and ".."; those listed before a failure, none when it cannot be
    // listed.
    virtual std::vector<FolderEntry> listCurrentFolder();
    // The current folder's name, for messages.
    virtual std::string currentFolder();
    // Makes folder the current one; what is wrong when it cannot, as
    // enterFolder of platform.h says it, or an empty text.
    virtual std::string enterFolder(const std::string& folder);

    // The output files, as platform.h describes these calls.
    virtual bool openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen);
    virtual FileCreation createNew(const std::string& name, bool text, SystemFile* file);
    virtual bool write(SystemFile file, const char* data, std::size_t size);
    virtual bool close(SystemFile file);
    // Puts from in place of to in one step (on Windows as elsewhere), so
    // that to always holds either its old or its new content.
    virtual bool rename(const std::string& from, const std::string& to);
    virtual void remove(const std::string& name);

    // The folder's lock file and its lock, as platform.h describes them.
    virtual LockFileOpening openLockFile(const std::string& name, SystemFile* file);
    virtual Locking lockFile(SystemFile file, bool wait);
    virtual bool stillNamesFile(SystemFile file, const std::string& name);
    virtual void removeLockFile(SystemFile file, const std::string& name);
};

#endif
