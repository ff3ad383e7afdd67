// Checked output files, the open summary line, and report names.
#include "common/output_file.h"

#include <atomic>
#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "common/console.h"
#include "common/platform.h"
#include "common/shared_state.h"

namespace {

// Lines are handed to the system in blocks of about this size; the rest
// waits for flush or close.
constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

// The output of the whole program is one registry, shared by every thread
// and by the interrupt that ends the program: the file system it goes
// through, the files open now, the files that failed and the summary line
// being built.
std::recursive_mutex outputLock;
OutputFileSystem systemFiles;
OutputFileSystem* fileSystem = &systemFiles;
std::set<OutputFile*> openFiles;
// Names of the files that could not be written completely in this program
// run; each is named on the console once, however often it fails again.
std::set<std::string> incompleteOutputs;
std::string summaryLine;
// Numbers the temporary files of this process's whole-file writes.
std::atomic<unsigned> temporaryFiles{0};

void reportIncomplete(const std::string& name)
{
    if (incompleteOutputs.insert(name).second)
        consolePrintf("File: %s could not be written completely! Its results are incomplete.\n",
                    name.c_str());
}

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

bool OutputFileSystem::openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen)
{
    return ::openForAppending(name.c_str(), file, lastLineOpen);
}

bool OutputFileSystem::create(const std::string& name, SystemFile* file)
{
    return createFile(name.c_str(), file);
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

void writeOutputThrough(OutputFileSystem& files)
{
    OutputBatch batch;
    fileSystem = &files;
}

OutputBatch::OutputBatch()
{
    outputLock.lock();
}

OutputBatch::~OutputBatch()
{
    outputLock.unlock();
}

void OutputFile::open(const char* name)
{
    OutputBatch batch;
    close();
    name_ = name;
    bool lastLineOpen = false;
    if (!fileSystem->openForAppending(name_, &file_, &lastLineOpen)) {
        reportIncomplete(name_);
        return;
    }
    open_ = true;
    openFiles.insert(this);
    if (lastLineOpen)
        write("\n", 1);
}

void OutputFile::fail()
{
    fileSystem->close(file_);
    open_ = false;
    pending_.clear();
    openFiles.erase(this);
    reportIncomplete(name_);
}

void OutputFile::writeOut(std::size_t size)
{
    if (size == 0)
        return;
    if (!fileSystem->write(file_, pending_.data(), size)) {
        fail();
        return;
    }
    pending_.erase(0, size);
}

void OutputFile::write(const char* data, std::size_t size)
{
    OutputBatch batch;
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
    OutputBatch batch;
    if (open_)
        writeOut(pending_.rfind('\n') + 1);
}

void OutputFile::close()
{
    OutputBatch batch;
    if (!open_)
        return;
    writeOut(pending_.size());
    if (!open_)
        return;
    open_ = false;
    openFiles.erase(this);
    if (!fileSystem->close(file_))
        reportIncomplete(name_);
}

void appendToFile(const char* name, const char* data, std::size_t size)
{
    OutputFile file(name);
    file.write(data, size);
}

void appendToFile(const char* name, const std::string& text)
{
    appendToFile(name, text.data(), text.size());
}

bool writeWholeFile(const std::string& name, const std::string& content)
{
    OutputBatch batch;
    const std::filesystem::path path = std::filesystem::u8path(name);
    const std::string temporary = temporaryNameFor(path).u8string();
    SystemFile file;
    bool written = false;
    if (fileSystem->create(temporary, &file)) {
        written = fileSystem->write(file, content.data(), content.size());
        written = fileSystem->close(file) && written;
        written = written && fileSystem->rename(temporary, name);
    }
    if (!written) {
        fileSystem->remove(temporary);
        reportIncomplete(name);
    }
    return written;
}

std::string vformatText(const char* format, std::va_list arguments)
{
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length < 0 ? 0 : static_cast<std::size_t>(length), '\0');
    std::vsnprintf(&text[0], text.size() + 1, format, arguments);
    return text;
}

std::string formatText(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = vformatText(format, arguments);
    va_end(arguments);
    return text;
}

void appendToSummary(const std::string& text)
{
    OutputBatch batch;
    summaryLine += text;
    if (summaryLine.empty() || summaryLine.back() != '\n')
        return;
    appendToFile(kSummaryFileName, summaryLine);
    summaryLine.clear();
}

bool summaryLineIsOpen()
{
    OutputBatch batch;
    return !summaryLine.empty();
}

void endOpenSummaryLine()
{
    OutputBatch batch;
    if (!summaryLine.empty())
        appendToSummary("\n");
}

void flushOutputsForInterrupt()
{
    outputLock.lock();
    for (OutputFile* file : openFiles)
        file->flush();
    endOpenSummaryLine();
}

bool anyOutputIncomplete()
{
    OutputBatch batch;
    return !incompleteOutputs.empty();
}

int incompleteOutputCount()
{
    OutputBatch batch;
    return static_cast<int>(incompleteOutputs.size());
}

void resetOutputFiles()
{
    OutputBatch batch;
    incompleteOutputs.clear();
    summaryLine.clear();
    fileSystem = &systemFiles;
}

void deriveReportName(char* destination, std::size_t size, const char* matrixFileName,
                      const char* suffix, bool keepDot)
{
    std::size_t stem = 0;
    while (stem < static_cast<std::size_t>(kMaxNameLength) && matrixFileName[stem] != '\0' &&
           matrixFileName[stem] != '.')
        stem++;
    std::snprintf(destination, size, "%.*s%s%s", static_cast<int>(stem), matrixFileName,
                  keepDot ? "." : "", suffix);
}
