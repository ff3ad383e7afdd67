// Questions shared by the drivers of both modes.
#include "common/questions.h"

#include <cstdio>

#include "common/console.h"
#include "common/shared_state.h"

void askNullModelQuestions(AnswerSource& answers)
{
    nullModelsEnabled = askYesNo(answers, "Performe Null Model Analyses? (Y/N) : ");
    if (nullModelsEnabled == 0)
        return;
    consolePrintf("Number of simulations: (1 to 1000) : ");
    readInteger(answers, &simulationCount);
    if (simulationCount == 0 || static_cast<unsigned>(simulationCount) > 1000u)
        simulationCount = 1000;
}

std::string askFileExpression(AnswerSource& answers)
{
    consolePrintf("Enter file name expression: Ex: *.TXT, *.NET, etc...\n");
    consolePrintf("- ");
    return readWord(answers);
}

void reportNothingMatched(const char* expression)
{
    consolePrintf("File: %s not found...\n\n", expression);
    beep();
}
