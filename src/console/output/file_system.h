// The file operations the output files go through. The program writes
// through the system's (this class as it is); a test puts a stand-in in its
// place for a program run, to make writes fail as on a disk that fills up.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_FILE_SYSTEM_H
#define BRAVOLIN_CONSOLE_OUTPUT_FILE_SYSTEM_H

#include <cstddef>
#include <string>

#include "console/system/platform.h"

class OutputFileSystem {
public:
    virtual ~OutputFileSystem() = default;
    virtual bool openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen);
    virtual FileCreation createNew(const std::string& name, bool text, SystemFile* file);
    virtual bool write(SystemFile file, const char* data, std::size_t size);
    virtual bool close(SystemFile file);
    virtual bool rename(const std::string& from, const std::string& to);
    virtual void remove(const std::string& name);
};

// The file system the output goes through, and the way to change it for
// the rest of a program run (none: the system's). files must outlive the
// run.
OutputFileSystem& outputFileSystem();
void writeOutputThrough(OutputFileSystem* files);

#endif
