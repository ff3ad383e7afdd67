// The operating-system specific parts of the program.
#include "common/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t caughtSignal = 0;
volatile std::sig_atomic_t endAtOnce = 0;

extern "C" void onInterrupt(int signal)
{
    if (endAtOnce) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caughtSignal = signal;
}

}  // namespace

void installInterruptHandlers()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if defined(SIGHUP)
    std::signal(SIGHUP, onInterrupt);
#endif
#if defined(SIGPIPE)
    // The console is not an output file: when whoever reads it goes away
    // (bravolin ... | head), writing to it fails and the analysis goes on.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

int caughtInterrupt()
{
    return caughtSignal;
}

void setInterruptsEndAtOnce(bool atOnce)
{
    endAtOnce = atOnce ? 1 : 0;
    if (atOnce && caughtSignal != 0)
        endByInterrupt(caughtSignal);
}

void endByInterrupt(int interrupt)
{
    std::fflush(stdout);
    std::signal(interrupt, SIG_DFL);
    std::raise(interrupt);
    std::_Exit(128 + interrupt);
}

bool standardOutputIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

bool enterFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(std::filesystem::u8path(folder), error);
    return !error;
}
