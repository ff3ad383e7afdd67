// Matrix packing: rows and columns of workingMatrix are reordered so that the
// presences gather in the upper left (rows rich in species on top, widespread
// species on the left), then lines that carry no information about
// nestedness are trimmed and the fill of what remains is measured.
#ifndef BRAVOLIN_PACKING_PACKING_H
#define BRAVOLIN_PACKING_PACKING_H

// Packs workingMatrix (rows 1..rowCount, columns 1..columnCount): eight
// iterations of a row pass and a column pass, the trimming, the recount of
// occupiedCount and packedPercentFill, and the packing report along the way.
void packMatrix();

// One reordering pass over the columns, and one over the rows.
void sortCols();
void sortRows();

// Advances spinnerCount and shows the progress line of mode T: runNumber
// and the next character of the spinner.
void showSpinner();

// Whether row `row` of workingMatrix holds no 1 in columns 1..columns, and
// likewise column `column` in rows 1..rows.
bool workingRowIsEmpty(int row, int columns);
bool workingColumnIsEmpty(int column, int rows);

// The percentage of cells equal to 1 among rows x columns cells, as packing
// and the driver print it: the fraction times 1000 divided by 10, computed
// in double and stored in single precision.
float fillPercentage(int ones, int rows, int columns);

#endif
