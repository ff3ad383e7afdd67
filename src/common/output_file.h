// The program's output files. Every report and summary file is opened for
// appending, never truncated, so results accumulate across matrices, runs
// and program starts. Every byte goes through this layer, which checks each
// open, write, flush and close: a file that cannot be written completely is
// named once on the console for the whole program run, its further writes
// are skipped, the analysis goes on, and the program's exit code becomes 1.
//
// Every line reaches its file with one write of the system once it is
// complete, so a killed process or a power cut leaves no part of a line; a
// file whose last line an earlier run left unfinished gets a line end
// before anything is appended to it.
#ifndef BRAVOLIN_COMMON_OUTPUT_FILE_H
#define BRAVOLIN_COMMON_OUTPUT_FILE_H

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <string>

#include "common/platform.h"

// The summary file both modes write one line per matrix to.
constexpr const char* kSummaryFileName = "SYSTEMP.TXT";

#if defined(__GNUC__)
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

// The file operations of the output layer. The program writes through the
// system's (this class as it is); a test puts a stand-in in its place for a
// program run, to make writes fail as on a disk that fills up.
class OutputFileSystem {
public:
    virtual ~OutputFileSystem() = default;
    virtual bool openForAppending(const std::string& name, SystemFile* file, bool* lastLineOpen);
    virtual bool create(const std::string& name, SystemFile* file);
    virtual bool write(SystemFile file, const char* data, std::size_t size);
    virtual bool close(SystemFile file);
    virtual bool rename(const std::string& from, const std::string& to);
    virtual void remove(const std::string& name);
};

// Sends every output file of the rest of the program run through files,
// which must outlive it.
void writeOutputThrough(OutputFileSystem& files);

// One output file, open for appending in text mode from open() to close()
// (or destruction). After a failure the file is closed and every further
// write to it is skipped until it is opened again.
class OutputFile {
public:
    OutputFile() = default;
    explicit OutputFile(const char* name) { open(name); }
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void open(const char* name);
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

// For as long as it lives, no other thread writes any output file: the
// writes it covers reach their files together or not at all when the
// program is interrupted (on Windows, where the console's handler ends the
// open lines from a thread of its own).
class OutputBatch {
public:
    OutputBatch();
    ~OutputBatch();
    OutputBatch(const OutputBatch&) = delete;
    OutputBatch& operator=(const OutputBatch&) = delete;
};

// Opens name, writes size bytes and closes it again.
void appendToFile(const char* name, const char* data, std::size_t size);
void appendToFile(const char* name, const std::string& text);

// Writes a picture or a page in one piece: through a temporary file beside
// it, whose name is this process's own and short, renamed over name once
// written, so that no reader finds half of it and a rerun replaces it. A
// file that cannot be written is named as the output files are, and name is
// left as it was. Returns whether it was written.
bool writeWholeFile(const std::string& name, const std::string& content);

// printf into a string.
std::string formatText(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(1, 2);
std::string vformatText(const char* format, std::va_list arguments);

// Adds text to the summary file's current line. The line is written, in one
// write, once text ends it; until then it is held here.
void appendToSummary(const std::string& text);

// Whether the summary file's line is still open, waiting for the rest of a
// matrix's values.
bool summaryLineIsOpen();

// Ends the summary line that a matrix left open, if any: used when its
// analysis stops before the values that would have ended it.
void endOpenSummaryLine();

// For an interrupt that ends the program: stops every other write, hands
// what the open files hold to the system and ends the open summary line.
// Every write the program makes holds whole lines (but for the summary
// line, ended here), so every file then ends with a whole line. The lock
// stays taken: the program is about to end.
void flushOutputsForInterrupt();

// Whether some output file could not be written completely in this run of
// the program, and how many distinct files that concerns.
bool anyOutputIncomplete();
int incompleteOutputCount();

// Forgets the failures and the open summary line: a fresh program run.
void resetOutputFiles();

// Builds the name of a report file: the matrix file name up to its first
// "." followed by suffix, where keepDot tells whether that "." stays (mode T
// keeps it: ISLANDS.TXT gives ISLANDS.PCK; mode N drops it: ISLANDS.TXT
// gives ISLANDS_Ordered.TXT). A name without "." gets the suffix after the
// whole name, with the "." added when keepDot is set, so that a report never
// takes the name of the matrix file itself.
void deriveReportName(char* destination, std::size_t size, const char* matrixFileName,
                      const char* suffix, bool keepDot);

#endif
