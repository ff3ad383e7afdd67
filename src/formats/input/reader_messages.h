// What a reader says while it reads goes to a sink its caller passes, so
// that the console program prints it where it falls among the lines of its
// dialogue, and the R package and the page gather it.
#ifndef BRAVOLIN_FORMATS_INPUT_READER_MESSAGES_H
#define BRAVOLIN_FORMATS_INPUT_READER_MESSAGES_H

#include <functional>
#include <string>

// Takes each message of a reader as it is said: console text whose lines
// end in "\n", but for the report of a lost line that a question follows.
using ReaderMessages = std::function<void(const std::string& text)>;

#endif
