// The questions of a run.
#include "console/driver/questions.h"

#include "formats/text/text_encoding.h"

AnalysisMode askMode(AnswerSource& answers)
{
    for (;;) {
        consolePrintf("Run matrix's NODF (press N) or Temperature (press T): ");
        const char answer = readAnswerInitial(answers);
        for (AnalysisMode mode : {AnalysisMode::Nodf, AnalysisMode::Temperature})
            if (answer == modeLetter(mode))
                return mode;
    }
}

bool answerYesNo(ProgramRun& run, const char* prompt, const std::optional<bool>& given)
{
    if (given)
        return *given;
    return askYesNo(run.answers, prompt, run.output.style());
}

void answerNullModelQuestions(ProgramRun& run)
{
    RunSettings& settings = run.options.settings;
    if (const std::optional<int>& given = run.options.given().simulations) {
        settings.nullModels = *given > 0;
        if (settings.nullModels)
            settings.simulations = *given;
        return;
    }
    // "Performe" is the classic program's spelling, which scripts that
    // answer the dialogue match.
    settings.nullModels = askYesNo(run.answers, "Performe Null Model Analyses? (Y/N) : ", run.output.style());
    if (!settings.nullModels)
        return;
    consolePrintf("Number of simulations: (1 to 1000) : ");
    readInteger(run.answers, &settings.simulations);
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
