// The steps both drivers take alike, with or without a command line.
#include "driver/run_context.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "common/console.h"
#include "common/output_file.h"
#include "common/platform.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"

int threadsFittingInMemory(int rows, int columns, unsigned long long budget)
{
    // A thread holds its working matrices and tables (a few bytes a cell,
    // at most eight), its fixed tables and its stack; the simulations in
    // flight hold four matrices each.
    const unsigned long long cells = static_cast<unsigned long long>(rows + 1) * (columns + 1);
    const unsigned long long perThread = 8 * cells + (1u << 20) + threadStackBytes();
    const unsigned long long perSimulation = 4 * cells;
    for (int threads = kMostThreads; threads > 1; threads--) {
        const unsigned long long window = static_cast<unsigned long long>(simulationWindow(threads, perSimulation));
        if (threads * perThread + window * perSimulation <= budget)
            return threads;
    }
    return 1;
}

SimulationThreads simulationThreads(RunContext& run, int rows, int columns)
{
    constexpr int kMostDefaultThreads = 64;
    const int fitting = threadsFittingInMemory(rows, columns, run.environment.memoryBudget);
    SimulationThreads threads;
    threads.starter = run.environment.threads;
    threads.stop = &interruptRequested();
    if (run.threads == 0) {
        threads.threads = std::min({usableProcessorCount(), kMostDefaultThreads, fitting});
        return threads;
    }
    threads.threads = std::min(run.threads, fitting);
    if (threads.threads < run.threads && !run.threadLimitReported) {
        consolePrintf("Threads: %d asked for, but only %d fit in memory for a %d x %d matrix; "
                      "the null models run on %d.\n",
                      run.threads, fitting, rows, columns, fitting);
        run.threadLimitReported = true;
    }
    return threads;
}

void noteThreadsRunning(RunContext& run, const SimulationThreads& planned, int running)
{
    if (running >= planned.threads || run.threadStartReported)
        return;
    consolePrintf("Threads: only %d of %d could be started; the null models go on with %d.\n", running,
                  planned.threads, running);
    run.threadStartReported = true;
}

void reportOutOfMemory(RunContext& run)
{
    endOpenSummaryLine();
    consolePrintf("File: %s could not be analysed: not enough memory.\n", currentFileName);
    run.tally.outOfMemory++;
    run.tally.skipped++;
}

std::uint32_t seedOfRun(const RunContext& run)
{
    return run.seed ? *run.seed : static_cast<std::uint32_t>(std::time(nullptr));
}

int answerYesNo(RunContext& run, const char* prompt, const std::optional<bool>& given)
{
    if (given)
        return *given ? 1 : 0;
    return askYesNo(run.answers, prompt);
}

void answerNullModelQuestions(RunContext& run)
{
    if (!run.given.simulations) {
        askNullModelQuestions(run.answers);
        return;
    }
    nullModelsEnabled = *run.given.simulations > 0;
    if (nullModelsEnabled)
        simulationCount = *run.given.simulations;
}

FileBatch takeBatch(RunContext& run, const char* stepStart)
{
    if (!run.given.patterns.empty()) {
        FileBatch batch(run.given.patterns);
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

void printFileSeed(const RunContext& run)
{
    if (run.scripted && nullModelsEnabled)
        consolePrintf("Seed: %u\n", static_cast<unsigned>(randomState()));
}

int finishRun(const RunContext& run, bool inputEnded)
{
    const BatchTally& tally = run.tally;
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
