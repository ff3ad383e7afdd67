// What the readers of matrix text share. A file is read as bytes on every
// system, so that a matrix reads the same everywhere: both matrix readers
// accept LF, CR and CR LF line ends themselves, and both stop at a Ctrl-Z
// byte, which ends the text of files saved by older Windows and DOS
// editors.
#ifndef BRAVOLIN_FORMATS_INPUT_TEXT_INPUT_H
#define BRAVOLIN_FORMATS_INPUT_TEXT_INPUT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bravolin/matrix.h"
#include "formats/input/reader_messages.h"

// Ctrl-Z: the end of a matrix file, whatever follows it.
constexpr char kEndOfFileMark = 0x1A;

// The text without its UTF-8 byte order mark, which Windows editors and
// spreadsheets put at the start of a file.
std::string_view withoutByteOrderMark(std::string_view text);

// Whether the text starts with a UTF-16 byte order mark (FF FE or FE FF),
// as Excel's "Unicode text" and Windows editors write it.
bool startsAsUtf16(std::string_view text);

// The message that the file named name is UTF-16 text, which no reader
// reads, and how to save it instead.
std::string utf16TextMessage(const std::string& name);

// Counts the lines of a text read byte by byte: LF, CR and CR LF each end
// one.
class LineCounter {
public:
    // Takes the byte just read.
    void take(int c)
    {
        if (c == '\n' && !afterCarriageReturn_)
            line_++;
        if (c == '\r')
            line_++;
        afterCarriageReturn_ = c == '\r';
    }
    // The line of the next byte, from 1.
    int line() const { return line_; }

private:
    int line_ = 1;
    bool afterCarriageReturn_ = false;
};

// The rows a reader cut to the width of the first row, named once per
// file: the first of them, and how many more.
class CutRows {
public:
    void note(int line)
    {
        if (count_++ == 0)
            firstLine_ = line;
    }
    int count() const { return count_; }
    // Says the message, for rows cut after column columns, about the file
    // whose name as messages give it (printableFileName) is name.
    void report(const ReaderMessages& say, const std::string& name, int columns) const;

private:
    int count_ = 0;
    int firstLine_ = 0;
};

// Where a reader of matrix text stands in its file, in both readers: the
// file's name for messages (printableFileName), where its messages go,
// the rows completed and the cells of the line under way, the column
// count (0 until the first row is complete), whether the rest of the line
// is being ignored, the lines lost below the first row, the lines read and
// the rows cut.
struct MatrixTextState {
    MatrixTextState(const std::string& fileName, const ReaderMessages& messages);

    const std::string name;
    const ReaderMessages& say;
    int row = 0;
    int columns = 0;
    bool skipLine = false;
    int lostLines = 0;
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<std::uint8_t> line;
    LineCounter lines;
    CutRows cutRows;  // rows longer than the first
};

// The rule a file beyond the limit is told: "the program reads at most
// 3000 rows and 3000 columns".
std::string limitRule();

// "1 cell", "2 cells": a count and its noun, which takes an s.
std::string countOf(int count, const char* noun);

// The same after a determiner ("its last", "the"): the noun alone for one
// ("its last cell", "the row after it"), else as countOf says.
std::string countAfterDeterminer(int count, const char* noun);

// What a reader that stopped at the limit leaves unread of rest, the text
// from the byte it stopped at: the cells ("0" and "1") up to the end of
// that line, and the rows (lines holding a cell) after it, up to a Ctrl-Z
// byte.
struct UnreadText {
    int cellsOnLine = 0;
    int rowsAfter = 0;
};
UnreadText unreadText(std::string_view rest);

// Called when a reader has stopped at a Ctrl-Z byte of a file, rest being
// what follows it: says the file's name (name, as messages give it) when
// anything but blanks and line ends follows that byte, since that part of
// the file is not read.
void reportTextAfterEndOfFileMark(const ReaderMessages& say, std::string_view rest, const std::string& name);

// Feeds the bytes to take(byte) one at a time until it returns anything
// but Outcome::Continue, and returns that outcome, at on the byte after the
// last one taken. After a Ctrl-Z byte (Outcome::EndOfFileMark), says
// whether text follows it.
template <typename Outcome, typename Take>
Outcome takeBytes(std::string_view bytes, std::size_t& at, const MatrixTextState& state, Take take)
{
    Outcome outcome = Outcome::Continue;
    while (outcome == Outcome::Continue && at < bytes.size())
        outcome = take(static_cast<unsigned char>(bytes[at++]));
    if (outcome == Outcome::EndOfFileMark)
        reportTextAfterEndOfFileMark(state.say, bytes.substr(at), state.name);
    return outcome;
}

// The matrix of the rows a reader read: columns wide, each row cut to that
// width or padded with absences.
bravolin::Matrix matrixOfRows(const std::vector<std::vector<std::uint8_t>>& rows, int columns);

#endif
