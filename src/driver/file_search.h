// The batch list: the files of the current directory whose names match the
// expression the user typed, one name per call, with the program's own
// output files left out so that a batch never analyses its own reports.
#ifndef BRAVOLIN_DRIVER_FILE_SEARCH_H
#define BRAVOLIN_DRIVER_FILE_SEARCH_H

#include <string>

// With no search in progress, starts one with buffer's text as the pattern;
// then writes the next matching name into buffer and returns 1, or returns 0
// (buffer untouched) when no further name matches and the search is over.
// The wildcards * and ? match without regard to letter case; names come in
// case-insensitive alphabetical order; only regular files are yielded.
int nextMatchingFile(char* buffer);

// Whether name is one of the program's own output files, which are never
// read as matrices: the summary, the file list, the reports of mode N (names
// containing "nestedness_", "_pairwise", "_ordered", ...) and those of mode T
// (names ending in .PCK, .LIN, .COL or .NULL), letter case ignored.
bool isOwnOutputFile(const std::string& name);

// Abandons the search in progress; the next call starts a new one.
void endFileSearch();

// Turns A..Z into a..z in place over all kNameBufferSize characters of
// buffer, whether or not its text ends earlier.
void lowerCaseName(char* buffer);

// Whether name matches pattern, with * standing for any run of characters
// and ? for exactly one, letter case ignored.
bool wildcardMatches(const char* pattern, const char* name);

#endif
