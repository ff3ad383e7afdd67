// Fuzzes the file-name pattern matcher of the batch list: the input is a
// pattern and a name, split at the first NUL byte, and the matcher's answer
// is compared with a plain recursive matcher of the same rules (* any run
// of characters, ? exactly one, letters compared without regard to case).
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console/driver/file_search.h"
#include "fuzz_support.h"

namespace {

bool sameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Whether name[n..] matches pattern[p..]; memo[p][n] caches the answers
// (0 unknown, 1 no, 2 yes), so that long runs of * stay cheap.
bool matches(const std::string& pattern, std::size_t p, const std::string& name, std::size_t n,
             std::vector<std::vector<char>>& memo)
{
    char& known = memo[p][n];
    if (known != 0)
        return known == 2;
    bool result;
    if (p == pattern.size())
        result = n == name.size();
    else if (pattern[p] == '*')
        result = matches(pattern, p + 1, name, n, memo) ||
                 (n < name.size() && matches(pattern, p, name, n + 1, memo));
    else
        result = n < name.size() && (pattern[p] == '?' || sameLetter(pattern[p], name[n])) &&
                 matches(pattern, p + 1, name, n + 1, memo);
    known = result ? 2 : 1;
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 600)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string pattern = input.substr(0, split);
    const std::string name = split == std::string::npos ? std::string() : input.substr(split + 1);
    if (name.find('\0') != std::string::npos)
        return 0;
    std::vector<std::vector<char>> memo(pattern.size() + 1, std::vector<char>(name.size() + 1, 0));
    if (wildcardMatches(pattern.c_str(), name.c_str()) != matches(pattern, 0, name, 0, memo))
        fuzzFailure("the matcher differs from the model");
    return 0;
}
