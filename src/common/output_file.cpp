// Checked output files, the open summary line, and report names.
#include "common/output_file.h"

#include <cstdarg>
#include <cstring>
#include <mutex>
#include <set>

#include "common/console.h"
#include "common/platform.h"
#include "common/shared_state.h"

namespace {

// Held by every open, write, flush and close, and by an OutputBatch.
std::recursive_mutex outputLock;

// The output files open now.
std::set<OutputFile*> openFiles;

// Names of the files that could not be written completely in this program
// run; each is named on the console once, however often it fails again.
std::set<std::string> incompleteOutputs;

// Whether the last text appended to the summary file left its line open.
bool summaryLineOpen;

// Bytes that may still be written before writes fail; negative: no limit.
long long writeBudget = -1;

// How many of size bytes the test limit lets through, charging them to it.
std::size_t bytesAllowed(std::size_t size)
{
    if (writeBudget < 0)
        return size;
    const std::size_t allowed = static_cast<unsigned long long>(writeBudget) < size
                                    ? static_cast<std::size_t>(writeBudget)
                                    : size;
    writeBudget -= static_cast<long long>(allowed);
    return allowed;
}

void reportIncomplete(const std::string& name)
{
    if (incompleteOutputs.insert(name).second)
        consolePrintf("File: %s could not be written completely! Its results are incomplete.\n",
                    name.c_str());
}

}  // namespace

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
    file_ = openFile(name, "a");
    if (file_ == nullptr)
        reportIncomplete(name_);
    else
        openFiles.insert(this);
}

void OutputFile::fail()
{
    std::fclose(file_);
    file_ = nullptr;
    openFiles.erase(this);
    reportIncomplete(name_);
}

void OutputFile::write(const char* data, std::size_t size)
{
    OutputBatch batch;
    if (file_ == nullptr)
        return;
    const std::size_t allowed = bytesAllowed(size);
    if (std::fwrite(data, 1, allowed, file_) != allowed || allowed != size) {
        // What the limit let through must reach the file, as on a disk that
        // took the first bytes of a write before it filled up.
        std::fflush(file_);
        fail();
    }
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
    if (file_ != nullptr && std::fflush(file_) != 0)
        fail();
}

void OutputFile::close()
{
    OutputBatch batch;
    if (file_ == nullptr)
        return;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    openFiles.erase(this);
    if (!closed)
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
    appendToFile(kSummaryFileName, text);
    if (!text.empty())
        summaryLineOpen = text.back() != '\n';
}

bool summaryLineIsOpen()
{
    return summaryLineOpen;
}

void endOpenSummaryLine()
{
    if (summaryLineOpen)
        appendToSummary("\n");
}

void flushOutputsForInterrupt()
{
    outputLock.lock();
    for (OutputFile* file : openFiles)
        file->flush();
    endOpenSummaryLine();
}

void noteIncompleteOutput(const std::string& name)
{
    OutputBatch batch;
    reportIncomplete(name);
}

bool anyOutputIncomplete()
{
    return !incompleteOutputs.empty();
}

int incompleteOutputCount()
{
    return static_cast<int>(incompleteOutputs.size());
}

void resetOutputFiles()
{
    incompleteOutputs.clear();
    summaryLineOpen = false;
}

void failOutputWritesAfter(long long bytes)
{
    writeBudget = bytes;
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
