// The steps both drivers take alike, with or without a command line.
#include "console/driver/run_context.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "bravolin/version.h"
#include "console/driver/questions.h"
#include "console/input/file_readers.h"
#include "console/output/output_failures.h"
#include "console/output/output_file.h"
#include "console/output/summary_line.h"
#include "console/system/console.h"
#include "console/system/platform.h"
#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"

bravolin::NullModelSettings nullModelSettings(RunContext& run, int rows, int columns)
{
    const bravolin::ThreadPlan plan =
        bravolin::planThreads(run.threads, rows, columns, modelsOfRun(run), run.environment.memoryBudget);
    bravolin::NullModelSettings threads;
    threads.simulations = run.settings.simulations;
    threads.fixedFixed = run.fixedFixed;
    threads.threadStarter = run.environment.threads;
    threads.stop = &interruptRequested();
    threads.threads = plan.threads;
    if (!plan.memoryNote.empty() && !run.threadLimitReported) {
        consolePrintf("%s\n", plan.memoryNote.c_str());
        run.threadLimitReported = true;
    }
    return threads;
}

std::vector<bravolin::NullModel> modelsOfRun(const RunContext& run)
{
    bravolin::NullModelSettings settings;
    settings.fixedFixed = run.fixedFixed;
    return bravolin::modelsOfRun(settings);
}

void noteThreadsRunning(RunContext& run, const bravolin::NullModelSettings& planned,
                        const bravolin::SimulationRun& ran)
{
    if (ran.threads >= planned.threads || run.threadStartReported)
        return;
    consolePrintf("Threads: only %d of %d could be started; the null models go on with %d.\n", ran.threads,
                  planned.threads, ran.threads);
    run.threadStartReported = true;
}

void reportOutOfMemory(RunContext& run, const std::string& fileName)
{
    endOpenSummaryLine();
    consolePrintf("File: %s could not be analysed: not enough memory.\n", printableFileName(fileName).c_str());
    run.tally.outOfMemory++;
    run.tally.skipped++;
}

std::uint32_t seedOfRun(const RunContext& run)
{
    return run.seed ? *run.seed : static_cast<std::uint32_t>(std::time(nullptr));
}

void seedGenerator(RunContext& run)
{
    run.generatorSeed = seedOfRun(run);
    run.generator = bravolin::Generator(run.generatorSeed);
}

namespace {

// A setting of the FF chain: the number given, or the default's rule.
std::string tradesSetting(long long given, const char* defaultRule)
{
    return given >= 0 ? std::to_string(given) + " trades" : std::string(defaultRule);
}

}  // namespace

PageSettings pageSettings(const RunContext& run, char mode)
{
    PageSettings settings = {{"Mode", mode == 'T' ? "T (temperature)" : "N (NODF)"}};
    if (mode == 'N')
        settings.push_back({"Ordered", run.settings.order ? "yes" : "no"});
    settings.push_back({"Seed", std::to_string(run.generatorSeed)});
    settings.push_back({"Seed per file", run.seedPerFile ? "yes" : "no"});
    if (run.settings.nullModels) {
        settings.push_back({"Simulations", std::to_string(run.settings.simulations)});
        std::string models;
        for (bravolin::NullModel model : modelsOfRun(run))
            models += (models.empty() ? "" : ", ") + std::string(bravolin::kNullModelNames[model]);
        settings.push_back({"Null models", models});
        if (run.fixedFixed.enabled) {
            settings.push_back({"FF burn-in", tradesSetting(run.fixedFixed.burnIn, "100 x rows trades")});
            settings.push_back({"FF thinning", tradesSetting(run.fixedFixed.thin, "10 x rows trades")});
        }
    }
    settings.push_back({"Version", bravolin::kVersion});
    settings.push_back({"Date", run.startDate});
    return settings;
}

bool answerYesNo(RunContext& run, const char* prompt, const std::optional<bool>& given)
{
    if (given)
        return *given;
    return askYesNo(run.answers, prompt);
}

void answerNullModelQuestions(RunContext& run)
{
    if (!run.given.simulations) {
        askNullModelQuestions(run.answers, run.settings);
        return;
    }
    run.settings.nullModels = *run.given.simulations > 0;
    if (run.settings.nullModels)
        run.settings.simulations = *run.given.simulations;
}

FileBatch takeBatch(RunContext& run, const char* stepStart)
{
    if (!run.given.patterns.empty()) {
        FileBatch batch(run.given.patterns);
        for (const std::string& name : batch.namedOutputFiles())
            consolePrintf("File: %s is not read: the program gives names like it to its own output files; "
                          "rename it to analyse it.\n",
                          printableFileName(name).c_str());
        for (const std::string& pattern : batch.unmatchedPatterns()) {
            consolePrintf("%s", stepStart);
            reportNothingMatched(pattern.c_str());
        }
        run.tally.unmatchedPatterns += static_cast<int>(batch.unmatchedPatterns().size());
        if (!batch.empty() || run.scripted)
            return batch;
    }
    for (;;) {
        const std::string expression = askFileExpression(run.answers);
        FileBatch batch({expression});
        if (!batch.empty())
            return batch;
        consolePrintf("%s", stepStart);
        reportNothingMatched(expression.c_str());
    }
}

