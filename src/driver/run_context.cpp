// The steps both drivers take alike, with or without a command line.
#include "driver/run_context.h"

#include <cstdio>
#include <ctime>

#include "common/console.h"
#include "common/output_file.h"
#include "common/platform.h"
#include "common/questions.h"
#include "common/random.h"
#include "common/shared_state.h"

int defaultThreadCount(int rows, int columns)
{
    constexpr int kMostDefaultThreads = 64;
    // A worker holds its working matrices and tables (a few bytes a cell)
    // and drives two simulations of four matrices in flight: about sixteen
    // bytes a cell, and its fixed tables.
    const unsigned long long cells = static_cast<unsigned long long>(rows + 1) * (columns + 1);
    const unsigned long long perWorker = 16 * cells + (1u << 20);
    const unsigned long long fitting = physicalMemoryBytes() / 2 / perWorker;
    int threads = usableProcessorCount();
    if (threads > kMostDefaultThreads)
        threads = kMostDefaultThreads;
    if (fitting < static_cast<unsigned long long>(threads))
        threads = fitting > 0 ? static_cast<int>(fitting) : 1;
    return threads;
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

int finishRun(const RunContext& run)
{
    const BatchTally& tally = run.tally;
    if (run.scripted)
        consolePrintf("Files: %d analysed, %d skipped, %d with lost lines, %d not written completely\n",
                    tally.analysed, tally.skipped, tally.withLostLines, incompleteOutputCount());
    std::fflush(stdout);
    if (anyOutputIncomplete())
        return 1;
    if (run.scripted && (tally.skipped > 0 || tally.withLostLines > 0 ||
                         tally.unmatchedPatterns > 0 || tally.endedEarly))
        return 1;
    return 0;
}
