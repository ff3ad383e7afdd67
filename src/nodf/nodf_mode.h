// Mode N: its questions, its batch over the matrix files and its reader.
#ifndef BRAVOLIN_NODF_NODF_MODE_H
#define BRAVOLIN_NODF_NODF_MODE_H

// Runs mode N to the end of its batch; the program ends when it returns.
void runNodfMode();

#endif
