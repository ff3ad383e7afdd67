// The program's output files. Every report and summary file is opened for
// appending, never truncated, so results accumulate across matrices, runs
// and program starts. Every open, write, flush and close is checked: a file
// that cannot be written completely is named once on the console (see
// output_session.h), its further writes are skipped, and the analysis goes
// on. Every file belongs to the output session of its run.
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
#include "formats/text/text_format.h"

class OutputSession;

// One output file, open for appending in text mode from open() to close()
// (or destruction). After a failure the file is closed and every further
// write to it is skipped until it is opened again.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(OutputSession& session, const std::string& name) { open(session, name); }
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void open(OutputSession& session, const std::string& name);
    // Takes file, just created in the session's file system, as this file,
    // naming it nameInMessages if it cannot be written.
    void adopt(OutputSession& session, SystemFile file, const std::string& nameInMessages);
    // Writes text that ends with a whole line; it reaches the file with the
    // lines written before it.
    void write(const char* data, std::size_t size);
    void write(const std::string& text) { write(text.data(), text.size()); }
    void write(const char* text) { write(text, std::strlen(text)); }
    void print(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(2, 3);
    // Hands every line written so far to the system, so that the file holds
    // them even if the program is then killed.
    void flush();
    // Returns whether every line since open reached the file.
    bool close();

private:
    void writeOut(std::size_t size);
    void fail();

    OutputSession* session_ = nullptr;
    bool open_ = false;
    bool failed_ = false;
    SystemFile file_;
    std::string nameInMessages_;
    std::string pending_;  // written, not yet handed to the system
};

// Opens name, writes the text and closes it again.
void appendToFile(OutputSession& session, const std::string& name, const std::string& text);

// Writes a picture or a page in one piece: through a temporary file beside
// it, renamed over name once written, so that no reader finds half of it
// and a rerun replaces it. The temporary file is created new, never opened
// when its name exists (a file that a killed run left behind, or a link
// placed there), under a short name of this process's own with random bits
// that no other process can foretell. A file that cannot be written is
// named as the output files are, and name is left as it was. Returns
// whether it was written.
bool writeWholeFile(OutputSession& session, const std::string& name, const std::string& content);

// A file a batch writes line by line that replaces the file of its name as
// a whole: the lines go to a temporary file of this process (named as
// writeWholeFile names its own), which is renamed over name when the file
// is committed: at the end of the batch, at its destruction, or when an
// interrupt ends the program. A reader never finds part of it, and each
// batch replaces the last one's. A file that cannot be written is named as
// the output files are, and name is left as it was.
class ReplacingFile {
public:
    ReplacingFile(OutputSession& session, const std::string& name);
    ~ReplacingFile() { commit(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Writes text that ends with a whole line.
    void write(const std::string& text) { file_.write(text); }
    // The first call puts the file in place; later ones do nothing.
    void commit();

private:
    OutputSession& session_;
    std::string name_;
    std::string temporary_;
    OutputFile file_;
    bool committed_ = false;
};

// What keeps files from being created in the current folder ("permission
// denied", "it is on a read-only file system or disk", "the disk or the
// quota is full", "no file can be created there"), or an empty text: a
// temporary file is created there and removed again.
std::string currentFolderWriteProblem(OutputSession& session);

// Removes the temporary files of whole-file writes and replacing files
// from the current folder: those a run ended before renaming them (killed,
// or stopped by a power cut) left behind. Only for a run that holds the
// folder's lock, since every run writing there holds it while it does.
void removeTemporaryFilesLeftBehind(OutputSession& session);

#endif
