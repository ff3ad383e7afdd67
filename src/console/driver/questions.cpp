// Questions shared by the drivers of both modes.
#include "console/driver/questions.h"

#include "console/driver/run_context.h"
#include "console/system/console.h"
#include "formats/text/text_encoding.h"

void askNullModelQuestions(AnswerSource& answers, const ConsoleStyle& style, RunSettings& settings)
{
    // "Performe" is the classic program's spelling, which scripts that
    // answer the dialogue match.
    settings.nullModels = askYesNo(answers, "Performe Null Model Analyses? (Y/N) : ", style);
    if (!settings.nullModels)
        return;
    consolePrintf("Number of simulations: (1 to 1000) : ");
    readInteger(answers, &settings.simulations);
    if (settings.simulations == 0 || static_cast<unsigned>(settings.simulations) > 1000u)
        settings.simulations = 1000;
}

std::string askFileExpression(AnswerSource& answers)
{
    consolePrintf("Enter file name expression: Ex: *.TXT, *.NET, etc...\n");
    consolePrintf("- ");
    return readWord(answers);
}

void reportNothingMatched(const char* expression, const ConsoleStyle& style)
{
    consolePrintf("File: %s not found...\n\n", printableFileName(expression).c_str());
    beep(style);
}
