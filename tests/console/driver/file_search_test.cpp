#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console/driver/file_search.h"
#include "support/scratch.h"

namespace {

// The batch of patterns in the current folder.
FileBatch batchOf(const std::vector<std::string>& patterns)
{
    return FileBatch(patterns, FileSystem().listCurrentFolder());
}

// Every name the batch of patterns yields, in order.
std::vector<std::string> batchFor(const std::vector<std::string>& patterns)
{
    FileBatch batch = batchOf(patterns);
    std::vector<std::string> names;
    while (std::optional<std::string> name = batch.next())
        names.push_back(*name);
    return names;
}

std::vector<std::string> batchFor(const char* pattern)
{
    return batchFor(std::vector<std::string>{pattern});
}

}  // namespace

TEST(WildcardMatch, StarAndQuestionMarkIgnoringCase)
{
    EXPECT_TRUE(wildcardMatches("*.TXT", "islands.txt"));
    EXPECT_TRUE(wildcardMatches("*.txt", "ISLANDS.TXT"));
    EXPECT_TRUE(wildcardMatches("is?ands.*", "IsLands.dat"));
    EXPECT_TRUE(wildcardMatches("*", "anything"));
    EXPECT_TRUE(wildcardMatches("a*b*c", "aXXbYYbZc"));
    EXPECT_FALSE(wildcardMatches("*.TXT", "islands.txt.bak"));
    EXPECT_FALSE(wildcardMatches("?.txt", "ab.txt"));
    EXPECT_FALSE(wildcardMatches("data", "data2"));
}

TEST(FileSearch, SkipsOwnOutputFilesAndKeepsTheExpressionWhenNothingIsLeft)
{
    ScratchDirectory dir;
    for (const char* name : {"a.txt", "SYSTEMP.TXT", "FILELIST.TXT", "b_Ordered.TXT",
                             "MyNestedness_1.txt", "x_row_pairwise.TXT", "y_column_stuff.txt",
                             "z_contrib.txt", "oldsystemp.txt"})
        dir.write(name, "1\n");
    dir.enter();
    EXPECT_EQ(batchFor("*.TXT"), std::vector<std::string>{"a.txt"});

    // Beside a file to read, a pattern that names only the program's own
    // files is ignored, as when a shell expands * into every name.
    FileBatch withAMatrix = batchOf({"a.txt", "S*.TXT", "z_contrib.txt"});
    EXPECT_TRUE(withAMatrix.unmatchedPatterns().empty());
    EXPECT_TRUE(withAMatrix.namedOutputFiles().empty());
    // Alone, it matched nothing, as the dialogue says of such an
    // expression, and a file named as it is is said to be left out.
    FileBatch onlyOwnFiles = batchOf({"S*.TXT", "*.csv", "z_contrib.txt"});
    EXPECT_TRUE(onlyOwnFiles.empty());
    EXPECT_EQ(onlyOwnFiles.unmatchedPatterns(), (std::vector<std::string>{"S*.TXT", "*.csv", "z_contrib.txt"}));
    EXPECT_EQ(onlyOwnFiles.namedOutputFiles(), std::vector<std::string>{"z_contrib.txt"});
    EXPECT_EQ(onlyOwnFiles.next(), std::nullopt);
}

TEST(FileSearch, YieldsRegularFilesOnlyInCaseInsensitiveOrder)
{
    ScratchDirectory dir;
    for (const char* name : {"b.txt", "A.TXT", "c.Txt", "notes.dat"})
        dir.write(name, "1\n");
    std::filesystem::create_directory(dir.path() / "folder.txt");
    dir.enter();
    EXPECT_EQ(batchFor("*.txt"), (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt"}));
    EXPECT_EQ(batchFor("*"), (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt", "notes.dat"}));
}

TEST(FileSearch, SeveralPatternsGiveEachFileOnceInTheOrderOfThePatterns)
{
    ScratchDirectory dir;
    for (const char* name : {"one.txt", "two.txt", "three.dat", "Four.TXT"})
        dir.write(name, "1\n");
    dir.enter();
    EXPECT_EQ(batchFor({"*.dat", "two.txt", "*.txt", "TWO.TXT"}),
              (std::vector<std::string>{"three.dat", "two.txt", "Four.TXT", "one.txt"}));
    // A plain name matches itself, as a shell that expanded * passes it.
    EXPECT_EQ(batchFor({"one.txt"}), std::vector<std::string>{"one.txt"});
    // No file name is longer than 260 characters: nothing matches such a
    // pattern, though its first 260 characters would match everything.
    FileBatch tooLong = batchOf({std::string(261, '*') + "two.txt"});
    EXPECT_TRUE(tooLong.empty());
    EXPECT_EQ(tooLong.unmatchedPatterns().size(), 1u);
    FileBatch batch = batchOf({"*.txt"});
    ASSERT_EQ(batch.next(), "Four.TXT");
    EXPECT_EQ(batch.remaining(), (std::vector<std::string>{"one.txt", "two.txt"}));
}

TEST(FileSearch, LowerCaseNameChangesOnlyAsciiCapitals)
{
    EXPECT_EQ(lowerCaseName("AbZ_[@]09.TXT"), "abz_[@]09.txt");
}

TEST(FileSearch, ModeTReportsAreNeverMatricesWhateverTheirLetterCase)
{
    for (const char* name : {"m.PCK", "m.pck", "isl.col", "a.LIN", "a.b.Null", "x.NULL"})
        EXPECT_TRUE(isOwnOutputFile(name)) << name;
    for (const char* name : {"m.txt", "pck", "a.COLD", "a.NULLS", "collar.txt", "lin.dat"})
        EXPECT_FALSE(isOwnOutputFile(name)) << name;
}
