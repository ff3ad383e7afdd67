// Main loop of the program: the banner, the runs with their mode question,
// the question whether to run again, and the end of the program.
#include "console/driver/main_loop.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "bravolin/limits.h"
#include "bravolin/version.h"
#include "console/driver/batch_driver.h"
#include "console/driver/batch_policy.h"
#include "console/driver/command_line.h"
#include "console/driver/exit_code.h"
#include "console/driver/interrupts.h"
#include "console/driver/program_run.h"
#include "console/driver/questions.h"
#include "console/driver/seeding.h"
#include "console/driver/temperature_mode.h"
#include "console/output/output_session.h"
#include "console/system/console.h"
#include "console/system/file_system.h"
#include "console/system/platform.h"

namespace {

// The classic program's banner, word for word (its date and name included),
// as is its farewell below: scripts and users' logs match them.
void printBanner()
{
    consolePrintf("_______________________BRAVOLIN______________________\n\n");
    consolePrintf("Version: Pelum (%s)\n", bravolin::kVersion);
    consolePrintf("Date:    Dec, 15 2008\n");
    consolePrintf("Authors: The BRAVOLIN developers\n");
    consolePrintf("         BRAVOLIN temperature and packing maintainers\n");
    consolePrintf("         BRAVOLIN NODF maintainers\n");
    consolePrintf("Obs.: Maximum: %d rows and columns\n", bravolin::kMaxMatrixSide);
    consolePrintf("_____________________________________________________\n\n");
}

// The runs of the program, from the mode question of the first to the
// farewell; returns when the program is to end.
void runDialogue(ProgramRun& run)
{
    RunSettings& settings = run.options.settings;
    for (;;) {
        settings.debug = run.output.files().canOpen(kDebugMarkerFileName);
        const std::optional<AnalysisMode>& given = run.options.given().mode;
        settings.mode = given ? *given : askMode(run.answers);
        if (!runBatch(run) || !batchPolicy(settings.mode).asksToRunAgain || run.options.scripted())
            return;
        run.options.startLaterRun();
        consolePrintf("\nEnd of processing. Do you want to run it again? (Y/N)");
        beep(run.output.style());
        // Input that ends here ends the program as it is: every batch ran.
        const std::optional<std::string> again = run.answers.nextWord();
        if (!again)
            return;
        if (std::toupper(static_cast<unsigned char>((*again)[0])) != 'Y') {
            consolePrintf("Obrigado por usar o BRAVOLIN!\n");
            waitSeconds(3);
            return;
        }
        consolePrintf("\n\n\n");
    }
}

// Says what is wrong with the command line, on standard error; a usage
// error ends the program with code 2 before anything is read or written.
int usageError(const std::string& message)
{
    std::fprintf(stderr, "bravolin: %s\nTry 'bravolin --help' for more information.\n", message.c_str());
    return 2;
}

// Takes the options of a command line that has no usage error: help and
// version, and the folder to work in. Returns the exit code when the
// program is to end here.
std::optional<int> takeImmediateOptions(const CommandLine& options, FileSystem& files)
{
    if (options.help || options.version) {
        std::fputs(options.help ? usageText().c_str() : versionText().c_str(), stdout);
        return 0;
    }
    if (options.directory) {
        const std::string problem = files.enterFolder(*options.directory);
        if (!problem.empty())
            return usageError("cannot work in the folder '" + *options.directory + "': " + problem);
    }
    return std::nullopt;
}

// How the console of a run looks: no bell in a scripted run, and its
// progress lines hidden with -q or where its output is no terminal.
ConsoleStyle consoleStyleOf(const RunOptions& options)
{
    const bool scripted = options.scripted();
    ProgressLines progress = scripted ? ProgressLines::Simulations : ProgressLines::Classic;
    if (options.commandLine().quiet || (scripted && !standardOutputIsTerminal()))
        progress = ProgressLines::Hidden;
    return {!scripted, progress};
}

}  // namespace

int runProgram(int argc, char* argv[], const ProgramEnvironment& environment)
{
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    if (!parsed.error.empty())
        return usageError(parsed.error);
    FileSystem systemFiles;
    FileSystem& files = environment.files != nullptr ? *environment.files : systemFiles;
    if (std::optional<int> code = takeImmediateOptions(parsed.options, files))
        return *code;

    RunOptions options(parsed.options, std::time(nullptr));
    OutputSession output(files, consoleStyleOf(options));
    FinishedOnInterrupt finished(output);
    ScriptedAnswers script;
    ConsoleAnswers console;
    RunState state(output.style());
    ProgramRun run{options, state, output, options.scripted() ? static_cast<AnswerSource&>(script) : console,
                   environment};
    seedGenerator(options, state);
    printBanner();
    if (options.scripted())
        consolePrintf("Seed: %u\n", static_cast<unsigned>(*options.seed()));
    bool inputEnded = false;
    try {
        runDialogue(run);
    } catch (const InputEnded&) {
        // A script ran out of answers, or the console was closed, before
        // the analysis was complete: the program ends rather than ask
        // again forever, and says so.
        inputEnded = true;
    }
    return finishRun(run, inputEnded);
}
