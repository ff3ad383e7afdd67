// Mode N: its questions, the summary header and its batch over the matrix
// files, each read by the mode's own reader and measured by NODF.
#ifndef BRAVOLIN_NODF_NODF_MODE_H
#define BRAVOLIN_NODF_NODF_MODE_H

// Runs mode N. The end of the batch ends the program; the function returns
// only when a matching file cannot be opened, and the caller then ends the
// program.
void runNodfMode();

// The analysis of the matrix just read into PresenceMatrix and
// workingMatrix: its NODF and reports, then its null models when they are
// on, which complete its summary line.
void analyseNodfFile();

#endif
