// What a program run changes as it goes: the generator of the null models,
// the tally of its files for the closing line and the exit code, mode T's
// spinner, and what the console has said once.
#ifndef BRAVOLIN_CONSOLE_DRIVER_RUN_STATE_H
#define BRAVOLIN_CONSOLE_DRIVER_RUN_STATE_H

#include <cstdint>

#include "bravolin/generator.h"
#include "bravolin/metrics.h"
#include "console/driver/progress.h"
#include "console/system/console.h"
#include "formats/tables/metric_notes.h"

// The files of a run, as a scripted run's closing line counts them and as
// the exit code tells.
struct BatchTally {
    int analysed = 0;
    int skipped = 0;             // unreadable, rejected for their content, or out of memory
    int withLostLines = 0;
    int unmatchedPatterns = 0;
    int outOfMemory = 0;         // files whose analysis ran out of memory
    int leftOut = 0;             // files beyond the batch's file limit
    bool endedEarly = false;     // mode N stopped before the end of its batch
    bool folderUnwritable = false;  // the run stopped before its batch: no file can be written
};

struct RunState {
    explicit RunState(const ConsoleStyle& style) : spinner(style) {}

    // The generator of the null models, carried from file to file (see
    // the modes' batch policies for when it is seeded again).
    bravolin::Generator generator;
    // The seed the generator was last seeded with: the run's seed, or the
    // clock's.
    std::uint32_t generatorSeed = 0;
    BatchTally tally;
    // Mode T's spinner, which turns for the whole program run.
    Spinner spinner;
    // Whether the console has said that fewer threads run than asked for,
    // for lack of memory or because they could not be started: once a
    // program run.
    bool threadLimitReported = false;
    bool threadStartReported = false;
    // Mode N's NODFmax values, worked out once a program run for each
    // size and number of presences (--metrics nodfc).
    bravolin::NodfMaxCache nodfMaxCache;
    // The notes about the metrics and the models of abundances the console
    // has said, each once a program run.
    MetricNotesSaid metricNotes;
};

#endif
