// How a program run is driven, shared by the drivers of both modes: where
// the answers come from, which answers the command line gave, and, for a
// scripted run, what its closing line counts.
#ifndef BRAVOLIN_DRIVER_RUN_CONTEXT_H
#define BRAVOLIN_DRIVER_RUN_CONTEXT_H

#include <cstdint>
#include <optional>

#include "common/console.h"
#include "driver/command_line.h"
#include "driver/file_search.h"
#include "plots/analysis_pictures.h"

// The files of a scripted run, as its closing line counts them.
struct BatchTally {
    int analysed = 0;
    int skipped = 0;             // unreadable, or rejected for their content
    int withLostLines = 0;
    int unmatchedPatterns = 0;
    bool endedEarly = false;     // mode N stopped before the end of its batch
};

struct RunContext {
    AnswerSource& answers;
    // The command line's answers; they answer the questions of the first
    // run only, and are cleared after it.
    CommandLine given;
    bool scripted = false;
    // The seed of every seeding point; none: the clock at each.
    std::optional<std::uint32_t> seed;
    // Threads for the null models; 0: as many as the machine allows.
    int threads = 0;
    BatchTally tally;
    RunPictures pictures;
};

// The threads the null models of a rows x columns matrix use by default:
// one per processor this process may run on, at most 64, and no more than
// fit, with their share of the simulations in flight, in half of the
// physical memory.
int defaultThreadCount(int rows, int columns);

// The seed for a seeding point: the run's own, or the clock's.
std::uint32_t seedOfRun(const RunContext& run);

// A yes/no question, unless the command line answered it.
int answerYesNo(RunContext& run, const char* prompt, const std::optional<bool>& given);

// The null-model questions (nullModelsEnabled, simulationCount), unless
// the command line answered them.
void answerNullModelQuestions(RunContext& run);

// The files of the run's batch: the command line's PATTERNs, each that
// matches nothing reported, or else an expression asked until one matches.
// A scripted run is never asked; its batch may then be empty. stepStart is
// printed before each report of a pattern that matched nothing (mode N
// starts every step of its batch with a line end).
FileBatch takeBatch(RunContext& run, const char* stepStart);

// In a scripted run with null models: the generator's state before the
// file's first draw, so that the file's null models can be rerun alone.
void printFileSeed(const RunContext& run);

// A scripted run's closing line, and the exit code of any run.
int finishRun(const RunContext& run);

#endif
