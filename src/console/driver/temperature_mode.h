// Mode T: its questions, its batch over the matrix files, and the pipeline
// of each file: read, analysed, reported, compared with its null models,
// drawn.
#ifndef BRAVOLIN_CONSOLE_DRIVER_TEMPERATURE_MODE_H
#define BRAVOLIN_CONSOLE_DRIVER_TEMPERATURE_MODE_H

#include <string>

#include "bravolin/matrix.h"
#include "console/driver/run_context.h"

// The marker file whose presence switches on the debug report of packing.
constexpr const char* kDebugMarkerFileName = "tresk.debug";

// Most files handled in one batch.
constexpr int kMaxBatchFiles = 10000;

// Runs mode T once: its questions, answered by the command line or else
// asked, and its batch. Returns false when the program is to end at once
// (the reader's question about a lost line was answered N).
bool runTemperatureMode(RunContext& run);

// The analysis of the matrix read from the file named fileName: packed,
// measured and reported, then compared with its null models when they are
// on, on the run's threads; and its pictures and page row when the run asks
// for them. linesLost: the reader lost lines or cells of the file, so that
// the result tables mark its results truncated.
void analyseTemperatureFile(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                            bool linesLost);

#endif
