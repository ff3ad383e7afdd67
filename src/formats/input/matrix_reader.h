// The matrix text file and its reader for mode T.
//
// A matrix file is text: every line holding "0" and "1" characters is a row,
// blanks and tabs are ignored anywhere, LF and CR both end a line, and a
// Ctrl-Z byte ends the file. Lines that hold any other character are lost
// (silently above the first row, after a question to the user below it);
// the digits 2 to 9 reject the whole file.
#ifndef BRAVOLIN_FORMATS_INPUT_MATRIX_READER_H
#define BRAVOLIN_FORMATS_INPUT_MATRIX_READER_H

#include <functional>
#include <string>
#include <string_view>

#include "bravolin/matrix.h"
#include "formats/input/reader_messages.h"

enum class ReadOutcome {
    Read,        // the matrix is read
    Skipped,     // the file cannot be used; the reader said why
    EndProgram,  // the question about a lost line was answered no
};

// Why a file was skipped, where the driver has more to say about it.
enum class ReadProblem { None, CannotOpen, NotZeroOrOne, NoRow };

struct MatrixRead {
    ReadOutcome outcome;
    // Lines below the first row lost to a foreign character, rows cut to
    // the width of the first row, and one more for a file that the limit
    // left partly unread.
    int lostLines;
    bravolin::Matrix matrix;
    ReadProblem problem = ReadProblem::None;
};

// Asked at each character below the first row that is not 0 or 1, once the
// reader has said where it stands and that its line will be lost: whether
// to read on, losing the line (true), or to end the program (false).
// Whatever it throws passes through the reader. The console program asks
// its user; a reader given no question answers yes on its own, as a script,
// the R package and the page have it.
using LostLineQuestion = std::function<bool()>;

// Reads the matrix text bytes of the file named name (named in messages),
// after a UTF-8 byte order mark, saying its messages to say. Reports
// Skipped, after saying why, when the text holds an invalid cell, or has no
// row or no column. A foreign character below the first row asks
// askToReadOn whether to go on; without a question the line is reported
// once, when it ends, with its number of foreign characters, and an invalid
// cell with a hint at --table, as a script is told. Rows longer than the
// first are cut to its width and named once. The reading stops at a 3001st
// row or a 3001st cell on a line; the matrix then ends there, and what was
// left unread is said once.
MatrixRead readMatrixText(std::string_view bytes, const std::string& name, const ReaderMessages& say,
                          const LostLineQuestion& askToReadOn);

#endif
