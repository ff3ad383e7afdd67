// What the fuzz harnesses share: a silent console, and how a harness
// reports a difference from its model.
#ifndef BRAVOLIN_FUZZ_FUZZ_SUPPORT_H
#define BRAVOLIN_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The readers' messages are not what is checked; they go nowhere.
inline void silenceConsole()
{
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        std::abort();
}

[[noreturn]] inline void fuzzFailure(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

#endif
