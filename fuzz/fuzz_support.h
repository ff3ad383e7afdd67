// What the fuzz harnesses share: the matrix file each input becomes, and
// how a harness reports a difference from its model.
#ifndef BRAVOLIN_FUZZ_FUZZ_SUPPORT_H
#define BRAVOLIN_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

// The readers' messages are not what is checked; they go nowhere.
inline void silenceConsole()
{
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        std::abort();
}

// A file of this process's own, so that harnesses can run side by side; in
// memory (/dev/shm) where there is such a folder, since rewriting a file on
// disk at every input would cost more than reading it.
inline const char* fuzzFileName()
{
    static const std::string name = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/bravolin-fuzz-" + std::to_string(getpid()) + ".txt";
    return name.c_str();
}

inline void writeFuzzFile(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(fuzzFileName(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
}

[[noreturn]] inline void fuzzFailure(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

#endif
