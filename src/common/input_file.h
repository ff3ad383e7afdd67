// Reading matrix files byte by byte. Files are read as bytes on every
// system, so that a matrix reads the same everywhere: both readers accept
// LF, CR and CR LF line ends themselves, and both stop at a Ctrl-Z byte,
// which ends the text of files saved by older Windows and DOS editors.
#ifndef BRAVOLIN_COMMON_INPUT_FILE_H
#define BRAVOLIN_COMMON_INPUT_FILE_H

#include <cstddef>
#include <cstdio>


// Ctrl-Z: the end of a matrix file, whatever follows it.
constexpr int kEndOfFileMark = 0x1A;

class InputFile {
public:
    explicit InputFile(const char* name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // The next byte (0..255), or EOF at the end of the file.
    int next()
    {
        if (position_ == length_ && !refill())
            return EOF;
        return buffer_[position_++];
    }

private:
    bool refill();

    std::FILE* file_;
    unsigned char buffer_[1 << 14];
    std::size_t length_ = 0;
    std::size_t position_ = 0;
};

// Called when a reader has stopped at a Ctrl-Z byte of the file name:
// names the file on the console when anything but blanks and line ends
// follows that byte, since that part of the file is not read.
void reportTextAfterEndOfFileMark(InputFile& file, const char* name);

#endif
