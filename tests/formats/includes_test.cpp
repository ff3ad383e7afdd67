// The layers read core <- formats <- front ends: the analysis library
// includes nothing above it, the formats library only the analysis
// library and itself, and no front end's code is included from below.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Every quoted include of the C++ files under folder, as "file: include".
std::vector<std::string> includesUnder(const std::string& folder)
{
    std::vector<std::string> found;
    const std::filesystem::path root = std::filesystem::path(BRAVOLIN_SOURCE_DIR) / folder;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h" && extension != ".in")
            continue;
        std::ifstream file(entry.path());
        for (std::string line; std::getline(file, line);)
            if (line.rfind("#include \"", 0) == 0)
                found.push_back(entry.path().filename().string() + ": " + line.substr(10, line.find('"', 10) - 10));
    }
    return found;
}

// The includes under folder that start with none of allowed.
std::vector<std::string> includesOutside(const std::string& folder, const std::vector<std::string>& allowed)
{
    std::vector<std::string> outside;
    for (const std::string& include : includesUnder(folder)) {
        const std::string path = include.substr(include.find(": ") + 2);
        bool inside = false;
        for (const std::string& start : allowed)
            inside = inside || path.rfind(start, 0) == 0;
        if (!inside)
            outside.push_back(include);
    }
    return outside;
}

}  // namespace

TEST(Includes, NoIncludeRunsBackUpTheLayers)
{
    EXPECT_EQ(includesOutside("include/bravolin", {"bravolin/"}), std::vector<std::string>{});
    EXPECT_EQ(includesOutside("src/core", {"bravolin/", "core/"}), std::vector<std::string>{});
    EXPECT_EQ(includesOutside("src/formats", {"bravolin/", "formats/"}), std::vector<std::string>{});
    EXPECT_EQ(includesOutside("r/src", {"bravolin/", "formats/"}), std::vector<std::string>{});
}
