// The console driver: the banner, the runs with their mode question, and
// the question whether to run again.
#ifndef BRAVOLIN_CONSOLE_DRIVER_MAIN_LOOP_H
#define BRAVOLIN_CONSOLE_DRIVER_MAIN_LOOP_H

#include "console/driver/environment.h"

// Runs the program with its command line, from the banner to its end, in
// the given environment, and returns its exit code: 2 for a usage error; 1
// when some output file could not be written completely, a file's analysis
// ran out of memory, standard input ended before the analysis was complete
// or, in a scripted run, when a file was skipped or lost lines, a pattern
// matched nothing, files were left out at the file limit or mode N ended
// early; else 0.
int runProgram(int argc, char* argv[], const ProgramEnvironment& environment = machineEnvironment());

#endif
