// How the batch of each mode runs, as data that the one batch driver
// follows.
//
// The two modes' batches differ in every way listed here. These
// differences are the classic program's, and they are kept on purpose:
// its users' scripts, habits and folders of earlier results rely on them
// (each mode's dialogue, its console text and when its generator is seeded
// reproduce the classic program's runs).
#ifndef BRAVOLIN_CONSOLE_DRIVER_BATCH_POLICY_H
#define BRAVOLIN_CONSOLE_DRIVER_BATCH_POLICY_H

#include "formats/analysis_mode.h"

struct BatchPolicy {
    // The generator is seeded again when the mode starts; otherwise its
    // stream goes on from the program's start, file to file and run to
    // run.
    bool reseedsAtModeStart;
    // The folder's lock is taken (and the batch started) before the file
    // expression is asked; otherwise after it.
    bool locksBeforeFileQuestion;
    // The most files a batch takes; 0: no limit.
    int fileLimit;
    // A matrix file that cannot be used ends the batch; otherwise it is
    // skipped. A table that cannot be used is skipped in both modes.
    bool unusableFileEndsBatch;
    // A skipped file sounds the bell.
    bool bellAtSkippedFile;
    // A file is announced ("File: NAME in processing"), and its generator
    // seeded, before it is read; otherwise once it has been read.
    bool announcedBeforeReading;
    // What the announcement says after the name.
    const char* processing;
    // What every step of the batch starts with, and every report of an
    // expression that matched nothing.
    const char* stepStart;
    // After its batch the dialogue asks whether to run again; otherwise it
    // says that the processing has ended, and the program ends.
    bool asksToRunAgain;
};

constexpr BatchPolicy kTemperatureBatch = {
    false,            // reseedsAtModeStart
    false,            // locksBeforeFileQuestion
    10000,            // fileLimit
    false,            // unusableFileEndsBatch
    true,             // bellAtSkippedFile
    false,            // announcedBeforeReading
    " in processing", // processing
    "",               // stepStart
    true,             // asksToRunAgain
};

constexpr BatchPolicy kNodfBatch = {
    true,                // reseedsAtModeStart
    true,                // locksBeforeFileQuestion
    0,                   // fileLimit
    true,                // unusableFileEndsBatch
    false,               // bellAtSkippedFile
    true,                // announcedBeforeReading
    " in processing...", // processing
    "\n",                // stepStart
    false,               // asksToRunAgain
};

constexpr const BatchPolicy& batchPolicy(AnalysisMode mode)
{
    return mode == AnalysisMode::Temperature ? kTemperatureBatch : kNodfBatch;
}

#endif
