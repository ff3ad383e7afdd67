// The matrix reader of mode N. It reads the same text files as the mode T
// reader but never asks anything: a line holding any character other than
// 0, 1, blank or tab (digits 2 to 9 included) is dropped whole, silently.
#ifndef BRAVOLIN_NODF_NODF_READER_H
#define BRAVOLIN_NODF_NODF_READER_H

// Loads the file named currentFileName into nodfReadMatrix, rows and
// columns from 0 (the caller has cleared it), and sets rowCount to the rows
// read and columnCount to the cell count of the first completed row. Cells
// beyond column 3000 are ignored, with a message the first time. Returns
// false when the file cannot be opened. Completing a 3001st row ends the
// program once the user has typed a word.
bool readNodfMatrix();

#endif
