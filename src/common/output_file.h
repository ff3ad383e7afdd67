// The program's output files. Every report and summary file is opened for
// appending, never truncated, so results accumulate across matrices, runs
// and program starts. Every byte goes through this layer, which checks each
// open, write, flush and close: a file that cannot be written completely is
// named once on the console for the whole program run, its further writes
// are skipped, the analysis goes on, and the program's exit code becomes 1.
#ifndef BRAVOLIN_COMMON_OUTPUT_FILE_H
#define BRAVOLIN_COMMON_OUTPUT_FILE_H

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

// The summary file both modes write one line per matrix to.
constexpr const char* kSummaryFileName = "SYSTEMP.TXT";

#if defined(__GNUC__)
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

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
    void write(const char* data, std::size_t size);
    void write(const std::string& text) { write(text.data(), text.size()); }
    void write(const char* text) { write(text, std::strlen(text)); }
    void print(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(2, 3);
    // Hands everything written so far to the system, so that the file holds
    // whole lines at this point even if the program is then killed.
    void flush();
    void close();

private:
    void fail();

    std::FILE* file_ = nullptr;
    std::string name_;
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

// printf into a string.
std::string formatText(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(1, 2);
std::string vformatText(const char* format, std::va_list arguments);

// Appends text to the summary file, remembering whether it leaves the
// current line open (text that does not end with a line end).
void appendToSummary(const std::string& text);

// Whether the summary file's last line is still open, waiting for the rest
// of a matrix's values.
bool summaryLineIsOpen();

// Ends the summary line that a matrix left open, if any: used when its
// analysis stops before the values that would have ended it.
void endOpenSummaryLine();

// For an interrupt that ends the program at once: stops every other write,
// hands what the open files hold to the system and ends the open summary
// line. Every write the program makes holds whole lines (but for the
// summary line, ended here), so every file then ends with a whole line.
// The lock stays taken: the program is about to end.
void flushOutputsForInterrupt();

// Names a file written some other way (a picture) that could not be
// written completely, as the output files are named.
void noteIncompleteOutput(const std::string& name);

// Whether some output file could not be written completely in this run of
// the program, and how many distinct files that concerns.
bool anyOutputIncomplete();
int incompleteOutputCount();

// Forgets the failures and the open summary line: a fresh program run.
void resetOutputFiles();

// For tests: every output write fails once this many more bytes have been
// written (the bytes up to the limit still reach their file), as on a disk
// that fills up. A negative limit lets every write through. The limit
// outlives resetOutputFiles, so that it applies to a whole program run.
void failOutputWritesAfter(long long bytes);

// Builds the name of a report file: the matrix file name up to its first
// "." followed by suffix, where keepDot tells whether that "." stays (mode T
// keeps it: ISLANDS.TXT gives ISLANDS.PCK; mode N drops it: ISLANDS.TXT
// gives ISLANDS_Ordered.TXT). A name without "." gets the suffix after the
// whole name, with the "." added when keepDot is set, so that a report never
// takes the name of the matrix file itself.
void deriveReportName(char* destination, std::size_t size, const char* matrixFileName,
                      const char* suffix, bool keepDot);

#endif
