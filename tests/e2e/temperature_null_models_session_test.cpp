// Mode T sessions with null models, on a clock whose start is known, so that
// the program's random seed is known too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/matrices.h"
#include "support/session.h"

namespace {

const char* const kStartTime = "2026-01-01 00:00:00";

}  // namespace

TEST(TemperatureNullModelsSession, FilesEqualWhatTheLibraryComputesWithTheSameSeed)
{
    if (!haveFaketime())
        GTEST_SKIP() << "faketime is not installed";
    const std::string first = matrixText(randomRows(14, 17, 0.35, 21));
    const std::string second = matrixText({"111", "111", "100", "000"});
    const char* const names[] = {"a.txt", "b.txt"};
    const char* const outputs[] = {"a.PCK", "a.LIN", "a.COL", "a.NULL", "b.PCK", "b.LIN",
                                   "b.COL", "b.NULL", "SYSTEMP.TXT"};

    ScratchDirectory program;
    program.write(names[0], first);
    program.write(names[1], second);
    SessionResult result = runSession(program, "T\nY\nY\n7\n*.txt\n", SessionOptions{kStartTime});
    ASSERT_EQ(result.exitCode, 0);

    // The same two files analysed in this process, from the same seed.
    ScratchDirectory library;
    library.write(names[0], first);
    library.write(names[1], second);
    ASSERT_EQ(runInProcess(library,
                           {"-m", "T", "-p", "-n", "7", "-s", std::to_string(seedForStartTime(kStartTime)), "-j", "1",
                            names[0], names[1]},
                           machineEnvironment())
                  .exitCode,
              0);

    for (const char* output : outputs) {
        EXPECT_FALSE(program.read(output).empty()) << output;
        EXPECT_EQ(program.read(output), library.read(output)) << output;
    }
    EXPECT_EQ(splitLines(program.read("a.NULL")).size(), 8u);
    const std::vector<std::string> summary = splitLines(program.read("SYSTEMP.TXT"));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[0], "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)");

    // A second run from the same start time writes the same files again.
    ScratchDirectory again;
    again.write(names[0], first);
    again.write(names[1], second);
    ASSERT_EQ(runSession(again, "T\nY\nY\n7\n*.txt\n", SessionOptions{kStartTime}).exitCode, 0);
    for (const char* output : outputs)
        EXPECT_EQ(again.read(output), program.read(output)) << output;
}

TEST(TemperatureNullModelsSession, SimulationCountsOutsideOneToThousandBecomeThousand)
{
    ScratchDirectory dir;
    dir.write("one.txt", "1\n");
    // Runs answered with: not a number (first run), -5, 0, 1001, 1, 1000.
    std::string input;
    for (const char* count : {"many", "-5", "0", "1001", "1", "1000"})
        input += std::string("T\nN\nY\n") + count + "\none.txt\n" + (std::string(count) == "1000" ? "N\n" : "Y\n");
    SessionResult result = runSession(dir, input);
    EXPECT_EQ(result.exitCode, 0);
    std::vector<int> runLines;
    for (const std::string& line : splitLines(dir.read("one.NULL"))) {
        if (line == "Er    Ce    Li    Co    ")
            runLines.push_back(0);
        else if (!runLines.empty())
            runLines.back()++;
    }
    EXPECT_EQ(runLines, (std::vector<int>{1000, 1000, 1000, 1000, 1, 1000}));
}

TEST(TemperatureNullModelsSession, WithoutNullModelsNoNullModelFileIsWritten)
{
    ScratchDirectory dir;
    dir.write("m.txt", "110\n011\n");
    ASSERT_EQ(runSession(dir, "T\nN\nN\nm.txt\n").exitCode, 0);
    EXPECT_FALSE(dir.exists("m.NULL"));
    ASSERT_EQ(runSession(dir, "T\nN\nY\n2\nm.txt\nY\nT\nN\nY\n3\nm.txt\n").exitCode, 0);
    const std::vector<std::string> lines = splitLines(dir.read("m.NULL"));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Er    Ce    Li    Co    ");
    EXPECT_EQ(lines[3], "Er    Ce    Li    Co    ");
}
