// What a scripted run says of a file in which no row of 0s and 1s was
// found: how to read it, where its start or its name tells.
#ifndef BRAVOLIN_CONSOLE_INPUT_FORMAT_HINTS_H
#define BRAVOLIN_CONSOLE_INPUT_FORMAT_HINTS_H

#include <string>
#include <string_view>

// The hint for the file named name, whose bytes are these: that it is
// UTF-16 text, or, for a name that ends in .csv or .tsv, to read it with
// --table. Returns whether one was given.
bool hintAtFileFormat(const std::string& name, std::string_view bytes);

#endif
