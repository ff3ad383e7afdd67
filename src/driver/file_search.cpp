// Expansion of a file name expression into the batch of matrix files.
#include "driver/file_search.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "common/shared_state.h"

namespace fs = std::filesystem;

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

void lowerCaseName(char* buffer)
{
    for (int i = 0; i < kNameBufferSize; i++)
        if (buffer[i] >= 'A' && buffer[i] <= 'Z')
            buffer[i] = static_cast<char>(buffer[i] + 32);
}

static bool endsWith(const char* text, const char* ending)
{
    const std::size_t length = std::strlen(text), endingLength = std::strlen(ending);
    return length >= endingLength && std::strcmp(text + length - endingLength, ending) == 0;
}

bool isOwnOutputFile(const std::string& name)
{
    char lower[kNameBufferSize] = {};
    std::memcpy(lower, name.c_str(), std::min(name.size(), sizeof lower - 1));
    lowerCaseName(lower);
    if (std::strcmp(lower, "filelist.txt") == 0 || std::strcmp(lower, "systemp.txt") == 0 ||
        std::strcmp(lower, "bravolin.lock") == 0)
        return true;
    static const char* const markers[] = {"nestedness_", "_column", "_pairwise",
                                          "_contrib",    "_ordered", "systemp"};
    for (const char* marker : markers)
        if (std::strstr(lower, marker) != nullptr)
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

static bool comesBefore(const std::string& a, const std::string& b)
{
    std::string foldedA = a, foldedB = b;
    std::transform(foldedA.begin(), foldedA.end(), foldedA.begin(), foldCase);
    std::transform(foldedB.begin(), foldedB.end(), foldedB.begin(), foldCase);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

// The regular files of the current directory that match pattern, in order.
// Directories ("." and ".." included) never reach a batch: they cannot be
// matrices. A name too long for the name buffer could not be opened by its
// truncated copy, so it is left out as well.
static std::vector<std::string> matchingFiles(const std::string& pattern)
{
    std::vector<std::string> names;
    if (pattern.size() > static_cast<std::size_t>(kMaxNameLength))
        return names;  // no file name is that long
    std::error_code error;
    for (fs::directory_iterator it(fs::current_path(error), error), end; !error && it != end;
         it.increment(error)) {
        // In UTF-8 on every system, as the program handles every name.
        std::string name = it->path().filename().u8string();
        std::error_code kindError;
        if (name.size() > static_cast<std::size_t>(kMaxNameLength) ||
            !it->is_regular_file(kindError) || !wildcardMatches(pattern.c_str(), name.c_str()))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), comesBefore);
    return names;
}

FileBatch::FileBatch(const std::vector<std::string>& patterns)
{
    std::set<std::string> taken;
    for (const std::string& pattern : patterns) {
        const std::vector<std::string> names = matchingFiles(pattern);
        if (names.empty())
            unmatched_.push_back(pattern);
        for (const std::string& name : names)
            if (!isOwnOutputFile(name) && taken.insert(name).second)
                files_.push_back(name);
    }
}

int FileBatch::nextMatchingFile(char* buffer)
{
    if (next_ == files_.size())
        return 0;
    const std::string& name = files_[next_++];
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return 1;
}

std::vector<std::string> FileBatch::remaining() const
{
    return std::vector<std::string>(files_.begin() + static_cast<std::ptrdiff_t>(next_), files_.end());
}
