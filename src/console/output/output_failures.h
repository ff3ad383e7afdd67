// The output files that could not be written completely in this program
// run. Each is named once on the console, however often it fails again,
// and any of them makes the program's exit code 1.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_FAILURES_H
#define BRAVOLIN_CONSOLE_OUTPUT_OUTPUT_FAILURES_H

#include <string>

// Names the file on the console, the first time only.
void noteIncompleteOutput(const std::string& name);

bool anyOutputIncomplete();
int incompleteOutputCount();

// Forgets every failure: a fresh program run.
void forgetOutputFailures();

#endif
