// Console helpers shared by both modes: where the answers to the questions
// come from, reading them as words, the bell, the timed wait before the
// program ends, and the clock readings they use.
//
// Standard input may end at any question (a script ran out of answers, the
// user closed the console). The driver then ends the program at once instead
// of asking again forever.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_CONSOLE_H
#define BRAVOLIN_CONSOLE_SYSTEM_CONSOLE_H

#include <optional>
#include <string>

#include "formats/text/text_format.h"

// Where the answers to the program's questions come from.
class AnswerSource {
public:
    virtual ~AnswerSource() = default;
    // The next answer, a whitespace-delimited word; nothing once input has
    // ended.
    virtual std::optional<std::string> nextWord() = 0;
    // Whether someone reads the questions before answering. A source that
    // answers on its own (a scripted run) is shown no question at all.
    virtual bool showsQuestions() const { return true; }
};

// The words typed on standard input. An interrupt while it waits for one
// ends the program at once: nothing is half written at a question.
class ConsoleAnswers : public AnswerSource {
public:
    std::optional<std::string> nextWord() override;
};

// The answers of a scripted run: nobody is asked anything, and nothing is
// ever typed. A question that must be settled all the same (the reader's
// about a lost line) takes its default.
class ScriptedAnswers : public AnswerSource {
public:
    std::optional<std::string> nextWord() override { return std::nullopt; }
    bool showsQuestions() const override { return false; }
};

// How progress is shown: not at all (-q, or a scripted run whose output
// is no terminal), with the dialogue's classic lines, or with a scripted
// run's line of each file's simulations.
enum class ProgressLines { Hidden, Classic, Simulations };

// How the console of a program run looks, settled at its start: whether
// the bell sounds (never in a scripted run) and how progress is shown.
struct ConsoleStyle {
    bool bells = true;
    ProgressLines progress = ProgressLines::Classic;
};

// Thrown by the question helpers below when input has ended; the driver
// catches it and ends the program.
struct InputEnded {};

// The next answer word; throws InputEnded at the end of input.
std::string readWord(AnswerSource& answers);

// Reads a word and takes the decimal integer it starts with, as a C scanf
// "%d" would: an optional sign, then digits, leading zeros and all. Returns
// false, leaving value as it was, when the word does not start with a
// number. A number beyond the int range is stored as -1, so that callers
// that test the range reject it.
bool readInteger(AnswerSource& answers, int* value);

// The decimal integer that word starts with, as readInteger takes it.
std::optional<int> leadingInteger(const std::string& word);

// Reads an answer and returns its first character upper-cased ('Y', 'N',
// 'T', ...); only the first character of an answer ever counts.
char readAnswerInitial(AnswerSource& answers);

// Asks prompt until the answer starts with Y or N (either case), sounding
// the bell of style after any other answer.
bool askYesNo(AnswerSource& answers, const char* prompt, const ConsoleStyle& style);

// printf to the console (standard output), through writeConsole, so that
// names in UTF-8 show as they are on every system.
void consolePrintf(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(1, 2);

// Sounds the console bell, where style rings it: the BEL character on
// standard output.
void beep(const ConsoleStyle& style);

// The seconds field (0..59) of the current local time.
int currentSecondsField();

// Returns once the seconds field of the local time has advanced by seconds.
// An interrupt during the wait ends the program at once.
void waitSeconds(int seconds);

#endif
