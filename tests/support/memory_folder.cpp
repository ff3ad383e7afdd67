// A working folder held in memory.
#include "support/memory_folder.h"

bool MemoryFolder::readFile(const std::string& name, std::string* bytes)
{
    const auto found = files.find(name);
    if (found == files.end())
        return false;
    *bytes = found->second;
    return true;
}

bool MemoryFolder::canOpen(const std::string& name)
{
    return files.count(name) > 0;
}

std::vector<FolderEntry> MemoryFolder::listCurrentFolder()
{
    std::vector<FolderEntry> entries;
    for (const auto& file : files)
        entries.push_back({file.first, true, false});
    return entries;
}

std::string MemoryFolder::enterFolder(const std::string& folder)
{
    return "there is no folder " + folder + " in memory";
}

SystemFile MemoryFolder::open(const std::string& name)
{
    files[name];
    SystemFile file;
    file.handle = nextHandle_++;
    open_[file.handle] = name;
    return file;
}

bool MemoryFolder::openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen)
{
    *file = open(name);
    const std::string& content = files[name];
    *lastLineOpen = !content.empty() && content.back() != '\n';
    return true;
}

FileCreation MemoryFolder::createNew(const std::string& name, bool /*text*/, SystemFile* file)
{
    if (files.count(name) > 0)
        return FileCreation::NameTaken;
    *file = open(name);
    return FileCreation::Created;
}

bool MemoryFolder::write(SystemFile file, const char* data, std::size_t size)
{
    files[open_.at(file.handle)].append(data, size);
    return true;
}

bool MemoryFolder::close(SystemFile file)
{
    return open_.erase(file.handle) > 0;
}

bool MemoryFolder::rename(const std::string& from, const std::string& to)
{
    const auto found = files.find(from);
    if (found == files.end())
        return false;
    std::string content = std::move(found->second);
    files.erase(found);
    files[to] = std::move(content);
    return true;
}

void MemoryFolder::remove(const std::string& name)
{
    files.erase(name);
}

LockFileOpening MemoryFolder::openLockFile(const std::string& name, SystemFile* file)
{
    *file = open(name);
    return LockFileOpening::Opened;
}

Locking MemoryFolder::lockFile(SystemFile /*file*/, bool /*wait*/)
{
    locksTaken++;
    return Locking::Taken;
}

bool MemoryFolder::stillNamesFile(SystemFile /*file*/, const std::string& name)
{
    return files.count(name) > 0;
}

void MemoryFolder::removeLockFile(SystemFile file, const std::string& name)
{
    files.erase(name);
    close(file);
}
