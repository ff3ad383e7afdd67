// The console program's end of the readers: a file of the batch is read
// whole through the run's file system and handed to the formats library's
// readers, whose messages are printed as they are said, among the lines of
// the dialogue, and whose question about a lost line is asked on the
// console. Each reader gives the file as the batch takes it.
#ifndef BRAVOLIN_CONSOLE_INPUT_FILE_READERS_H
#define BRAVOLIN_CONSOLE_INPUT_FILE_READERS_H

#include <optional>
#include <string>

#include "bravolin/abundance_matrix.h"
#include "bravolin/matrix.h"
#include "console/system/console.h"
#include "console/system/file_system.h"
#include "formats/input/matrix_reader.h"
#include "formats/input/table_reader.h"

// A file of the batch as read: its matrix, or why there is none. The
// reader has said why a file cannot be used.
struct FileRead {
    enum class Outcome {
        Read,
        Unusable,     // the file cannot be used
        EndsProgram,  // the question about a lost line was answered no
    };
    Outcome outcome = Outcome::Unusable;
    bravolin::Matrix matrix;
    // The abundances of a table, of the matrix's size; none for a matrix
    // file of 0s and 1s.
    std::optional<bravolin::AbundanceMatrix> abundances;
    int lostLines = 0;  // lines or cells the reader lost
};

// Prints a reader's message on the console.
void printReaderMessage(const std::string& text);

// The mode T reader's question about a lost line, asked of answers until
// they start with Y or N; none for answers that show no question (a
// script), which the reader then answers yes on its own. Input that ends
// at the question throws InputEnded.
LostLineQuestion lostLineQuestion(AnswerSource& answers);

// Reads the file named name with the mode T reader, its question asked of
// answers. A file that cannot be opened is said to be not found; in a
// scripted run a file without a row of 0s and 1s gets the hint at its
// format.
FileRead readTemperatureFile(FileSystem& files, const std::string& name, AnswerSource& answers, bool scripted);

// Reads the file named name with the mode N reader, which reads any file it
// can open (possibly into 0 rows or columns) unless it has too many rows;
// one that cannot be opened is said to be not found. A file without a row
// of 0s and 1s is said to have none, or, in a scripted run, gets the hint
// at its format.
FileRead readNodfFile(FileSystem& files, const std::string& name, bool scripted);

// Reads the file named name as a table in that layout; a file that cannot
// be opened is said to be not found, and a scripted run says how each
// table was read.
FileRead readTableFile(FileSystem& files, const std::string& name, const TableLayout& layout, bool scripted);

#endif
