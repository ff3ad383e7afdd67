// Expansion of a file name expression into the batch of matrix files.
#include "console/driver/file_search.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "formats/input/batch_files.h"

static char foldCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool wildcardMatches(const char* pattern, const char* name)
{
    // Greedy matching with one backtrack point: the latest * and the name
    // position it has absorbed up to.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern != '\0' && (*pattern == '?' || foldCase(*pattern) == foldCase(*name))) {
            pattern++;
            name++;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        pattern++;
    return *pattern == '\0';
}

std::string lowerCaseName(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return lower;
}

static bool endsWith(const std::string& text, const char* ending)
{
    const std::size_t endingLength = std::strlen(ending);
    return text.size() >= endingLength && text.compare(text.size() - endingLength, endingLength, ending) == 0;
}

bool isOwnOutputFile(const std::string& name)
{
    const std::string lower = lowerCaseName(name);
    if (lower == "filelist.txt" || lower == "systemp.txt" || lower == "bravolin.lock")
        return true;
    // The result tables and pages (BRAVOLIN_T_results.csv), and a temporary
    // file of a whole-file write that a killed run left behind.
    if (lower.compare(0, 9, "bravolin_") == 0 || lower.compare(0, 10, ".bravolin-") == 0)
        return true;
    static const char* const markers[] = {"nestedness_", "_column", "_pairwise",
                                          "_contrib",    "_ordered", "systemp"};
    for (const char* marker : markers)
        if (lower.find(marker) != std::string::npos)
            return true;
    // The reports of mode T, and the pictures and pages. A matrix with such
    // a name would receive its own report: isl.col is the same file as
    // isl.COL where letter case is ignored (Windows, macOS).
    static const char* const reportEndings[] = {".pck", ".lin", ".col", ".null", ".svg", ".html"};
    for (const char* ending : reportEndings)
        if (endsWith(lower, ending))
            return true;
    return false;
}

// The regular files of the folder that match pattern, in order. Folders
// never reach a batch: they cannot be matrices. A name too long for the
// name buffer could not be opened by its truncated copy, so it is left out
// as well.
static std::vector<std::string> matchingFiles(const std::string& pattern, const std::vector<FolderEntry>& folder)
{
    std::vector<std::string> names;
    if (pattern.size() > static_cast<std::size_t>(kMaxNameLength))
        return names;  // no file name is that long
    for (const FolderEntry& entry : folder)
        if (entry.name.size() <= static_cast<std::size_t>(kMaxNameLength) && entry.regularFile &&
            wildcardMatches(pattern.c_str(), entry.name.c_str()))
            names.push_back(entry.name);
    std::sort(names.begin(), names.end(), comesBeforeInBatch);
    return names;
}

FileBatch::FileBatch(const std::vector<std::string>& patterns, const std::vector<FolderEntry>& folder)
{
    std::set<std::string> taken;
    // The patterns without a file to read, and whether each matched only
    // the program's own output files.
    std::vector<std::pair<std::string, bool>> unread;
    for (const std::string& pattern : patterns) {
        const std::vector<std::string> names = matchingFiles(pattern, folder);
        bool readable = false;
        for (const std::string& name : names) {
            if (isOwnOutputFile(name)) {
                if (pattern.find_first_of("*?") == std::string::npos)
                    namedOutputFiles_.push_back(name);
                continue;
            }
            readable = true;
            if (taken.insert(name).second)
                files_.push_back(name);
        }
        if (!readable)
            unread.emplace_back(pattern, !names.empty());
    }
    if (!files_.empty())
        namedOutputFiles_.clear();
    for (const auto& [pattern, onlyOutputFiles] : unread)
        if (files_.empty() || !onlyOutputFiles)
            unmatched_.push_back(pattern);
}

std::optional<std::string> FileBatch::next()
{
    if (next_ == files_.size())
        return std::nullopt;
    return files_[next_++];
}

std::vector<std::string> FileBatch::remaining() const
{
    return std::vector<std::string>(files_.begin() + static_cast<std::ptrdiff_t>(next_), files_.end());
}
