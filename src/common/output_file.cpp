// Output files: opening for appending and deriving report names.
#include "common/output_file.h"

#include <cstring>

#include "common/shared_state.h"

// The name whose last open failed, so that a file failing again and again
// (a read-only folder, say) is reported once, not at each of its writes.
static char lastFailedName[kReportNameBufferSize];

std::FILE* openForAppend(const char* name)
{
    std::FILE* file = std::fopen(name, "a");
    if (file != nullptr) {
        if (std::strcmp(lastFailedName, name) == 0)
            lastFailedName[0] = '\0';
        return file;
    }
    if (std::strcmp(lastFailedName, name) != 0) {
        std::printf("File: %s could not be opened for writing! Its results are not saved.\n", name);
        std::strncpy(lastFailedName, name, sizeof lastFailedName - 1);
        lastFailedName[sizeof lastFailedName - 1] = '\0';
    }
    return nullptr;
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
