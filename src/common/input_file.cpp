// Buffered byte reading of matrix files.
#include "common/input_file.h"

#include "common/console.h"
#include "common/platform.h"

InputFile::InputFile(const char* name) : file_(openFile(name, "rb")) {}

InputFile::~InputFile()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

bool InputFile::refill()
{
    if (file_ == nullptr)
        return false;
    length_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    position_ = 0;
    return length_ > 0;
}

void reportTextAfterEndOfFileMark(InputFile& file, const char* name)
{
    for (int c = file.next(); c != EOF; c = file.next()) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            consolePrintf("File: %s ends at a Ctrl-Z byte; the rest of it is not read.\n", name);
            return;
        }
    }
}
