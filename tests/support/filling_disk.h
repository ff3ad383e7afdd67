// A disk that fills up, for the output layer: the first bytes written reach
// their files, and every write beyond them fails, as on a real disk that
// took the start of a write before it filled.
#ifndef BRAVOLIN_TESTS_SUPPORT_FILLING_DISK_H
#define BRAVOLIN_TESTS_SUPPORT_FILLING_DISK_H

#include <algorithm>

#include "console/system/file_system.h"

class FillingDisk : public FileSystem {
public:
    explicit FillingDisk(unsigned long long capacity) : left_(capacity) {}

    bool write(SystemFile file, const char* data, std::size_t size) override
    {
        const std::size_t allowed = static_cast<std::size_t>(std::min<unsigned long long>(left_, size));
        left_ -= allowed;
        return FileSystem::write(file, data, allowed) && allowed == size;
    }

private:
    unsigned long long left_;
};

#endif
