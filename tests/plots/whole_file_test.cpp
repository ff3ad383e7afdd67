// Tests of whole-file writing: the target holds the old or the new content,
// and no temporary file is ever left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "plots/whole_file.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

TEST(PlotWriteFileWhole, WritesAndReplacesLeavingOnlyTheTarget)
{
    ScratchDirectory dir;
    const fs::path target = dir.path() / "a.txt_packed.svg";
    ASSERT_TRUE(writeFileWhole(target, "first, and longer than the second"));
    EXPECT_EQ(dir.read("a.txt_packed.svg"), "first, and longer than the second");
    ASSERT_TRUE(writeFileWhole(target, "second"));
    EXPECT_EQ(dir.read("a.txt_packed.svg"), "second");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"a.txt_packed.svg"});
}

TEST(PlotWriteFileWhole, MissingFolderFailsWithoutDebris)
{
    ScratchDirectory dir;
    EXPECT_FALSE(writeFileWhole(dir.path() / "missing" / "a.svg", "content"));
    EXPECT_TRUE(dir.files().empty());
}

TEST(PlotWriteFileWhole, FolderInTheWayFailsAndIsKept)
{
    ScratchDirectory dir;
    fs::create_directory(dir.path() / "taken.svg");
    EXPECT_FALSE(writeFileWhole(dir.path() / "taken.svg", "content"));
    EXPECT_EQ(dir.files(), std::vector<std::string>{"taken.svg"});
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken.svg"));
}
