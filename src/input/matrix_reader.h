// The matrix text file and its reader for mode T.
//
// A matrix file is text: every line holding "0" and "1" characters is a row,
// blanks and tabs are ignored anywhere, LF and CR both end a line. Lines that
// hold any other character are lost (silently above the first row, after a
// question to the user below it); the digits 2 to 9 reject the whole file.
#ifndef BRAVOLIN_INPUT_MATRIX_READER_H
#define BRAVOLIN_INPUT_MATRIX_READER_H

// Loads the file named currentFileName into PresenceMatrix (rows and columns
// from 1; the driver has cleared it) and sets rowCount, columnCount,
// rowsRead and columnsRead. Returns false, after printing why, when the file
// cannot be opened, holds an invalid cell, or has no row or no column. An N
// answer to the question about a foreign character ends the program.
bool readMatrixFile();

#endif
