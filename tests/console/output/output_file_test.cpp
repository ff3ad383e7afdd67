// The checked output files: failures named once, a full disk, whole-file
// writes and their temporary files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "console/output/output_file.h"
#include "console/output/output_session.h"
#include "support/disk_session.h"
#include "support/filling_disk.h"
#include "support/scratch.h"

namespace {

// A folder where, at every other creation, the name to be created already
// stands: a file that a killed run of the same process number left there,
// or a symbolic link placed there that points elsewhere.
class NamesTakenBeforehand : public FileSystem {
public:
    explicit NamesTakenBeforehand(bool links) : links_(links) {}

    FileCreation createNew(const std::string& name, bool text, SystemFile* file) override
    {
        if (creations_++ % 2 == 0) {
            if (links_)
                std::filesystem::create_symlink("elsewhere.csv", name);
            else
                writeFile(name, "stale\n");
            taken.push_back(name);
        }
        return FileSystem::createNew(name, text, file);
    }

    std::vector<std::string> taken;

private:
    bool links_;
    int creations_ = 0;
};

}  // namespace

TEST(OutputFiles, UnopenableFilesAreEachNamedOnceForTheWholeRun)
{
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_directory("taken.PCK");
    std::filesystem::create_directory("taken.LIN");
    DiskSession disk;
    testing::internal::CaptureStdout();
    // Alternating failures are still each named once, not at every write.
    for (int run = 0; run < 3; run++) {
        appendToFile(disk.output, "taken.PCK", "a\n");
        appendToFile(disk.output, "taken.LIN", "a\n");
        appendToFile(disk.output, "fine.txt", "b\n");
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: taken.PCK could not be written completely! Its results are incomplete.\n"
              "File: taken.LIN could not be written completely! Its results are incomplete.\n");
    EXPECT_EQ(dir.read("fine.txt"), "b\nb\nb\n");
    EXPECT_EQ(disk.output.incompleteCount(), 2);
    // A fresh program run starts without any.
    EXPECT_EQ(DiskSession().output.incompleteCount(), 0);
}

TEST(OutputFiles, AFullDiskKeepsWhatFitAndSkipsTheRestOfThatFile)
{
    ScratchDirectory dir;
    dir.enter();
    FillingDisk disk(5);
    OutputSession session(disk, ConsoleStyle{});
    testing::internal::CaptureStdout();
    OutputFile file(session, "a.NULL");
    file.write("123\n");
    file.print("%d\n", 4567);
    file.write("89\n");
    file.close();
    appendToFile(session, "b.NULL", "x\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: a.NULL could not be written completely! Its results are incomplete.\n"
              "File: b.NULL could not be written completely! Its results are incomplete.\n");
    EXPECT_EQ(dir.read("a.NULL"), "123\n4");
    EXPECT_EQ(dir.read("b.NULL"), "");
    EXPECT_EQ(session.incompleteCount(), 2);
}

#if defined(__linux__)
TEST(OutputFiles, AFailureAtFlushOrCloseIsDetected)
{
    // Lines wait for a block to fill before they reach /dev/full: the
    // failure shows only when they are handed over, at flush or close.
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_symlink("/dev/full", "full.COL");
    DiskSession disk;
    testing::internal::CaptureStdout();
    {
        OutputFile file(disk.output, "full.COL");
        file.write("0.00 01\n");
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "File: full.COL could not be written completely! Its results are incomplete.\n");
    EXPECT_EQ(disk.output.incompleteCount(), 1);
}
#endif

TEST(WholeFiles, WritesAndReplacesLeavingOnlyTheTarget)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    ASSERT_TRUE(writeWholeFile(disk.output, "a.txt_packed.svg", "first, and longer than the second"));
    EXPECT_EQ(dir.read("a.txt_packed.svg"), "first, and longer than the second");
    ASSERT_TRUE(writeWholeFile(disk.output, "a.txt_packed.svg", "second"));
    EXPECT_EQ(dir.read("a.txt_packed.svg"), "second");
    EXPECT_EQ(dir.files(), std::vector<std::string>{"a.txt_packed.svg"});
}

TEST(WholeFiles, AFileThatCannotBeWrittenIsNamedAndLeavesNoDebris)
{
    ScratchDirectory dir;
    dir.enter();
    std::filesystem::create_directory("taken.svg");
    // A name one character beyond the file system's limit: its temporary
    // file is short, so only the final name fails.
    const std::string tooLong = std::string(252, 'n') + ".svg";
    DiskSession disk;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(writeWholeFile(disk.output, "taken.svg", "content"));
    EXPECT_FALSE(writeWholeFile(disk.output, "missing/a.svg", "content"));
    EXPECT_FALSE(writeWholeFile(disk.output, tooLong, "content"));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("File: taken.svg could not be written completely!"), std::string::npos);
    EXPECT_NE(console.find("File: " + tooLong + " could not be written completely!"), std::string::npos);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"taken.svg"});
    EXPECT_TRUE(std::filesystem::is_directory("taken.svg"));
}

TEST(WholeFiles, ATemporaryNameThatExistsIsNeverOpenedAndAnotherIsCreated)
{
    for (bool links : {false, true}) {
        ScratchDirectory dir;
        dir.enter();
        NamesTakenBeforehand files(links);
        OutputSession session(files, ConsoleStyle{});
        ASSERT_TRUE(writeWholeFile(session, "a.txt_packed.svg", "picture"));
        {
            ReplacingFile table(session, "BRAVOLIN_T_results.csv");
            table.write("fresh\n");
        }
        EXPECT_EQ(session.incompleteCount(), 0);
        EXPECT_EQ(dir.read("a.txt_packed.svg"), "picture");
        EXPECT_EQ(dir.read("BRAVOLIN_T_results.csv"), "fresh\n");
        ASSERT_EQ(files.taken.size(), 2u);
        for (const std::string& name : files.taken) {
            EXPECT_EQ(name.compare(0, 10, ".bravolin-"), 0) << name;
            EXPECT_EQ(dir.read(name), links ? "" : "stale\n") << name;
        }
        EXPECT_FALSE(dir.exists("elsewhere.csv"));
        EXPECT_EQ(dir.files().size(), 4u);
    }
}

TEST(WholeFiles, TemporaryFilesLeftBehindAreRemovedOnceTheFolderLockIsTaken)
{
    ScratchDirectory dir;
    dir.enter();
    const std::vector<std::string> leftBehind = {".bravolin-412-0-9f3ac01e.csv", ".bravolin-412-3.svg",
                                                 ".bravolin-7-12-00ff"};
    const std::vector<std::string> kept = {".bravolin-notes.txt", ".bravolin-412-x.csv", "a.txt"};
    for (const std::string& name : leftBehind)
        dir.write(name, "stale\n");
    for (const std::string& name : kept)
        dir.write(name, "mine\n");
    std::filesystem::create_symlink("a.txt", ".bravolin-5-1-ab.csv");
    std::filesystem::create_directory(".bravolin-6-1.d");
    DiskSession disk;
    disk.output.folderLock().take();
    EXPECT_EQ(dir.files(), (std::vector<std::string>{".bravolin-412-x.csv", ".bravolin-6-1.d", ".bravolin-notes.txt",
                                                     "BRAVOLIN.lock", "a.txt"}));
    EXPECT_EQ(dir.read("a.txt"), "mine\n");
}
