// The matrix reader of mode N. It reads the same text files as the mode T
// reader but never asks anything: a line holding any character other than
// 0, 1, blank or tab (digits 2 to 9 included) is dropped whole, silently.
// A Ctrl-Z byte ends the file.
#ifndef BRAVOLIN_NODF_NODF_READER_H
#define BRAVOLIN_NODF_NODF_READER_H

enum class NodfReadOutcome {
    Read,         // the matrix is loaded, possibly with 0 rows or columns
    CannotOpen,   // nothing was read
    TooManyRows,  // a 3001st row was completed; the message is on the console
};

struct NodfReadResult {
    NodfReadOutcome outcome;
    int lostLines;  // lines below the first row dropped for a foreign character
};

// Loads the file named currentFileName into nodfReadMatrix, rows and
// columns from 0 (the caller has cleared it), and sets rowCount to the rows
// read and columnCount to the cell count of the first completed row. Cells
// beyond column 3000 are ignored, with a message the first time. Completing
// a 3001st row stops the reading with its message; what follows is the
// driver's business.
NodfReadResult readNodfMatrix();

#endif
