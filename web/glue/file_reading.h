// Reading a file the page was given, as the console program reads it: as a
// table (--table, in the layout the page's controls give), and a matrix
// file of 0s and 1s, which the table reader tells apart, as the mode's
// matrix reader reads it without --table. Nothing is asked: a line lost to
// a foreign character is reported, as in a scripted run.
#ifndef BRAVOLIN_WEB_GLUE_FILE_READING_H
#define BRAVOLIN_WEB_GLUE_FILE_READING_H

#include <optional>
#include <string>
#include <string_view>

#include "bravolin/abundance_matrix.h"
#include "bravolin/matrix.h"
#include "formats/analysis_mode.h"
#include "formats/input/table_reader.h"

enum class FileOutcome {
    Read,       // the matrix is read
    Skipped,    // the file cannot be used; the messages say why
    EndsBatch,  // mode N's matrix reader stopped at a 3001st row, which ends its batch
};

struct FileRead {
    FileOutcome outcome = FileOutcome::Skipped;
    bool table = false;        // read as a table, or as a matrix file
    bravolin::Matrix matrix;
    // A table's numbers, read when the layout asks for abundances; none
    // for a matrix file.
    std::optional<bravolin::AbundanceMatrix> abundances;
    int lostLines = 0;         // lines or cells the matrix reader lost
    std::string announcement;  // how a table was read, as a scripted run says it
    std::string messages;      // what the reader said, console text
};

// Reads the bytes of the file named name for an analysis in mode.
FileRead readPageFile(std::string_view bytes, const std::string& name, AnalysisMode mode, const TableLayout& layout);

#endif
