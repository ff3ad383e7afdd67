// What the fuzz harnesses share: how a harness gathers a reader's
// messages, and how it reports a difference from its model.
#ifndef BRAVOLIN_FUZZ_FUZZ_SUPPORT_H
#define BRAVOLIN_FUZZ_FUZZ_SUPPORT_H

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/input/reader_messages.h"

// A sink that keeps a reader's messages in messages, in the order said.
inline ReaderMessages gatherInto(std::vector<std::string>& messages)
{
    return [&messages](const std::string& text) { messages.push_back(text); };
}

[[noreturn]] inline void fuzzFailure(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

#endif
