// An output session on the machine's own file system, as a program run
// has one, for the tests of the output and report layers.
#ifndef BRAVOLIN_TESTS_SUPPORT_DISK_SESSION_H
#define BRAVOLIN_TESTS_SUPPORT_DISK_SESSION_H

#include "console/output/output_session.h"
#include "console/system/file_system.h"

struct DiskSession {
    FileSystem files;
    OutputSession output{files, ConsoleStyle{}};
};

#endif
