// The system's file operations.
#include "console/system/file_system.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool FileSystem::readFile(const std::string& name, std::string* bytes)
{
    std::FILE* file = openFile(name.c_str(), "rb");
    if (file == nullptr)
        return false;
    bytes->clear();
    char buffer[1 << 16];
    std::size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, read);
    const bool complete = std::ferror(file) == 0;
    std::fclose(file);
    return complete;
}

bool FileSystem::canOpen(const std::string& name)
{
    std::FILE* file = openFile(name.c_str(), "r");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

std::vector<FolderEntry> FileSystem::listCurrentFolder()
{
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(fs::current_path(error), error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError, typeError;
        // In UTF-8 on every system, as the program handles every name.
        entries.push_back({it->path().filename().u8string(), it->is_regular_file(kindError),
                           it->symlink_status(typeError).type() == fs::file_type::directory});
    }
    return entries;
}

std::string FileSystem::currentFolder()
{
    std::error_code error;
    return fs::current_path(error).u8string();
}

std::string FileSystem::enterFolder(const std::string& folder)
{
    return ::enterFolder(folder);
}

bool FileSystem::openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen)
{
    return ::openForAppending(name.c_str(), file, lastLineOpen);
}

FileCreation FileSystem::createNew(const std::string& name, bool text, SystemFile* file)
{
    return createNewFile(name.c_str(), text, file);
}

bool FileSystem::write(SystemFile file, const char* data, std::size_t size)
{
    return writeSystemFile(file, data, size);
}

bool FileSystem::close(SystemFile file)
{
    return closeSystemFile(file);
}

bool FileSystem::rename(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::rename(fs::u8path(from), fs::u8path(to), error);
    return !error;
}

void FileSystem::remove(const std::string& name)
{
    std::error_code error;
    fs::remove(fs::u8path(name), error);
}

LockFileOpening FileSystem::openLockFile(const std::string& name, SystemFile* file)
{
    return ::openLockFile(name.c_str(), file);
}

Locking FileSystem::lockFile(SystemFile file, bool wait)
{
    return lockSystemFile(file, wait);
}

bool FileSystem::stillNamesFile(SystemFile file, const std::string& name)
{
    return ::stillNamesFile(file, name.c_str());
}

void FileSystem::removeLockFile(SystemFile file, const std::string& name)
{
    ::removeLockFile(file, name.c_str());
}
