// The end of a program run: a scripted run's closing line, and the exit
// code of any run.
#ifndef BRAVOLIN_CONSOLE_DRIVER_EXIT_CODE_H
#define BRAVOLIN_CONSOLE_DRIVER_EXIT_CODE_H

#include "console/driver/program_run.h"

// The closing line "Files: 3 analysed, 1 skipped, ..." of a scripted run,
// and the exit code (see runProgram); inputEnded: standard input ended
// before the analysis was complete, which is said.
int finishRun(ProgramRun& run, bool inputEnded);

#endif
