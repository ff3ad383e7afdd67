// The files of a run's batch: the command line's PATTERNs, each that
// matches nothing reported, or else the file expression the dialogue asks
// until one matches.
#ifndef BRAVOLIN_CONSOLE_DRIVER_BATCH_LIST_H
#define BRAVOLIN_CONSOLE_DRIVER_BATCH_LIST_H

#include "console/driver/file_search.h"
#include "console/driver/program_run.h"

// The batch of the run under way. A scripted run is never asked; its
// batch may then be empty. stepStart is printed before each report of a
// pattern that matched nothing (mode N starts every step of its batch with
// a line end).
FileBatch takeBatch(ProgramRun& run, const char* stepStart);

// The files the batch did not hand out, in a scripted run, when the batch
// ended early (mode N, at a file that cannot be read): each is named. In
// the dialogue the user reads why it ended, and the program waits for a
// word (input that ends there ends the program as that word would).
void reportBatchEndedEarly(ProgramRun& run, const FileBatch& batch);

// In a scripted run, the files a batch left out at its file limit of
// fileLimit files are counted and named by number.
void reportFilesLeftOut(ProgramRun& run, const FileBatch& batch, int fileLimit);

#endif
