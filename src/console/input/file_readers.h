// The console program's end of the readers: a file of the batch is read
// whole through the run's file system and handed to the formats library's
// readers, whose
// messages are printed as they are said, among the lines of the dialogue,
// and whose question about a lost line is asked on the console.
#ifndef BRAVOLIN_CONSOLE_INPUT_FILE_READERS_H
#define BRAVOLIN_CONSOLE_INPUT_FILE_READERS_H

#include <string>

#include "console/system/console.h"
#include "console/system/file_system.h"
#include "formats/input/matrix_reader.h"
#include "formats/input/nodf_reader.h"
#include "formats/input/table_reader.h"

// Prints a reader's message on the console.
void printReaderMessage(const std::string& text);

// The mode T reader's question about a lost line, asked of answers until
// they start with Y or N; none for answers that show no question (a
// script), which the reader then answers yes on its own. Input that ends
// at the question throws InputEnded.
LostLineQuestion lostLineQuestion(AnswerSource& answers);

// Whether the file of that UTF-8 name starts as UTF-16 text (false when it
// cannot be read).
bool fileStartsAsUtf16(FileSystem& files, const std::string& name);

// Reads the file named name with the mode T reader; Skipped, with a
// message, when it cannot be opened.
MatrixRead readMatrixFile(FileSystem& files, const std::string& name, AnswerSource& answers);

// Reads the file named name with the mode N reader; CannotOpen, without a
// message (the driver has its own), when it cannot be opened.
NodfRead readNodfFile(FileSystem& files, const std::string& name);

// Reads the file named name as a table; Skipped, with a message, when it
// cannot be opened.
TableRead readTableFile(FileSystem& files, const std::string& name, const TableLayout& layout);

#endif
