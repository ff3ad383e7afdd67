// The output of a program run.
#include "console/output/output_session.h"

#include "console/output/output_file.h"
#include "console/output/output_lock.h"
#include "formats/text/text_encoding.h"

OutputSession::OutputSession(FileSystem& files, const ConsoleStyle& style)
    : files_(files), style_(style), summaryLine_(*this), folderLock_(*this)
{
}

void OutputSession::noteIncomplete(const std::string& name)
{
    OutputLock lock(*this);
    if (incomplete_.insert(name).second)
        consolePrintf("File: %s could not be written completely! Its results are incomplete.\n",
                      printableFileName(name).c_str());
}

int OutputSession::incompleteCount()
{
    OutputLock lock(*this);
    return static_cast<int>(incomplete_.size());
}

void OutputSession::opened(OutputFile& file)
{
    openFiles_.insert(&file);
}

void OutputSession::closed(OutputFile& file)
{
    openFiles_.erase(&file);
}

void OutputSession::uncommitted(ReplacingFile& file)
{
    uncommittedFiles_.insert(&file);
}

void OutputSession::committed(ReplacingFile& file)
{
    uncommittedFiles_.erase(&file);
}

void OutputSession::finishAtOnce()
{
    OutputLock::holdUntilTheEnd(*this);
    const bool cutShort = summaryLine_.isOpen();
    const std::string matrix = summaryLine_.matrix();
    // A file that fails at its flush leaves the set: the flushes go over
    // the files open when the interrupt came.
    const std::set<OutputFile*> open = openFiles_;
    for (OutputFile* file : open)
        file->flush();
    while (!uncommittedFiles_.empty())
        (*uncommittedFiles_.begin())->commit();
    summaryLine_.endOpen();
    folderLock_.release();
    if (cutShort) {
        const std::string message =
            "\nFile: " + printableFileName(matrix) + " was interrupted! Its results are incomplete.\n";
        writeConsole(message.data(), message.size());
    }
}
