// End-to-end sessions: runs the built bravolin program in a scratch folder
// with answers on standard input, and returns its exit code and console text.
#ifndef BRAVOLIN_TESTS_SUPPORT_SESSION_H
#define BRAVOLIN_TESTS_SUPPORT_SESSION_H

#include <string>

#include "support/scratch.h"

struct SessionResult {
    int exitCode;
    std::string console;
};

struct SessionClock {
    // Empty: the real time, sped up fifty times so that the program's
    // closing 3-second wait passes quickly. Otherwise a start time such as
    // "2026-01-01 00:00:00" from which the clock runs at normal speed, so
    // that the program's random seed is known.
    std::string startTime;
    // With a start time: the clock stands still at it (mode N never waits
    // for the clock, so its progress line then shows a known time).
    bool frozen = false;
};

// Whether the faketime command is available; sessions run on the real clock
// without it, and tests that need a known seed skip.
bool haveFaketime();

// Runs the program in dir with input on its standard input.
SessionResult runSession(const ScratchDirectory& dir, const std::string& input,
                         const SessionClock& clock = {});

// The console text without its progress lines: every piece of a line that
// ends in a carriage return (and so is overwritten on a real console).
std::string withoutProgressLines(const std::string& console);

// The seed the program draws from a start time given to SessionClock.
unsigned seedForStartTime(const std::string& startTime);

#endif
