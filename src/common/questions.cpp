// Questions shared by the drivers of both modes.
#include "common/questions.h"

#include <cstdio>

#include "common/console.h"
#include "common/shared_state.h"

void askNullModelQuestions()
{
    nullModelsEnabled = askYesNo("Performe Null Model Analyses? (Y/N) : ");
    if (nullModelsEnabled == 0)
        return;
    std::printf("Number of simulations: (1 to 1000) : ");
    readInteger(&simulationCount);
    if (simulationCount == 0 || static_cast<unsigned>(simulationCount) > 1000u)
        simulationCount = 1000;
}

void askFileExpression()
{
    std::printf("Enter file name expression: Ex: *.TXT, *.NET, etc...\n");
    std::printf("- ");
    readWord(fileExpression, sizeof fileExpression);
}
