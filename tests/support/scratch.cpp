// Scratch directories for tests.
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    // A test may use several folders at once: each after the first gets a
    // number of its own.
    static std::string lastTest;
    static int foldersOfTest = 0;
    foldersOfTest = name == lastTest ? foldersOfTest + 1 : 1;
    lastTest = name;
    if (foldersOfTest > 1)
        name += "." + std::to_string(foldersOfTest);
    root_ = fs::path(BRAVOLIN_SCRATCH_ROOT) / name;
    work_ = root_ / "work";
    fs::remove_all(root_);
    fs::create_directories(work_);
}

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

void ScratchDirectory::write(const std::string& name, const std::string& content) const
{
    writeFile(work_ / name, content);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ScratchDirectory::read(const std::string& name) const
{
    return readFile(work_ / name);
}

bool ScratchDirectory::exists(const std::string& name) const
{
    return fs::exists(work_ / name);
}

std::vector<std::string> ScratchDirectory::files() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ScratchDirectory::enter() const
{
    fs::current_path(work_);
}

void feedStandardInput(const ScratchDirectory& dir, const std::string& text)
{
    const fs::path input = dir.outside() / "stdin.txt";
    std::ofstream(input, std::ios::binary) << text;
    ASSERT_NE(std::freopen(input.string().c_str(), "r", stdin), nullptr);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}
