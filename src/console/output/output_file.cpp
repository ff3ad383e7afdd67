// Checked output files and whole-file writes.
#include "console/output/output_file.h"

#include <atomic>
#include <cstdarg>
#include <filesystem>
#include <set>

#include "console/output/file_system.h"
#include "console/output/output_failures.h"
#include "console/output/output_lock.h"

namespace {

// Lines are handed to the system in blocks of about this size; the rest
// waits for flush or close.
constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

// The output files open now, for the interrupt that ends the program.
std::set<OutputFile*> openFiles;

// The replacing files not yet committed, for the interrupt that ends the
// program.
std::set<ReplacingFile*> uncommittedFiles;

// Numbers the temporary files of this process's whole-file writes.
std::atomic<unsigned> temporaryFiles{0};

// The temporary name of a whole-file write of name: in its folder, with its
// extension (so that the batch list, which skips pictures and pages, skips
// a temporary file left behind as well), and never long.
std::filesystem::path temporaryNameFor(const std::filesystem::path& name)
{
    const std::string own = ".bravolin-" + std::to_string(processNumber()) + "-" +
                            std::to_string(temporaryFiles.fetch_add(1)) + name.extension().u8string();
    return name.parent_path() / std::filesystem::u8path(own);
}

}  // namespace

void OutputFile::open(const std::string& name)
{
    open(name, name);
}

void OutputFile::open(const std::string& name, const std::string& nameInMessages)
{
    OutputLock lock;
    close();
    name_ = name;
    nameInMessages_ = nameInMessages;
    failed_ = false;
    bool lastLineOpen = false;
    if (!outputFileSystem().openForAppending(name_, &file_, &lastLineOpen)) {
        failed_ = true;
        noteIncompleteOutput(nameInMessages_);
        return;
    }
    open_ = true;
    openFiles.insert(this);
    if (lastLineOpen)
        write("\n", 1);
}

void OutputFile::fail()
{
    outputFileSystem().close(file_);
    open_ = false;
    failed_ = true;
    pending_.clear();
    openFiles.erase(this);
    noteIncompleteOutput(nameInMessages_);
}

void OutputFile::writeOut(std::size_t size)
{
    if (size == 0)
        return;
    if (!outputFileSystem().write(file_, pending_.data(), size)) {
        fail();
        return;
    }
    pending_.erase(0, size);
}

void OutputFile::write(const char* data, std::size_t size)
{
    OutputLock lock;
    if (!open_)
        return;
    pending_.append(data, size);
    if (pending_.size() >= kOutputBlock)
        writeOut(pending_.rfind('\n') + 1);
}

void OutputFile::print(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    write(vformatText(format, arguments));
    va_end(arguments);
}

void OutputFile::flush()
{
    OutputLock lock;
    if (open_)
        writeOut(pending_.rfind('\n') + 1);
}

bool OutputFile::close()
{
    OutputLock lock;
    if (!open_)
        return !failed_;
    writeOut(pending_.size());
    if (!open_)
        return false;
    open_ = false;
    openFiles.erase(this);
    if (!outputFileSystem().close(file_)) {
        failed_ = true;
        noteIncompleteOutput(nameInMessages_);
    }
    return !failed_;
}

void appendToFile(const std::string& name, const std::string& text)
{
    OutputFile file(name);
    file.write(text);
}

bool writeWholeFile(const std::string& name, const std::string& content)
{
    OutputLock lock;
    OutputFileSystem& files = outputFileSystem();
    const std::string temporary = temporaryNameFor(std::filesystem::u8path(name)).u8string();
    SystemFile file;
    bool written = false;
    if (files.create(temporary, &file)) {
        written = files.write(file, content.data(), content.size());
        written = files.close(file) && written;
        written = written && files.rename(temporary, name);
    }
    if (!written) {
        files.remove(temporary);
        noteIncompleteOutput(name);
    }
    return written;
}

ReplacingFile::ReplacingFile(const std::string& name)
    : name_(name), temporary_(temporaryNameFor(std::filesystem::u8path(name)).u8string())
{
    OutputLock lock;
    file_.open(temporary_, name_);
    uncommittedFiles.insert(this);
}

void ReplacingFile::commit()
{
    OutputLock lock;
    if (committed_)
        return;
    committed_ = true;
    uncommittedFiles.erase(this);
    const bool written = file_.close();
    if (written && outputFileSystem().rename(temporary_, name_))
        return;
    outputFileSystem().remove(temporary_);
    if (written)
        noteIncompleteOutput(name_);
}

void flushOpenOutputFiles()
{
    OutputLock lock;
    for (OutputFile* file : openFiles)
        file->flush();
}

void commitReplacingFiles()
{
    OutputLock lock;
    while (!uncommittedFiles.empty())
        (*uncommittedFiles.begin())->commit();
}
