// The matrix text file and its reader for mode T.
//
// A matrix file is text: every line holding "0" and "1" characters is a row,
// blanks and tabs are ignored anywhere, LF and CR both end a line, and a
// Ctrl-Z byte ends the file. Lines that hold any other character are lost
// (silently above the first row, after a question to the user below it);
// the digits 2 to 9 reject the whole file.
#ifndef BRAVOLIN_CONSOLE_INPUT_MATRIX_READER_H
#define BRAVOLIN_CONSOLE_INPUT_MATRIX_READER_H

#include <string>
#include <string_view>

#include "bravolin/matrix.h"
#include "console/system/console.h"

enum class ReadOutcome {
    Read,        // the matrix is read
    Skipped,     // the file cannot be used; the reason is on the console
    EndProgram,  // the user answered N to the question about a lost line
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

// Reads the matrix text bytes of the file named name (named in messages),
// after a UTF-8 byte order mark. Reports Skipped, after printing why, when
// the text holds an invalid cell (with a hint at --table for a script), or
// has no row or no column. A foreign character below the first row asks
// answers whether to go on, unless they are a script that answers yes on
// its own (the line is then reported once, with its number of foreign
// characters); input that ends at that question throws InputEnded. Rows
// longer than the first are cut to its width and named once. The reading
// stops at a 3001st row or a 3001st cell on a line; the matrix then ends
// there, and what was left unread is said once.
MatrixRead readMatrixText(std::string_view bytes, const std::string& name, AnswerSource& answers);

// Reads the file named name; Skipped, with a message, when it cannot be
// opened.
MatrixRead readMatrixFile(const std::string& name, AnswerSource& answers);

#endif