bool folderWritable(RunContext& run)
{
    if (!run.scripted)
        return true;
    const std::string problem = currentFolderWriteProblem();
    if (problem.empty())
        return true;
    std::error_code error;
    const std::string folder =
        run.given.directory ? *run.given.directory : std::filesystem::current_path(error).u8string();
    std::fprintf(stderr, "bravolin: cannot write in the folder '%s': %s\n", folder.c_str(), problem.c_str());
    run.tally.folderUnwritable = true;
    return false;
}

TableRead readTableOfRun(const RunContext& run, const std::string& fileName)
{
    TableRead read = readTableFile(fileName, run.tableLayout);
    if (run.scripted)
        consolePrintf("%s", read.announcement.c_str());
    return read;
}

bool hintAtFileFormat(const RunContext& run, const std::string& fileName)
{
    if (!run.scripted)
        return false;
    if (fileStartsAsUtf16(fileName)) {
        printReaderMessage(utf16TextMessage(fileName));
        return true;
    }
    const std::string lower = lowerCaseName(fileName);
    const bool tableName = lower.size() > 4 && (lower.compare(lower.size() - 4, 4, ".csv") == 0 ||
                                                lower.compare(lower.size() - 4, 4, ".tsv") == 0);
    if (!tableName)
        return false;
    consolePrintf("File: %s has no row of 0s and 1s; to read it as a table, use --table.\n",
                  printableFileName(fileName).c_str());
    return true;
}

void seedFileGenerator(RunContext& run, const std::string& fileName)
{
    if (run.seedPerFile)
        run.generator = bravolin::Generator(seedOfFile(run.generatorSeed, fileName));
}

std::uint32_t seedOfFile(std::uint32_t seed, const std::string& fileName)
{
    std::uint32_t hash = 2166136261u;
    auto take = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (int shift = 0; shift < 32; shift += 8)
        take(static_cast<unsigned char>(seed >> shift));
    for (char c : fileName)
        take(static_cast<unsigned char>(c));
    return hash;
}

BatchResultTables::BatchResultTables(RunContext& run, char mode) : run_(run)
{
    if (!run.writeResults)
        return;
    ResultTableSettings settings;
    settings.mode = mode;
    settings.seed = run.generatorSeed;
    settings.simulations = run.settings.nullModels ? run.settings.simulations : 0;
    settings.ordered = run.settings.order;
    settings.version = bravolin::kVersion;
    settings.date = run.startDate;
    run.results = std::make_unique<ResultTables>(settings);
}

void BatchResultTables::finish()
{
    if (!run_.results)
        return;
    run_.results->commit();
    run_.results.reset();
}

namespace {

void printResultLine(const RunContext& run, const MatrixResults& results)
{
    if (!run.scripted)
        return;
    consolePrintf("%s", resultLine(results).c_str());
    // A result is read as it comes, also from a log file or a pipe, where
    // standard output would otherwise hold it until its buffer fills.
    std::fflush(stdout);
}

}  // namespace

void reportTemperatureResults(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                              const bravolin::TemperatureResult& observed,
                              const bravolin::TemperatureNullModels* null, std::uint32_t fileSeed,
                              Completeness completeness)
{
    const MatrixResults results = temperatureResults(
        fileName, observed, null, null ? std::optional<std::uint32_t>(fileSeed) : std::nullopt, completeness);
    if (completeness != Completeness::Interrupted)
        printResultLine(run, results);
    if (run.results)
        run.results->addTemperature(results, matrix, observed, null);
}

void reportNodfResults(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                       const bravolin::NodfResult& observed, const bravolin::NodfNullModels* null,
                       std::uint32_t fileSeed, Completeness completeness)
{
    const MatrixResults results = nodfResults(
        fileName, observed, null, null ? std::optional<std::uint32_t>(fileSeed) : std::nullopt, completeness);
    if (completeness != Completeness::Interrupted)
        printResultLine(run, results);
    if (run.results)
        run.results->addNodf(results, matrix, observed, null);
}

void printFileSeed(const RunContext& run)
{
    if (run.scripted && run.settings.nullModels)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(run.generator.state()));
}

int finishRun(const RunContext& run, bool inputEnded)
{
    const BatchTally& tally = run.tally;
    if (tally.folderUnwritable) {
        std::fflush(stdout);
        return 1;
    }
    if (inputEnded)
        consolePrintf("Standard input ended before the analysis was complete.\n");
    if (run.scripted)
        consolePrintf("Files: %d analysed, %d skipped, %d with lost lines, %d not written completely\n",
                    tally.analysed, tally.skipped, tally.withLostLines, incompleteOutputCount());
    std::fflush(stdout);
    if (anyOutputIncomplete() || inputEnded || tally.outOfMemory > 0)
        return 1;
    if (run.scripted && (tally.skipped > 0 || tally.withLostLines > 0 || tally.unmatchedPatterns > 0 ||
                         tally.endedEarly || tally.leftOut > 0))
        return 1;
    return 0;
}
