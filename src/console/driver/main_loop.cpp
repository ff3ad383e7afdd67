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
#include "console/driver/command_line.h"
#include "console/driver/interrupts.h"
#include "console/driver/nodf_mode.h"
#include "console/driver/run_context.h"
#include "console/driver/temperature_mode.h"
#include "console/output/output_session.h"
#include "console/system/file_system.h"
#include "console/system/console.h"
#include "console/system/local_time.h"
#include "console/system/platform.h"

static void printBanner()
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

// Asks for the mode until the answer starts with N or T; no bell here.
static AnalysisMode askMode(AnswerSource& answers)
{
    for (;;) {
        consolePrintf("Run matrix's NODF (press N) or Temperature (press T): ");
        const char answer = readAnswerInitial(answers);
        for (AnalysisMode mode : {AnalysisMode::Nodf, AnalysisMode::Temperature})
            if (answer == modeLetter(mode))
                return mode;
    }
}

// The runs of the program, from the mode question of the first to the
// farewell; returns when the program is to end.
static void runDialogue(RunContext& run)
{
    for (;;) {
        run.settings.debug = run.output.files().canOpen(kDebugMarkerFileName);
        if ((run.given.mode ? *run.given.mode : askMode(run.answers)) == AnalysisMode::Nodf) {
            runNodfMode(run);
            return;
        }
        if (!runTemperatureMode(run) || run.scripted)
            return;
        run.given = CommandLine{};
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
static int usageError(const std::string& message)
{
    std::fprintf(stderr, "bravolin: %s\nTry 'bravolin --help' for more information.\n",
                 message.c_str());
    return 2;
}

// Takes the options of a command line that has no usage error: help and
// version, and the folder to work in. Returns the exit code when the
// program is to end here.
static std::optional<int> takeImmediateOptions(const CommandLine& options, FileSystem& files)
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

int runProgram(int argc, char* argv[], const ProgramEnvironment& environment)
{
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    if (!parsed.error.empty())
        return usageError(parsed.error);
    FileSystem systemFiles;
    FileSystem& files = environment.files != nullptr ? *environment.files : systemFiles;
    if (std::optional<int> code = takeImmediateOptions(parsed.options, files))
        return *code;

    const bool scripted = isScripted(parsed.options);
    ProgressLines progress = scripted ? ProgressLines::Simulations : ProgressLines::Classic;
    if (parsed.options.quiet || (scripted && !standardOutputIsTerminal()))
        progress = ProgressLines::Hidden;
    OutputSession output(files, ConsoleStyle{!scripted, progress});
    FinishedOnInterrupt finished(output);
    ScriptedAnswers script;
    ConsoleAnswers console;
    RunContext run(scripted ? static_cast<AnswerSource&>(script) : console, output);
    run.given = parsed.options;
    run.scripted = scripted;
    run.seed = parsed.options.seed;
    run.threads = parsed.options.threads.value_or(0);
    run.environment = environment;
    // A scripted run keeps one seed for both seeding points, so that the
    // one it prints reruns it.
    if (scripted)
        run.seed = seedOfRun(run);
    run.pictures.pictures = parsed.options.svg;
    run.pictures.page = parsed.options.report;
    run.readTables = parsed.options.table;
    run.tableLayout = {parsed.options.header, parsed.options.rowNames, parsed.options.transpose};
    run.fixedFixed.enabled = parsed.options.fixedFixed;
    run.fixedFixed.burnIn = parsed.options.fixedFixedBurnIn.value_or(-1);
    run.fixedFixed.thin = parsed.options.fixedFixedThin.value_or(-1);
    run.writeResults = parsed.options.results;
    run.seedPerFile = parsed.options.seedPerFile;
    run.startDate = isoLocalTime(std::time(nullptr));
    seedGenerator(run);
    printBanner();
    if (run.scripted)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(*run.seed));
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
