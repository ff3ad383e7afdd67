// The questions that both modes ask in the same words: whether to run the
// null models and how many simulations, and the file name expression.
#ifndef BRAVOLIN_CONSOLE_DRIVER_QUESTIONS_H
#define BRAVOLIN_CONSOLE_DRIVER_QUESTIONS_H

#include <string>

#include "console/system/console.h"

struct RunSettings;

// Asks whether to run the null models and, if so, for the number of
// simulations. A count of 0 or above 1000, a negative one (above 1000 as an
// unsigned number) or, on the first run, a word that is no number gives
// 1000; a later run keeps the earlier count for such a word.
void askNullModelQuestions(AnswerSource& answers, const ConsoleStyle& style, RunSettings& settings);

// Asks for the file name expression and returns it whole, however long.
std::string askFileExpression(AnswerSource& answers);

// The message for an expression that matched no file, with the bell.
void reportNothingMatched(const char* expression, const ConsoleStyle& style);

#endif
