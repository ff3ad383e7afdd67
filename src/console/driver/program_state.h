// Setting the program's process-wide state back to its start-up state.
#ifndef BRAVOLIN_CONSOLE_DRIVER_PROGRAM_STATE_H
#define BRAVOLIN_CONSOLE_DRIVER_PROGRAM_STATE_H

// Forgets the output failures and the open summary line, sends the output
// through the system's files and gives the console its bell and progress
// lines back, as if the program had just started.
// Every program run starts with it; so does every test, so that the tests
// also pass when they all run in one process.
void resetProgramState();

#endif
