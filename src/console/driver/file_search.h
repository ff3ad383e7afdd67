// The batch list: the files of the working folder whose names match the
// expressions the user gave, one name per call, with the program's own
// output files left out so that a batch never analyses its own reports.
#ifndef BRAVOLIN_CONSOLE_DRIVER_FILE_SEARCH_H
#define BRAVOLIN_CONSOLE_DRIVER_FILE_SEARCH_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "console/system/file_system.h"

// The longest file name, in bytes; a longer expression matches nothing.
constexpr int kMaxNameLength = 260;

// A batch: the files of a folder's listing that match any of a list of
// patterns, taken when the batch is made. Each pattern's files come in
// case-insensitive alphabetical order, the patterns in the order given, and
// each file once. Only regular files are taken, and never the program's own
// output files (isOwnOutputFile).
class FileBatch {
public:
    FileBatch(const std::vector<std::string>& patterns, const std::vector<FolderEntry>& folder);

    bool empty() const { return files_.empty(); }
    // The patterns that matched no file at all. A pattern that matched only
    // the program's own output files is among them only when the batch is
    // empty (as the dialogue says of such an expression, nothing matched);
    // otherwise it is ignored, as the names of a folder's reports are when
    // a shell expands * into every name of the folder.
    const std::vector<std::string>& unmatchedPatterns() const { return unmatched_; }
    // When the batch is empty: the files named as they are (patterns without
    // wildcards) that were left out for having the names of the program's
    // own output files.
    const std::vector<std::string>& namedOutputFiles() const { return namedOutputFiles_; }

    // The next file's name; none once every file has been handed out.
    std::optional<std::string> next();
    // The files not handed out yet.
    std::vector<std::string> remaining() const;

private:
    std::vector<std::string> files_;
    std::vector<std::string> unmatched_;
    std::vector<std::string> namedOutputFiles_;
    std::size_t next_ = 0;
};

// Whether name is one of the program's own output files, which are never
// read as matrices: the summary, the file list, the folder's lock file
// (BRAVOLIN.lock), the result tables and pages (names beginning with
// BRAVOLIN_), temporary files of whole-file writes (names beginning with
// .bravolin-), the reports of mode N (names
// containing "nestedness_", "_pairwise", "_ordered", ...), those of mode T
// (names ending in .PCK, .LIN, .COL or .NULL), and pictures and pages (.svg,
// .html), letter case ignored.
bool isOwnOutputFile(const std::string& name);

// name with A..Z turned into a..z.
std::string lowerCaseName(const std::string& name);

// Whether name matches pattern, with * standing for any run of characters
// and ? for exactly one, letter case ignored.
bool wildcardMatches(const char* pattern, const char* name);

#endif
