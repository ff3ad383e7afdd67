// A program run as its steps see it: what it is asked to do, what it
// changes as it goes, its output, where its answers come from and what the
// machine lends it, each an object of its own, which runProgram creates.
#ifndef BRAVOLIN_CONSOLE_DRIVER_PROGRAM_RUN_H
#define BRAVOLIN_CONSOLE_DRIVER_PROGRAM_RUN_H

#include "console/driver/environment.h"
#include "console/driver/run_options.h"
#include "console/driver/run_state.h"
#include "console/output/output_session.h"
#include "console/system/console.h"

struct ProgramRun {
    RunOptions& options;
    RunState& state;
    OutputSession& output;
    AnswerSource& answers;
    const ProgramEnvironment& environment;
};

#endif
