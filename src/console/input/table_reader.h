// Field tables: a matrix kept as a delimited table, as R, spreadsheets and
// databases export it, with names for its sites and species and numbers for
// its cells.
//
// The delimiter is found from the first two lines that are not blank: a
// tab if one holds a tab, else a semicolon, else a comma, else runs of
// blanks and tabs; what stands between quotes does not count. Fields may
// be quoted as RFC 4180 writes them (a delimiter, a line end or a doubled
// quote inside quotes). LF, CR LF and CR end a line; a UTF-8 byte order
// mark at the start and blank lines are skipped.
//
// The first row is a header of column names when any of its fields after
// the first is not a cell value. The first column holds row names when the
// header's first field is empty (as R's write.csv writes it), when the
// header is one field shorter than the data rows (as write.table writes
// it), or when every data row's first field is not a cell value.
//
// A cell value is a number in C notation (1, 0.5, 1e3, and 0,5 in
// semicolon and tab tables) or TRUE or FALSE in any letter case: above 0 or
// TRUE is a presence, 0 or FALSE an absence. Anything else (an empty cell,
// NA, text, a negative number, Inf, NaN) is an error, as is a row with
// more or fewer fields than the others.
#ifndef BRAVOLIN_CONSOLE_INPUT_TABLE_READER_H
#define BRAVOLIN_CONSOLE_INPUT_TABLE_READER_H

#include <string>
#include <string_view>

#include "bravolin/matrix.h"

enum class TableOutcome {
    Read,     // the matrix and its names are read
    Skipped,  // the file cannot be used; the reason is on the console
};

struct TableRead {
    TableOutcome outcome;
    bravolin::Matrix matrix;
};

// Reads the table text bytes of the file named name (named in messages):
// rows are sites and columns species, or the other way round when transpose
// is set. An error names the file, its line (from 1) and field (from 1,
// the row names' field included): "File: NAME: line 3, column 4: "NA" is
// not a number."
TableRead readTableText(std::string_view bytes, const std::string& name, bool transpose);

// Reads the file named name; Skipped, with a message, when it cannot be
// opened.
TableRead readTableFile(const std::string& name, bool transpose);

#endif
