// Checked output files and whole-file writes.
#include "console/output/output_file.h"

#include <cctype>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <random>
#include <vector>

#include "console/output/output_lock.h"
#include "console/output/output_session.h"

namespace {

// Lines are handed to the system in blocks of about this size; the rest
// waits for flush or close.
constexpr std::size_t kOutputBlock = std::size_t{1} << 16;

// Names tried for a temporary file before a write gives up: a name that
// exists is passed over for another.
constexpr int kTemporaryNameAttempts = 100;

constexpr const char* kTemporaryPrefix = ".bravolin-";

// Random bits for a temporary name, so that it cannot be foretold from the
// process number alone: from the system's source of random numbers, or from
// the clock where there is none.
std::uint32_t randomBits()
{
    try {
        std::random_device device;
        return static_cast<std::uint32_t>(device());
    } catch (const std::exception&) {
        return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

// A temporary name for a whole-file write of name,
// .bravolin-PID-N-RANDOM.ext: in its folder, with its extension (so that
// the batch list, which skips pictures and pages, skips a temporary file
// left behind as well), and never long, so that it fits wherever name
// would.
std::filesystem::path temporaryNameFor(OutputSession& session, const std::filesystem::path& name)
{
    const std::string own = kTemporaryPrefix + std::to_string(processNumber()) + "-" +
                            std::to_string(session.nextTemporaryNumber()) + "-" + formatText("%08x", randomBits()) +
                            name.extension().u8string();
    return name.parent_path() / std::filesystem::u8path(own);
}

// Creates a temporary file for a whole-file write of name, for text or
// bytes, and gives its name in temporary; NameTaken when every name tried
// was taken.
FileCreation createTemporaryFile(OutputSession& session, const std::string& name, bool text, std::string* temporary,
                                 SystemFile* file)
{
    FileCreation creation = FileCreation::NameTaken;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && creation == FileCreation::NameTaken; attempt++) {
        *temporary = temporaryNameFor(session, std::filesystem::u8path(name)).u8string();
        creation = session.files().createNew(*temporary, text, file);
    }
    return creation;
}

// Whether name has the form of a temporary name: the prefix, the process
// and file numbers, then a hyphen and hexadecimal digits (which earlier
// versions did not write), then the extension if any.
bool isTemporaryName(const std::string& name)
{
    std::size_t at = std::strlen(kTemporaryPrefix);
    if (name.compare(0, at, kTemporaryPrefix) != 0)
        return false;
    // Skips the digits (or hexadecimal digits) at `at`; false when none.
    auto skipDigits = [&name, &at](bool hexadecimal) {
        const std::size_t start = at;
        for (; at < name.size(); at++) {
            const int c = static_cast<unsigned char>(name[at]);
            if ((hexadecimal ? std::isxdigit(c) : std::isdigit(c)) == 0)
                break;
        }
        return at > start;
    };
    auto skipHyphen = [&name, &at] {
        if (at == name.size() || name[at] != '-')
            return false;
        at++;
        return true;
    };
    if (!skipDigits(false) || !skipHyphen() || !skipDigits(false))
        return false;
    if (skipHyphen() && !skipDigits(true))
        return false;
    return at == name.size() || name[at] == '.';
}

}  // namespace

void OutputFile::open(OutputSession& session, const std::string& name)
{
    OutputLock lock(session);
    close();
    SystemFile file;
    bool lastLineOpen = false;
    if (!session.files().openForAppending(name, &file, &lastLineOpen)) {
        session_ = &session;
        nameInMessages_ = name;
        failed_ = true;
        session.noteIncomplete(nameInMessages_);
        return;
    }
    adopt(session, file, name);
    if (lastLineOpen)
        write("\n", 1);
}

void OutputFile::adopt(OutputSession& session, SystemFile file, const std::string& nameInMessages)
{
    OutputLock lock(session);
    close();
    session_ = &session;
    nameInMessages_ = nameInMessages;
    failed_ = false;
    file_ = file;
    open_ = true;
    session.opened(*this);
}

void OutputFile::fail()
{
    session_->files().close(file_);
    open_ = false;
    failed_ = true;
    pending_.clear();
    session_->closed(*this);
    session_->noteIncomplete(nameInMessages_);
}

void OutputFile::writeOut(std::size_t size)
{
    if (size == 0)
        return;
    if (!session_->files().write(file_, pending_.data(), size)) {
        fail();
        return;
    }
    pending_.erase(0, size);
}

void OutputFile::write(const char* data, std::size_t size)
{
    if (session_ == nullptr)
        return;
    OutputLock lock(*session_);
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
    if (session_ == nullptr)
        return;
    OutputLock lock(*session_);
    if (open_)
        writeOut(pending_.rfind('\n') + 1);
}

bool OutputFile::close()
{
    if (session_ == nullptr)
        return true;
    OutputLock lock(*session_);
    if (!open_)
        return !failed_;
    writeOut(pending_.size());
    if (!open_)
        return false;
    open_ = false;
    session_->closed(*this);
    if (!session_->files().close(file_)) {
        failed_ = true;
        session_->noteIncomplete(nameInMessages_);
    }
    return !failed_;
}

void appendToFile(OutputSession& session, const std::string& name, const std::string& text)
{
    OutputFile file(session, name);
    file.write(text);
}

bool writeWholeFile(OutputSession& session, const std::string& name, const std::string& content)
{
    OutputLock lock(session);
    FileSystem& files = session.files();
    std::string temporary;
    SystemFile file;
    bool written = false;
    if (createTemporaryFile(session, name, false, &temporary, &file) == FileCreation::Created) {
        written = files.write(file, content.data(), content.size());
        written = files.close(file) && written;
        written = written && files.rename(temporary, name);
        if (!written)
            files.remove(temporary);
    }
    if (!written)
        session.noteIncomplete(name);
    return written;
}

ReplacingFile::ReplacingFile(OutputSession& session, const std::string& name) : session_(session), name_(name)
{
    OutputLock lock(session_);
    SystemFile file;
    if (createTemporaryFile(session_, name_, true, &temporary_, &file) != FileCreation::Created) {
        // Nothing to put in place: its lines are skipped.
        committed_ = true;
        session_.noteIncomplete(name_);
        return;
    }
    file_.adopt(session_, file, name_);
    session_.uncommitted(*this);
}

void ReplacingFile::commit()
{
    OutputLock lock(session_);
    if (committed_)
        return;
    committed_ = true;
    session_.committed(*this);
    const bool written = file_.close();
    if (written && session_.files().rename(temporary_, name_))
        return;
    session_.files().remove(temporary_);
    if (written)
        session_.noteIncomplete(name_);
}

std::string currentFolderWriteProblem(OutputSession& session)
{
    OutputLock lock(session);
    FileSystem& files = session.files();
    std::string probe;
    SystemFile file;
    switch (createTemporaryFile(session, "probe", false, &probe, &file)) {
    case FileCreation::Created:
        files.close(file);
        files.remove(probe);
        return "";
    case FileCreation::PermissionDenied:
        return "permission denied";
    case FileCreation::ReadOnly:
        return "it is on a read-only file system or disk";
    case FileCreation::DiskFull:
        return "the disk or the quota is full";
    default:
        return "no file can be created there";
    }
}

void removeTemporaryFilesLeftBehind(OutputSession& session)
{
    OutputLock lock(session);
    std::vector<std::string> leftBehind;
    for (const FolderEntry& entry : session.files().listCurrentFolder())
        if (isTemporaryName(entry.name) && !entry.folder)
            leftBehind.push_back(entry.name);
    for (const std::string& name : leftBehind)
        session.files().remove(name);
}
