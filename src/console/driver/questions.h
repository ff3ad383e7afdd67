// The questions of a run, unless the command line answered them: the mode,
// the yes/no questions of each mode, whether to run the null models and
// how many simulations, and the file name expression.
#ifndef BRAVOLIN_CONSOLE_DRIVER_QUESTIONS_H
#define BRAVOLIN_CONSOLE_DRIVER_QUESTIONS_H

#include <optional>
#include <string>

#include "console/driver/program_run.h"
#include "console/system/console.h"
#include "formats/analysis_mode.h"

// Asks for the mode until the answer starts with N or T; no bell here.
AnalysisMode askMode(AnswerSource& answers);

// A yes/no question, unless the command line answered it.
bool answerYesNo(ProgramRun& run, const char* prompt, const std::optional<bool>& given);

// Whether to run the null models and, if so, the number of simulations,
// unless the command line answered them. Asked, a count of 0 or above
// 1000, a negative one (above 1000 as an unsigned number) or, on the first
// run, a word that is no number gives 1000; a later run keeps the earlier
// count for such a word.
void answerNullModelQuestions(ProgramRun& run);

// Asks for the file name expression and returns it whole, however long.
std::string askFileExpression(AnswerSource& answers);

// The message for an expression that matched no file, with the bell.
void reportNothingMatched(const char* expression, const ConsoleStyle& style);

#endif
