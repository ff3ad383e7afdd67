// The operating-system specific parts of the program.
#include "console/system/platform.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "console/system/utf16.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#endif

namespace {

// The interrupt state of the process: a signal handler sets and reads it,
// so it can only be global.
volatile std::sig_atomic_t caughtSignal = 0;
volatile std::sig_atomic_t endAtOnce = 0;
// The same event for the threads of the analyses; a lock-free atomic may
// be set from a signal handler.
std::atomic<bool> interruptFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt flag is set in a signal handler");

#if defined(_WIN32)

// How a process ended by Ctrl-C reports it (STATUS_CONTROL_C_EXIT).
constexpr UINT kControlCExit = 0xC000013Au;

// The output of the program run under way, which the console's handler
// finishes on a thread of its own before it ends the process. A handler
// reaches nothing but globals, so this is the one global of the program
// besides the interrupt flags above; it points to the run's output only
// while the run lasts.
std::atomic<InterruptedOutput*> outputToFinish{nullptr};

std::wstring wide(const char* utf8)
{
    const std::u16string text = utf16FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

HANDLE handleOf(SystemFile file)
{
    return reinterpret_cast<HANDLE>(file.handle);
}

// Runs on a thread of the console's: Ctrl-C, Ctrl-Break, the console window
// closed, the user logging off or the system shutting down.
BOOL WINAPI onConsoleControl(DWORD)
{
    InterruptedOutput* output = outputToFinish.load();
    if (!endAtOnce && output != nullptr)
        output->finishAtOnce();
    endAtOnceByInterrupt();
}

// The file's identity: its volume and its number there.
bool fileIdentity(HANDLE handle, BY_HANDLE_FILE_INFORMATION* information)
{
    return GetFileInformationByHandle(handle, information) != 0;
}

#else

extern "C" void onInterrupt(int signal)
{
    if (endAtOnce) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caughtSignal = signal;
    interruptFlag.store(true);
}

void catchUnlessIgnored(int signal)
{
    struct sigaction current;
    if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
        return;
    std::signal(signal, onInterrupt);
}

int descriptorOf(SystemFile file)
{
    return static_cast<int>(file.handle);
}

// The address-space limit, or none.
bool addressSpaceLimit(unsigned long long* limit)
{
    struct rlimit addressSpace;
    if (getrlimit(RLIMIT_AS, &addressSpace) != 0 || addressSpace.rlim_cur == RLIM_INFINITY)
        return false;
    *limit = static_cast<unsigned long long>(addressSpace.rlim_cur);
    return true;
}

#endif

}  // namespace

void protectStandardStreams()
{
#if defined(_WIN32)
    const struct {
        std::FILE* stream;
        const char* mode;
    } streams[] = {{stdin, "r"}, {stdout, "w"}, {stderr, "w"}};
    for (const auto& standard : streams) {
        const int number = _fileno(standard.stream);
        if (number < 0 || _get_osfhandle(number) == -1)
            (void)std::freopen("NUL", standard.mode, standard.stream);
    }
#else
    for (int number = 0; number <= 2; number++) {
        if (fcntl(number, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is the one just found closed.
        const int opened = open("/dev/null", number == 0 ? O_RDONLY : O_WRONLY);
        if (opened != number && opened >= 0)
            close(opened);
    }
#endif
}

void fitAllocatorToAddressSpaceLimit()
{
#if defined(__GLIBC__)
    unsigned long long limit;
    if (addressSpaceLimit(&limit))
        mallopt(M_ARENA_MAX, 1);
#endif
}

void installInterruptHandlers()
{
#if defined(_WIN32)
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    catchUnlessIgnored(SIGINT);
    catchUnlessIgnored(SIGTERM);
    catchUnlessIgnored(SIGHUP);
    // The console is not an output file: when whoever reads it goes away
    // (bravolin ... | head), writing to it fails and the analysis goes on.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

void finishOnInterrupt(InterruptedOutput* output)
{
#if defined(_WIN32)
    outputToFinish.store(output);
#else
    // A signal is only kept here; the program finishes its output itself.
    (void)output;
#endif
}

int caughtInterrupt()
{
    return caughtSignal;
}

const std::atomic<bool>& interruptRequested()
{
    return interruptFlag;
}

void setInterruptsEndAtOnce(bool atOnce)
{
    endAtOnce = atOnce ? 1 : 0;
    if (atOnce && caughtSignal != 0)
        endByInterrupt(caughtSignal);
}

bool interruptsEndAtOnce()
{
    return endAtOnce != 0;
}

void endByInterrupt(int interrupt)
{
    std::fflush(stdout);
    std::signal(interrupt, SIG_DFL);
    std::raise(interrupt);
    std::_Exit(128 + interrupt);
}

void endAtOnceByInterrupt()
{
#if defined(_WIN32)
    TerminateProcess(GetCurrentProcess(), kControlCExit);
#endif
    std::_Exit(130);
}

bool standardOutputIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

void writeConsole(const char* text, std::size_t length)
{
#if defined(_WIN32)
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode;
    if (GetConsoleMode(console, &mode)) {
        // All console text comes this way, so nothing waits in stdout's
        // buffer; and an interrupt's message, written from the console's
        // own thread, must not wait for stdout's lock either.
        const std::u16string wideText = utf16FromUtf8(std::string_view(text, length));
        DWORD written;
        WriteConsoleW(console, wideText.data(), static_cast<DWORD>(wideText.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text, 1, length, stdout);
}

std::FILE* openFile(const char* name, const char* mode)
{
#if defined(_WIN32)
    return _wfopen(wide(name).c_str(), wide(mode).c_str());
#else
    return std::fopen(name, mode);
#endif
}

bool openForAppending(const char* name, SystemFile* file, bool* lastLineOpen)
{
    *lastLineOpen = false;
    file->text = true;
#if defined(_WIN32)
    // Appending data only: every write lands at the end of the file.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(wide(name).c_str(), FILE_APPEND_DATA | FILE_READ_DATA, share, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool readable = handle != INVALID_HANDLE_VALUE;
    if (!readable)
        handle = CreateFileW(wide(name).c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (readable && GetFileSizeEx(handle, &size) && size.QuadPart > 0) {
        OVERLAPPED at = {};
        const unsigned long long last = static_cast<unsigned long long>(size.QuadPart) - 1;
        at.Offset = static_cast<DWORD>(last & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(last >> 32);
        char byte = '\n';
        DWORD read = 0;
        if (ReadFile(handle, &byte, 1, &read, &at) && read == 1)
            *lastLineOpen = byte != '\n';
    }
    file->handle = reinterpret_cast<std::intptr_t>(handle);
#else
    int descriptor = open(name, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    const bool readable = descriptor >= 0;
    if (!readable)
        descriptor = open(name, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    struct stat status;
    if (readable && fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        char byte = '\n';
        if (pread(descriptor, &byte, 1, status.st_size - 1) == 1)
            *lastLineOpen = byte != '\n';
    }
    file->handle = descriptor;
#endif
    return true;
}

FileCreation createNewFile(const char* name, bool text, SystemFile* file)
{
    file->text = text;
#if defined(_WIN32)
    HANDLE handle = CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileCreation::NameTaken;
        case ERROR_ACCESS_DENIED:
            return FileCreation::PermissionDenied;
        case ERROR_WRITE_PROTECT:
            return FileCreation::ReadOnly;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileCreation::DiskFull;
        default:
            return FileCreation::Failed;
        }
    }
    file->handle = reinterpret_cast<std::intptr_t>(handle);
#else
    const int descriptor = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        switch (errno) {
        case EEXIST:
            return FileCreation::NameTaken;
        case EACCES:
        case EPERM:
            return FileCreation::PermissionDenied;
        case EROFS:
            return FileCreation::ReadOnly;
        case ENOSPC:
        case EDQUOT:
            return FileCreation::DiskFull;
        default:
            return FileCreation::Failed;
        }
    }
    file->handle = descriptor;
#endif
    return FileCreation::Created;
}

bool writeSystemFile(SystemFile file, const char* data, std::size_t size)
{
#if defined(_WIN32)
    std::string converted;
    if (file.text) {
        converted.reserve(size + size / 16);
        for (std::size_t i = 0; i < size; i++) {
            if (data[i] == '\n')
                converted += '\r';
            converted += data[i];
        }
        data = converted.data();
        size = converted.size();
    }
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(file), data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
#else
    // A regular file takes the whole write at once; a shorter count means
    // the disk is full, which the next write reports.
    while (size > 0) {
        const ssize_t written = write(descriptorOf(file), data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
#endif
    return true;
}

bool closeSystemFile(SystemFile file)
{
#if defined(_WIN32)
    return CloseHandle(handleOf(file)) != 0;
#else
    return close(descriptorOf(file)) == 0;
#endif
}

LockFileOpening openLockFile(const char* name, SystemFile* file)
{
#if defined(_WIN32)
    // Others may open and remove it while this run holds it open.
    HANDLE handle = CreateFileW(wide(name).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // A file whose removal waits for its last handle to close refuses
        // to be opened until then.
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_DELETE_PENDING ? LockFileOpening::TryAgain
                                                                            : LockFileOpening::Unavailable;
    }
    file->handle = reinterpret_cast<std::intptr_t>(handle);
#else
    const int descriptor = open(name, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return LockFileOpening::Unavailable;
    file->handle = descriptor;
#endif
    return LockFileOpening::Opened;
}

Locking lockSystemFile(SystemFile file, bool wait)
{
#if defined(_WIN32)
    OVERLAPPED whole = {};
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (LockFileEx(handleOf(file), flags, 0, 1, 0, &whole))
        return Locking::Taken;
    return GetLastError() == ERROR_LOCK_VIOLATION ? Locking::HeldByAnother : Locking::Unavailable;
#else
    for (;;) {
        if (flock(descriptorOf(file), LOCK_EX | (wait ? 0 : LOCK_NB)) == 0)
            return Locking::Taken;
        if (errno == EINTR)
            continue;
        return errno == EWOULDBLOCK ? Locking::HeldByAnother : Locking::Unavailable;
    }
#endif
}

bool stillNamesFile(SystemFile file, const char* name)
{
#if defined(_WIN32)
    HANDLE named = CreateFileW(wide(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION held, found;
    const bool same = fileIdentity(handleOf(file), &held) && fileIdentity(named, &found) &&
                      held.dwVolumeSerialNumber == found.dwVolumeSerialNumber &&
                      held.nFileIndexHigh == found.nFileIndexHigh && held.nFileIndexLow == found.nFileIndexLow;
    CloseHandle(named);
    return same;
#else
    struct stat held, found;
    return fstat(descriptorOf(file), &held) == 0 && stat(name, &found) == 0 && held.st_dev == found.st_dev &&
           held.st_ino == found.st_ino;
#endif
}

void removeLockFile(SystemFile file, const char* name)
{
#if defined(_WIN32)
    (void)name;
    FILE_DISPOSITION_INFO disposition = {};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(handleOf(file), FileDispositionInfo, &disposition, sizeof disposition);
#else
    unlink(name);
#endif
    closeSystemFile(file);
}

std::vector<std::string> commandLineArguments(int argc, char* argv[])
{
#if defined(_WIN32)
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments != nullptr) {
        std::vector<std::string> utf8;
        for (int i = 0; i < count; i++) {
            const std::wstring argument(arguments[i]);
            utf8.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
        }
        LocalFree(arguments);
        return utf8;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

unsigned long processNumber()
{
#if defined(_WIN32)
    return static_cast<unsigned long>(GetCurrentProcessId());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

std::string enterFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    const fs::path path = fs::u8path(folder);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return "there is no such folder";
    if (!error && status.type() != fs::file_type::directory)
        return "it is not a folder";
    fs::current_path(path, error);
    if (error == std::errc::permission_denied)
        return "permission denied";
    if (error)
        return error.message();
    fs::directory_iterator listing(".", error);
    if (error)
        return "it cannot be listed";
    return "";
}
