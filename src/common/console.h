// Console helpers shared by both modes: reading answers as words, the bell,
// the timed wait before the program ends, and the clock readings they use.
//
// Standard input may end at any question (a script ran out of answers, the
// user closed the console). The program then ends at once with exit code 0
// instead of asking again forever.
#ifndef BRAVOLIN_COMMON_CONSOLE_H
#define BRAVOLIN_COMMON_CONSOLE_H

#include <cstddef>

// Ends the program with exit code 0, the only code it ever returns.
[[noreturn]] void endProgram();

// Reads the next whitespace-delimited word of standard input into buffer.
// A word longer than the buffer is cut to what fits; the rest of it is
// consumed. At the end of input the program ends (endProgram).
void readWord(char* buffer, std::size_t size);

// Reads a word and takes the decimal integer it starts with, as a C scanf
// "%d" would. Returns false, leaving value as it was, when the word does not
// start with a number. A number beyond the int range is stored as -1, so
// that callers that test the range reject it.
bool readInteger(int* value);

// Reads an answer into answerBuffer and returns its first character
// upper-cased ('Y', 'N', 'T', ...); only the first character of an answer
// ever counts.
char readAnswerInitial();

// Asks prompt until the answer starts with Y or N (either case), sounding
// the bell after any other answer. Returns 1 for yes, 0 for no.
int askYesNo(const char* prompt);

// Sounds the console bell: the BEL character on standard output.
void beep();

// The seconds field (0..59) of the current local time.
int currentSecondsField();

// Returns once the seconds field of the local time has advanced by seconds.
void waitSeconds(int seconds);

#endif
