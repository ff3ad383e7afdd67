#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "driver/file_search.h"
#include "support/scratch.h"

namespace {

// Every name the search yields for pattern, in order.
std::vector<std::string> batchFor(const char* pattern)
{
    char buffer[kNameBufferSize] = {};
    std::strcpy(buffer, pattern);
    std::vector<std::string> names;
    while (nextMatchingFile(buffer))
        names.push_back(buffer);
    return names;
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

    char buffer[kNameBufferSize] = "S*.TXT";
    EXPECT_EQ(nextMatchingFile(buffer), 0);
    EXPECT_STREQ(buffer, "S*.TXT");
    EXPECT_EQ(nextMatchingFile(nullptr), 0);
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

TEST(FileSearch, AbandonedSearchRestartsWithTheBuffersText)
{
    ScratchDirectory dir;
    dir.write("one.txt", "1\n");
    dir.write("two.txt", "1\n");
    dir.write("three.dat", "1\n");
    dir.enter();
    char buffer[kNameBufferSize] = "*.txt";
    ASSERT_EQ(nextMatchingFile(buffer), 1);
    EXPECT_STREQ(buffer, "one.txt");
    endFileSearch();
    std::strcpy(buffer, "*.dat");
    ASSERT_EQ(nextMatchingFile(buffer), 1);
    EXPECT_STREQ(buffer, "three.dat");
    EXPECT_EQ(nextMatchingFile(buffer), 0);
    // The search is over: the next call starts anew with the buffer's text.
    std::strcpy(buffer, "*.txt");
    EXPECT_EQ(batchFor(buffer), (std::vector<std::string>{"one.txt", "two.txt"}));
}

TEST(FileSearch, LowerCaseNameChangesOnlyAsciiCapitals)
{
    char buffer[kNameBufferSize] = "AbZ_[@]09.TXT";
    lowerCaseName(buffer);
    EXPECT_STREQ(buffer, "abz_[@]09.txt");
}

TEST(FileSearch, ModeTReportsAreNeverMatricesWhateverTheirLetterCase)
{
    for (const char* name : {"m.PCK", "m.pck", "isl.col", "a.LIN", "a.b.Null", "x.NULL"})
        EXPECT_TRUE(isOwnOutputFile(name)) << name;
    for (const char* name : {"m.txt", "pck", "a.COLD", "a.NULLS", "collar.txt", "lin.dat"})
        EXPECT_FALSE(isOwnOutputFile(name)) << name;
}
