// Questions shared by the drivers of both modes.
#include "common/questions.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/shared_state.h"

void askNullModelQuestions(AnswerSource& answers)
{
    nullModelsEnabled = askYesNo(answers, "Performe Null Model Analyses? (Y/N) : ");
    if (nullModelsEnabled == 0)
        return;
    std::printf("Number of simulations: (1 to 1000) : ");
    readInteger(answers, &simulationCount);
    if (simulationCount == 0 || static_cast<unsigned>(simulationCount) > 1000u)
        simulationCount = 1000;
}

void askFileExpression(AnswerSource& answers)
{
    for (;;) {
        std::printf("Enter file name expression: Ex: *.TXT, *.NET, etc...\n");
        std::printf("- ");
        const std::string expression = readWord(answers);
        if (expression.size() <= static_cast<std::size_t>(kMaxNameLength)) {
            std::memcpy(fileExpression, expression.c_str(), expression.size() + 1);
            return;
        }
        // No file name is that long, and a cut expression could match
        // files the user did not name: it matches nothing.
        reportNothingMatched(expression.c_str());
    }
}

void reportNothingMatched(const char* expression)
{
    std::printf("File: %s not found...\n\n", expression);
    beep();
}
