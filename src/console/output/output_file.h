// The program's output files. Every report and summary file is opened for
// appending, never truncated, so results accumulate across matrices, runs
// and program starts. Every open, write, flush and close is checked: a file
// that cannot be written completely is named once on the console (see
// output_failures.h), its further writes are skipped, and the analysis goes
// on.
//
// Every line reaches its file with one write of the system once it is
// complete, so a killed process or a power cut leaves no part of a line; a
// file whose last line an earlier run left unfinished gets a line end
// before anything is appended to it.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_FILE_H
#define BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_FILE_H

#include <cstddef>
#include <cstring>
#include <string>

#include "console/system/platform.h"
#include "console/system/text_format.h"

// One output file, open for appending in text mode from open() to close()
// (or destruction). After a failure the file is closed and every further
// write to it is skipped until it is opened again.
class OutputFile {
public:
    OutputFile() = default;
    explicit OutputFile(const std::string& name) { open(name); }
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void open(const std::string& name);
    // Writes text that ends with a whole line; it reaches the file with the
    // lines written before it.
    void write(const char* data, std::size_t size);
    void write(const std::string& text) { write(text.data(), text.size()); }
    void write(const char* text) { write(text, std::strlen(text)); }
    void print(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(2, 3);
    // Hands every line written so far to the system, so that the file holds
    // them even if the program is then killed.
    void flush();
    void close();

private:
    void writeOut(std::size_t size);
    void fail();

    bool open_ = false;
    SystemFile file_;
    std::string name_;
    std::string pending_;  // written, not yet handed to the system
};

// Opens name, writes the text and closes it again.
void appendToFile(const std::string& name, const std::string& text);

// Writes a picture or a page in one piece: through a temporary file beside
// it, whose name is this process's own and short, renamed over name once
// written, so that no reader finds half of it and a rerun replaces it. A
// file that cannot be written is named as the output files are, and name is
// left as it was. Returns whether it was written.
bool writeWholeFile(const std::string& name, const std::string& content);

// For an interrupt that ends the program: hands every line the open files
// hold to the system.
void flushOpenOutputFiles();

#endif
