// The console driver: the banner, the runs with their mode question, the
// questions and batch of mode T, and the question whether to run again.
#ifndef BRAVOLIN_DRIVER_MAIN_LOOP_H
#define BRAVOLIN_DRIVER_MAIN_LOOP_H

#include "plots/analysis_pictures.h"

// Runs the program with its command line, from the banner to its end, and
// returns its exit code: 2 for a usage error; 1 when some output file could
// not be written completely or, in a scripted run, when a file was skipped
// or lost lines, a pattern matched nothing or mode N ended early; else 0.
int runProgram(int argc, char* argv[]);

// The marker file whose presence switches on the debug report of packing.
constexpr const char* kDebugMarkerFileName = "tresk.debug";

// Most files handled in one batch.
constexpr int kMaxBatchFiles = 10000;

// Sets PresenceMatrix and its size back to their state before a file is
// read.
void resetMatrixState();

// The analysis of the matrix file just read into PresenceMatrix: copied to
// a working matrix with its fill, packed, measured and reported, then
// compared with its null models when they are on, on threads threads (0:
// as many as the processors and the memory allow); and its pictures and
// page row when pictures are given and asked for.
void analyseTemperatureFile(int threads, RunPictures* pictures = nullptr);

#endif
