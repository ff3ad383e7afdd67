// Mode N sessions with null models, on a clock whose start is known, so that
// the program's random seed is known too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/session.h"

namespace {

const char* const kStartTime = "2026-03-01 12:00:00";

const char* const kModels[] = {"ER", "CE", "LI", "COL"};
const char* const kSides[] = {"Row", "Column", "Total"};

std::vector<std::string> nestednessFiles(const std::string& stem)
{
    std::vector<std::string> names;
    for (const char* model : kModels)
        for (const char* side : kSides)
            names.push_back(stem + "_" + side + "Nestedness_" + model + ".TXT");
    return names;
}

}  // namespace

TEST(NodfNullModelsSession, FilesEqualWhatTheLibraryComputesWithTheSameSeed)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    const std::string first = matrixText(randomRows(11, 16, 0.4, 31));
    const std::string second = matrixText({"0000", "0110", "0000", "1101"});
    const char* const names[] = {"a.txt", "b.txt"};
    std::vector<std::string> outputs = {"SYSTEMP.TXT", "a_Ordered.TXT", "a_row_pairwise.TXT",
                                        "b_column_pairwise.TXT"};
    for (const char* stem : {"a", "b"})
        for (const std::string& name : nestednessFiles(stem))
            outputs.push_back(name);

    ScratchDirectory program;
    program.write(names[0], first);
    program.write(names[1], second);
    // The clock stands still (mode N never waits for it), so that the
    // seeding at the start of the mode reads the start time too, however
    // slowly the program starts.
    SessionOptions frozen{kStartTime, true};
    SessionResult result = runSession(program, "N\nY\nY\nY\n9\n*.txt\n", frozen);
    ASSERT_EQ(result.exitCode, 0);

    ScratchDirectory library;
    library.write(names[0], first);
    library.write(names[1], second);
    ASSERT_EQ(runInProcess(library,
                           {"-m", "N", "-o", "-p", "-n", "9", "-s", std::to_string(seedForStartTime(kStartTime)), "-j",
                            "1", names[0], names[1]},
                           machineEnvironment())
                  .exitCode,
              0);

    for (const std::string& output : outputs) {
        EXPECT_FALSE(program.read(output).empty()) << output;
        EXPECT_EQ(program.read(output), library.read(output)) << output;
    }
    for (const std::string& name : nestednessFiles("a"))
        EXPECT_EQ(splitLines(program.read(name)).size(), 9u) << name;
    const std::vector<std::string> summary = splitLines(program.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[0], "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)");
    for (int line = 1; line <= 2; line++) {
        int fields = 0;
        for (char c : summary[static_cast<std::size_t>(line)])
            fields += c == ' ';
        EXPECT_EQ(fields, 7) << summary[static_cast<std::size_t>(line)];
    }

    ScratchDirectory again;
    again.write(names[0], first);
    again.write(names[1], second);
    ASSERT_EQ(runSession(again, "N\nY\nY\nY\n9\n*.txt\n", frozen).exitCode, 0);
    for (const std::string& output : outputs)
        EXPECT_EQ(again.read(output), program.read(output)) << output;
}

TEST(NodfNullModelsSession, ProgressLineShowsTheRunAndTheEstimate)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    ScratchDirectory dir;
    dir.write("m.txt", "110\n011\n101\n");
    SessionOptions frozen{kStartTime};
    frozen.frozen = true;
    SessionResult result = runSession(dir, "N\nN\nY\n3\nm.txt\n", frozen);
    ASSERT_EQ(result.exitCode, 0);
    // The clock stands still: every run lasts 0 seconds, shown as 0.5 s,
    // and the estimate counts the runs left to 1000.
    EXPECT_NE(result.console.find(
                  "File: m.txt in processing...\n"
                  "Run: 0001 (Last run: 0.5 s - Remaining: 00:16:39 - Elapsed: 00:00:00)  \r"
                  "Run: 0002 (Last run: 0.5 s - Remaining: 00:16:38 - Elapsed: 00:00:00)  \r"
                  "Run: 0003 (Last run: 0.5 s - Remaining: 00:16:37 - Elapsed: 00:00:00)  \r"
                  "\n\nEnd of processing...\n\a"),
              std::string::npos);
    for (const std::string& name : nestednessFiles("m"))
        EXPECT_EQ(splitLines(dir.read(name)).size(), 3u) << name;
}
