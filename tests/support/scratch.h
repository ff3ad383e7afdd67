// Scratch directories for tests: a fresh folder per test under the build
// tree, with helpers to write matrix files and read what the program wrote.
#ifndef BRAVOLIN_TESTS_SUPPORT_SCRATCH_H
#define BRAVOLIN_TESTS_SUPPORT_SCRATCH_H

#include <filesystem>
#include <string>
#include <vector>

class ScratchDirectory {
public:
    // Creates (emptied) BRAVOLIN_SCRATCH_ROOT/<suite>.<test>/work, or
    // <suite>.<test>.2/work and so on for the further folders of a test.
    ScratchDirectory();

    // The folder a session runs in and files are written to.
    const std::filesystem::path& path() const { return work_; }
    // A folder beside it for the session's own input and output.
    const std::filesystem::path& outside() const { return root_; }

    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> files() const;

    // Makes this folder the current directory of the test process.
    void enter() const;

private:
    std::filesystem::path root_;
    std::filesystem::path work_;
};

// Makes text the rest of the test process's standard input.
void feedStandardInput(const ScratchDirectory& dir, const std::string& text);

// Writes content as the whole file at path.
void writeFile(const std::filesystem::path& path, const std::string& content);

// Reads a whole file; empty when it does not exist.
std::string readFile(const std::filesystem::path& path);

// Splits text into lines, without their line ends.
std::vector<std::string> splitLines(const std::string& text);

#endif
