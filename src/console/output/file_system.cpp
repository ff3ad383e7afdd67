// The system's file operations for the output files.
#include "console/output/file_system.h"

#include <filesystem>
#include <system_error>

#include "console/output/output_lock.h"

namespace {

// The program run's file system: set once at its start, read by every
// output file of any thread.
OutputFileSystem systemFiles;
OutputFileSystem* filesInUse = &systemFiles;

}  // namespace

bool OutputFileSystem::openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen)
{
    return ::openForAppending(name.c_str(), file, lastLineOpen);
}

FileCreation OutputFileSystem::createNew(const std::string& name, bool text, SystemFile* file)
{
    return createNewFile(name.c_str(), text, file);
}

bool OutputFileSystem::write(SystemFile file, const char* data, std::size_t size)
{
    return writeSystemFile(file, data, size);
}

bool OutputFileSystem::close(SystemFile file)
{
    return closeSystemFile(file);
}

bool OutputFileSystem::rename(const std::string& from, const std::string& to)
{
    // The rename replaces an existing file in one step, on Windows as
    // elsewhere, so the target always holds either the old or the new
    // content.
    std::error_code error;
    std::filesystem::rename(std::filesystem::u8path(from), std::filesystem::u8path(to), error);
    return !error;
}

void OutputFileSystem::remove(const std::string& name)
{
    std::error_code error;
    std::filesystem::remove(std::filesystem::u8path(name), error);
}

OutputFileSystem& outputFileSystem()
{
    OutputLock lock;
    return *filesInUse;
}

void writeOutputThrough(OutputFileSystem* files)
{
    OutputLock lock;
    filesInUse = files != nullptr ? files : &systemFiles;
}
