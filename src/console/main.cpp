// BRAVOLIN: nestedness of presence/absence matrices, from the console or
// from a command line.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "console/system/platform.h"
#include "console/driver/main_loop.h"

int main(int argc, char* argv[])
{
    protectStandardStreams();
    fitAllocatorToAddressSpaceLimit();
    try {
        // The arguments in UTF-8, as the program handles every name.
        std::vector<std::string> arguments = commandLineArguments(argc, argv);
        std::vector<char*> pointers;
        for (std::string& argument : arguments)
            pointers.push_back(&argument[0]);
        pointers.push_back(nullptr);
        return runProgram(static_cast<int>(arguments.size()), pointers.data());
    } catch (const std::bad_alloc&) {
        // Out of memory outside any file's analysis (each of those is
        // reported and the batch goes on).
        std::fputs("bravolin: not enough memory to go on\n", stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bravolin: %s\n", error.what());
    }
    return 1;
}
