// The console driver: the banner, the runs with their mode question, the
// questions and batch of mode T, and the question whether to run again.
#ifndef BRAVOLIN_DRIVER_MAIN_LOOP_H
#define BRAVOLIN_DRIVER_MAIN_LOOP_H

#include "driver/environment.h"
#include "driver/run_context.h"

// Runs the program with its command line, from the banner to its end, in
// the given environment, and returns its exit code: 2 for a usage error; 1
// when some output file could not be written completely, a file's analysis
// ran out of memory, standard input ended before the analysis was complete
// or, in a scripted run, when a file was skipped or lost lines, a pattern
// matched nothing, files were left out at the file limit or mode N ended
// early; else 0.
int runProgram(int argc, char* argv[], const ProgramEnvironment& environment = machineEnvironment());

// The marker file whose presence switches on the debug report of packing.
constexpr const char* kDebugMarkerFileName = "tresk.debug";

// Most files handled in one batch.
constexpr int kMaxBatchFiles = 10000;

// Sets PresenceMatrix and its size back to their state before a file is
// read.
void resetMatrixState();

// The analysis of the matrix file just read into PresenceMatrix: copied to
// a working matrix with its fill, packed, measured and reported, then
// compared with its null models when they are on, on the run's threads;
// and its pictures and page row when the run asks for them.
void analyseTemperatureFile(RunContext& run);

#endif
