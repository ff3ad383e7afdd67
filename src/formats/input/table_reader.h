// Field tables: a matrix kept as a delimited table, as R, spreadsheets and
// databases export it, with names for its sites and species and numbers for
// its cells.
//
// The delimiter is found from the first two lines that are not blank: a
// tab if one holds a tab, else a semicolon, else a comma, else runs of
// blanks and tabs; what stands between quotes does not count. Fields may
// be quoted as R and spreadsheets write them: inside quotes, a delimiter or
// a line end belongs to the field, and both a doubled quote "" (RFC 4180,
// write.csv) and \" (write.table) stand for a quote; a backslash before any
// other character is kept. LF, CR LF and CR end a line; a UTF-8 byte order
// mark at the start and blank lines are skipped.
//
// The first row is a header of names when any of its fields after the
// first is not a cell value, when its first field is empty (the corner
// write.csv and write.table write above the row names), when it has one
// field fewer than the row below it (write.table), or when every field of
// it is quoted and the row below has no quoted field after its first (R
// quotes every name, and on data rows the row names but not the numbers).
// The first column holds row names when the header's first field is empty,
// when the header is one field shorter than the data rows, when no cell of
// the column is a number, or when it is a column of identifiers: integers,
// all different, not all 0 and 1, that are 1, 2, ..., m in order or stand
// under a header field plot, site, id, sample, station, island, quadrat,
// transect, locality or name (any letter case, alone or followed by s, _id
// or digits). --header and --row-names decide instead, for the file as
// written (before transposing).
//
// A cell value is a number in C notation (1, 0.5, 1e3, and 0,5 in
// semicolon and tab tables) or TRUE or FALSE in any letter case: above 0 or
// TRUE is a presence, 0 or FALSE an absence. Anything else (an empty cell,
// NA, text, a negative number, Inf, NaN) is an error, as is a row with
// more or fewer fields than the others. A file of UTF-16 text, and one
// whose every line is a run of 0s and 1s (a matrix file), are refused with
// a message that says how to read them.
#ifndef BRAVOLIN_FORMATS_INPUT_TABLE_READER_H
#define BRAVOLIN_FORMATS_INPUT_TABLE_READER_H

#include <optional>
#include <string>
#include <string_view>

#include "bravolin/abundance_matrix.h"
#include "bravolin/matrix.h"
#include "formats/input/reader_messages.h"

enum class TableOutcome {
    Read,        // the matrix and its names are read
    Skipped,     // the file cannot be used; the reader said why
    MatrixFile,  // a matrix file of 0s and 1s, for the matrix readers; the reader said so
};

// How to read a table, as the command line says: whether its first row is
// a header and its first column row names (none: found from the table),
// and whether its rows are species.
struct TableLayout {
    std::optional<bool> header;
    std::optional<bool> rowNames;
    bool transpose = false;
    // Keep each cell's number as an abundance (TRUE 1, FALSE 0) beside the
    // presences, for the metrics of abundances.
    bool abundances = false;
};

struct TableRead {
    TableOutcome outcome;
    bravolin::Matrix matrix;
    // With layout.abundances: the cells' numbers, in the matrix's order and
    // with its names.
    std::optional<bravolin::AbundanceMatrix> abundances;
    // What was read, as one line for the console: the size, the header and
    // the row names, each with the option that would read it the other way:
    // "File: dune.csv: 20 sites x 30 species; header row of names; first
    // column "Plot" read as site names (--row-names no reads it as a
    // species).\n" Empty when Skipped.
    std::string announcement;
};

// Reads the table text bytes of the file named name (named in messages):
// rows are sites and columns species, or the other way round when the
// layout transposes. Why a table cannot be used is said to say; an error
// names the file, its line (from 1) and field (from 1, the row names' field
// included): "File: NAME: line 3, column 4: "NA" is not a number.\n"
TableRead readTableText(std::string_view bytes, const std::string& name, const TableLayout& layout,
                        const ReaderMessages& say);

#endif
