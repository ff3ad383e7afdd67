// The null models a run chooses (--models, --precision) as a run of the
// program writes them: the classic files only with the classic four, a
// precision that stops at the same block end on any number of threads, and
// the warning about a curveball chain whose values are correlated.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bravolin/statistics.h"
#include "support/csv.h"
#include "support/matrices.h"
#include "support/session.h"

namespace {

using CsvRow = std::map<std::string, std::string>;

void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(12, 15, 0.4, 31)));
    dir.write("b.txt", matrixText(randomRows(9, 20, 0.3, 32)));
}

std::vector<std::string> modeArguments(char mode)
{
    if (mode == 'T')
        return {"-m", "T", "--no-print"};
    return {"-m", "N", "-o", "--no-print"};
}

}  // namespace

// Without all four classic models the run writes what a run without null
// models writes: no null-value file, and the summary line of the observed
// values alone, whole.
TEST(ModelChoiceSession, WithoutTheClassicFourTheClassicFilesAreThoseOfARunWithoutNullModels)
{
    for (char mode : {'T', 'N'}) {
        ScratchDirectory withModels, without;
        writeMatrices(withModels);
        writeMatrices(without);
        std::vector<std::string> arguments = modeArguments(mode);
        arguments.insert(arguments.end(), {"-s", "5", "*.txt"});
        std::vector<std::string> chosen = arguments;
        chosen.insert(chosen.end() - 1, {"-n", "10", "--models", "r0,Er,Co", "--fixed-fixed"});
        arguments.insert(arguments.end() - 1, "--no-null");
        const SessionResult run = runCommand(withModels, chosen);
        ASSERT_EQ(run.exitCode, 0) << run.console << run.errors;
        ASSERT_EQ(runCommand(without, arguments).exitCode, 0);
        EXPECT_EQ(withModels.files(), without.files()) << mode;
        for (const std::string& name : without.files())
            EXPECT_EQ(withModels.read(name), without.read(name)) << name;
        // The result line has the models named and curveball, which
        // --fixed-fixed adds; the classic ones drawn with them but not
        // named are left out.
        EXPECT_EQ(occurrences(run.console, "| Er SES "), 2) << run.console;
        EXPECT_EQ(occurrences(run.console, "| r0 SES "), 2);
        EXPECT_EQ(occurrences(run.console, "| curveball SES "), 2);
        EXPECT_EQ(occurrences(run.console, "| Ce SES "), 0);
    }
}

// With a precision the simulations stop at the end of the first block of
// 100 after which every nestedness P value of every model is that precise,
// the same on one thread and on two; the classic files hold those
// simulations and n says how many.
TEST(ModelChoiceSession, APrecisionStopsAtTheSameBlockEndOnAnyNumberOfThreads)
{
    const double precision = 0.01;
    std::map<std::string, std::string> filesOne;
    std::vector<CsvRow> resultsOne;
    for (const char* threads : {"1", "2"}) {
        ScratchDirectory dir;
        dir.write("a.txt", matrixText(randomRows(12, 15, 0.4, 31)));
        const SessionResult run =
            runCommand(dir, {"-m", "N", "-o", "--no-print", "-n", "5000", "-s", "7", "-j", threads, "--precision",
                             "0.01", "--models", "Er,Ce,Li,Co,r0", "--results", "-q", "a.txt"});
        ASSERT_EQ(run.exitCode, 0) << run.console << run.errors;
        std::vector<CsvRow> results = csvRows(dir.read("BRAVOLIN_N_results.csv"));
        for (CsvRow& row : results)
            row.erase("date");
        const int lines = static_cast<int>(splitLines(dir.read("a_TotalNestedness_ER.TXT")).size());
        if (resultsOne.empty()) {
            resultsOne = results;
            for (const std::string& name : dir.files())
                if (name.compare(0, 9, "BRAVOLIN_") != 0)
                    filesOne[name] = dir.read(name);
            EXPECT_EQ(lines % 100, 0);
            EXPECT_GT(lines, 100);
            EXPECT_LT(lines, 5000);
            // Every model's P value is precise after the simulations that
            // ran, and one was not a block before.
            const std::vector<CsvRow> values = csvRows(dir.read("BRAVOLIN_N_null_values.csv"));
            bool impreciseBlockBefore = false;
            for (const CsvRow& row : results) {
                EXPECT_EQ(row.at("n"), std::to_string(lines));
                EXPECT_EQ(row.at("simulations"), "5000");
                std::vector<float> simulated;
                for (const CsvRow& value : values)
                    if (value.at("model") == row.at("model"))
                        simulated.push_back(std::strtof(value.at(row.at("statistic")).c_str(), nullptr));
                ASSERT_EQ(static_cast<int>(simulated.size()), lines);
                const float observed = std::strtof(row.at("observed").c_str(), nullptr);
                EXPECT_LE(bravolin::nestednessPValueError(simulated, observed, bravolin::NestedTail::Greater, false),
                          precision);
                simulated.resize(simulated.size() - 100);
                impreciseBlockBefore |= bravolin::nestednessPValueError(simulated, observed,
                                                                        bravolin::NestedTail::Greater, false) > precision;
            }
            EXPECT_TRUE(impreciseBlockBefore);
        } else {
            EXPECT_EQ(results, resultsOne);
            for (const auto& [name, text] : filesOne)
                EXPECT_EQ(dir.read(name), text) << name;
        }
    }
}

// A scripted run warns once for each file whose curveball values are
// strongly correlated (an effective sample size below half of the
// simulations), and not with the default thinning.
TEST(ModelChoiceSession, ACorrelatedCurveballChainIsWarnedOncePerFile)
{
    for (bool thinned : {false, true}) {
        ScratchDirectory dir;
        writeMatrices(dir);
        std::vector<std::string> arguments = {"-m", "T", "--no-print", "-n", "200", "-s", "3", "--models",
                                              "curveball", "-q", "*.txt"};
        if (!thinned)
            arguments.insert(arguments.end() - 1, {"--ff-thin", "1"});
        const SessionResult run = runCommand(dir, arguments);
        ASSERT_EQ(run.exitCode, 0) << run.console << run.errors;
        EXPECT_EQ(occurrences(run.console, "Warning: "), thinned ? 0 : 2) << run.console;
        EXPECT_EQ(occurrences(run.console, "correlated along the chain; raise --ff-thin.\n"), thinned ? 0 : 2);
        EXPECT_NE(run.console.find(thinned ? "Result: T" : "Warning: b.txt: curveball's effective sample size is "),
                  std::string::npos);
    }
}
