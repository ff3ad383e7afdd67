// The one batch driver of both modes: for each file of the batch, read ->
// analyse -> null models -> report, as the mode's description (its
// questions, reader, analysis, null models and classic files) and its
// batch policy say.
#ifndef BRAVOLIN_CONSOLE_DRIVER_BATCH_DRIVER_H
#define BRAVOLIN_CONSOLE_DRIVER_BATCH_DRIVER_H

#include "console/driver/program_run.h"

// Runs one batch of the mode of the run's settings: its questions,
// answered by the command line or else asked, the files, and their
// outputs, holding the folder's lock while it writes. Returns false when
// the program is to end at once: the folder of a scripted run cannot be
// written, the question about a lost line was answered N, or mode N's
// batch ended at a file it cannot read.
bool runBatch(ProgramRun& run);

#endif
