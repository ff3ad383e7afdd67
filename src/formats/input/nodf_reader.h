// The matrix reader of mode N. It reads the same text files as the mode T
// reader but never asks anything: a line holding any character other than
// 0, 1, blank or tab (digits 2 to 9 included) is dropped whole, silently
// above the first row, named below it. A Ctrl-Z byte ends the file; a
// UTF-8 byte order mark at its start is skipped.
#ifndef BRAVOLIN_FORMATS_INPUT_NODF_READER_H
#define BRAVOLIN_FORMATS_INPUT_NODF_READER_H

#include <string>
#include <string_view>

#include "bravolin/matrix.h"
#include "formats/input/reader_messages.h"

enum class NodfReadOutcome {
    Read,         // the matrix is read, possibly with 0 rows or columns
    CannotOpen,   // nothing was read
    TooManyRows,  // a 3001st row was read; the reader said so
};

struct NodfRead {
    NodfReadOutcome outcome;
    // Lines below the first row dropped for a foreign character, and one
    // more when cells were dropped from rows longer than the first or
    // beyond column 3000.
    int lostLines;
    bravolin::Matrix matrix;
};

// Reads the matrix text bytes of the file named name (named in messages),
// saying its messages to say: its rows, and as many columns as the first row completed by a line end
// has; the cells a longer row has beyond those are dropped, and named once.
// Cells beyond column 3000 are ignored, with a message the first time, and
// the rows that had them are counted in one message once the file is read.
// A 3001st row stops the reading with its message; what follows is the
// driver's business.
NodfRead readNodfText(std::string_view bytes, const std::string& name, const ReaderMessages& say);

#endif
