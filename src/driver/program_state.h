// Setting the whole program back to its state at start-up.
#ifndef BRAVOLIN_DRIVER_PROGRAM_STATE_H
#define BRAVOLIN_DRIVER_PROGRAM_STATE_H

// Resets every table, setting, counter and cache of every subsystem, the
// random generator, the batch search and the record of output failures, as
// if the program had just started. The driver calls it at start-up; the
// test suite calls it before every test, so that the tests also pass when
// they all run in one process.
void resetProgramState();

#endif
