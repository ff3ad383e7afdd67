// The result tables (--results), the curveball model and seeds per file as a run
// of the program writes them: statistics as the null values give them,
// classic files unchanged, a file's results independent of its batch,
// whether each matrix's results are complete, and tables put in place when
// a batch is interrupted.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "console/driver/seeding.h"
#include "formats/input/batch_files.h"
#include "support/csv.h"
#include "support/matrices.h"
#include "support/session.h"

namespace {

using CsvRow = std::map<std::string, std::string>;

// The program itself, so that it receives the signal.
SessionOptions realClock()
{
    SessionOptions options;
    options.real = true;
    return options;
}

void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(12, 15, 0.4, 21)));
    dir.write("b.txt", matrixText(randomRows(9, 20, 0.3, 22)));
}

// The observed float and the null values of one file, statistic and model,
// as the tables hold them.
std::vector<float> nullValuesOf(const std::vector<CsvRow>& table, const std::string& file, const std::string& model,
                                const std::string& statistic)
{
    std::vector<float> values;
    for (const CsvRow& row : table)
        if (row.at("file") == file && row.at("model") == model)
            values.push_back(std::strtof(row.at(statistic).c_str(), nullptr));
    return values;
}

// Every results row's n, mean, sd, SES, P values and median against a
// direct computation from the null-values table (NODF values there are
// already percentages, whose comparisons agree with the fractions'); a
// chain's statistics for curveball only.
void expectStatisticsOfTheNullValues(const ScratchDirectory& dir, char mode)
{
    const std::string prefix = std::string("BRAVOLIN_") + mode + "_";
    const std::vector<CsvRow> results = csvRows(dir.read(prefix + "results.csv"));
    const std::vector<CsvRow> nullValues = csvRows(dir.read(prefix + "null_values.csv"));
    ASSERT_EQ(results.size(), (mode == 'T' ? 1u : 3u) * 2 * 5);
    for (const CsvRow& row : results) {
        const std::string what = row.at("file") + " " + row.at("statistic") + " " + row.at("model");
        const std::vector<float> values = nullValuesOf(nullValues, row.at("file"), row.at("model"), row.at("statistic"));
        ASSERT_EQ(values.size(), 25u) << what;
        const float observed = std::strtof(row.at("observed").c_str(), nullptr);
        double sum = 0, squares = 0;
        int atMost = 0, atLeast = 0;
        for (float value : values) {
            sum += value;
            atMost += value <= observed;
            atLeast += value >= observed;
        }
        const double mean = sum / 25;
        for (float value : values)
            squares += (value - mean) * (value - mean);
        std::vector<float> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_NEAR(std::strtod(row.at("q500").c_str(), nullptr), sorted[12], 1e-6) << what;
        const double pLess = std::strtod(row.at("p_less").c_str(), nullptr);
        const double pGreater = std::strtod(row.at("p_greater").c_str(), nullptr);
        EXPECT_EQ(std::strtod(row.at("p_two_sided").c_str(), nullptr), std::min(1.0, 2 * std::min(pLess, pGreater)))
            << what;
        const bool chain = row.at("model") == "curveball";
        EXPECT_EQ(row.at("ess") == "NA" && row.at("lag1") == "NA", !chain) << what;
        EXPECT_EQ(row.at("n"), "25") << what;
        EXPECT_NEAR(std::strtod(row.at("mean").c_str(), nullptr), mean, 1e-9 * (1 + std::fabs(mean))) << what;
        EXPECT_NEAR(std::strtod(row.at("sd").c_str(), nullptr), std::sqrt(squares / 24), 1e-6) << what;
        if (mode == 'T') {
            EXPECT_EQ(std::strtod(row.at("p_less").c_str(), nullptr), (atMost + 1) / 26.0) << what;
            EXPECT_EQ(std::strtod(row.at("p_greater").c_str(), nullptr), (atLeast + 1) / 26.0) << what;
        }
        EXPECT_EQ(row.at("simulations"), "25");
        EXPECT_EQ(row.at("ordered"), mode == 'T' ? "" : "yes");
        EXPECT_EQ(row.at("version"), "3.0.3");
    }
}

std::vector<std::string> classicFiles(const ScratchDirectory& dir)
{
    std::vector<std::string> files;
    for (const std::string& name : dir.files())
        if (name.compare(0, 9, "BRAVOLIN_") != 0 && name != "a.txt" && name != "b.txt")
            files.push_back(name);
    return files;
}

}  // namespace

TEST(ResultsSession, TablesGiveEveryModelsStatisticsOfTheNullValues)
{
    for (char mode : {'T', 'N'}) {
        ScratchDirectory dir;
        writeMatrices(dir);
        dir.write("BRAVOLIN_x.txt", "101\n010\n");
        std::vector<std::string> arguments = {"-m", std::string(1, mode), "--no-print", "-n", "25", "-s", "3",
                                              "--fixed-fixed", "--results", "-q", "*.txt"};
        if (mode == 'N')
            arguments.insert(arguments.begin() + 2, "-o");
        const SessionResult run = runCommand(dir, arguments);
        ASSERT_EQ(run.exitCode, 0) << run.console;
        expectStatisticsOfTheNullValues(dir, mode);
        // The result line of each file, -q or not; BRAVOLIN_x.txt is never read.
        EXPECT_EQ(occurrences(run.console, "Result: "), 2) << run.console;
        EXPECT_NE(run.console.find("| curveball SES "), std::string::npos);
        EXPECT_EQ(run.console.find("BRAVOLIN_x"), std::string::npos);
        const std::vector<CsvRow> rows = csvRows(dir.read(std::string("BRAVOLIN_") + mode + "_rows.csv"));
        ASSERT_EQ(rows.size(), 12u + 9u);
        EXPECT_EQ(rows[0].at("line"), "1");
        EXPECT_EQ(rows[0].at("position_in_file"), "1");
        EXPECT_EQ(rows[0].count("temperature"), mode == 'T' ? 1u : 0u);
    }
}

TEST(ResultsSession, ClassicFilesAreTheSameWithAndWithoutTheNewOptions)
{
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"-m", "T", "--print"}, std::vector<std::string>{"-m", "N", "-o", "--print"}}) {
        ScratchDirectory plain, extended;
        writeMatrices(plain);
        writeMatrices(extended);
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"-n", "15", "-s", "8", "-j", "2", "*.txt"});
        ASSERT_EQ(runCommand(plain, arguments).exitCode, 0);
        arguments.insert(arguments.end() - 1, {"--fixed-fixed", "--results", "-j", "3", "--models",
                                               "er,Ce,LI,co,r0,quasiswap"});
        ASSERT_EQ(runCommand(extended, arguments).exitCode, 0);
        ASSERT_EQ(classicFiles(plain), classicFiles(extended));
        for (const std::string& name : classicFiles(plain))
            EXPECT_EQ(plain.read(name), extended.read(name)) << name;
    }
}

TEST(ResultsSession, ASeedPerFileMakesAFilesResultsIndependentOfItsBatch)
{
    ScratchDirectory both, alone;
    writeMatrices(both);
    alone.write("b.txt", both.read("b.txt"));
    const std::vector<std::string> arguments = {"-m", "T", "--no-print", "-n", "10", "-s", "11", "--seed-per-file",
                                                "--fixed-fixed", "*.txt"};
    const SessionResult batch = runCommand(both, arguments);
    ASSERT_EQ(runCommand(alone, arguments).exitCode, 0);
    EXPECT_EQ(both.read("b.NULL"), alone.read("b.NULL"));
    const std::string seed = "Seed: " + std::to_string(seedOfFile(11, "b.txt")) + "\n";
    EXPECT_NE(batch.console.find(seed), std::string::npos) << batch.console;
}

TEST(ResultsSession, TheTablesSayTheModeInWordsAndWhetherAMatrixWasReadWhole)
{
    for (const char* mode : {"T", "N"}) {
        ScratchDirectory dir;
        dir.write("a.txt", "1100\n1010\n1000\n");
        dir.write("b.txt", "1100\n1x10\n1000\n");  // its line 2 is lost
        std::vector<std::string> arguments = {"-m", mode, "--no-print", "--no-null", "--results", "a.txt", "b.txt"};
        if (std::string(mode) == "N")
            arguments.push_back("--no-order");
        const SessionResult run = runCommand(dir, arguments);
        EXPECT_EQ(run.exitCode, 1) << run.console;
        const std::string prefix = std::string("BRAVOLIN_") + mode + "_";
        const std::string word = std::string(mode) == "T" ? "temperature" : "nodf";
        for (const CsvRow& row : csvRows(dir.read(prefix + "results.csv"))) {
            EXPECT_EQ(row.at("mode"), word);
            EXPECT_EQ(row.at("complete"), row.at("file") == "a.txt" ? "yes" : "truncated") << row.at("file");
        }
        EXPECT_EQ(csvRows(dir.read(prefix + "rows.csv")).at(0).at("mode"), word);
    }
}

TEST(ResultsSession, AnInterruptedBatchHoldsEveryMatrixWhoseObservedAnalysisFinished)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(10, 10, 0.4, 5)));
    dir.write("b.txt", matrixText(randomRows(600, 600, 0.3, 6)));
    RunningSession session =
        startSession(dir, {"-m", "T", "--no-print", "-n", "1000", "-s", "2", "--results", "*.txt"}, "", realClock());
    for (int waited = 0; waited < 600 && consoleSoFar(session).find("Result: ") == std::string::npos; waited++)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(session.pid, SIGINT);
    const SessionResult result = finishSession(session);
    EXPECT_EQ(result.exitCode, 130) << result.console;
    // a.txt complete; b.txt with the simulations it completed, each of
    // which is in the null values table, and no result line.
    const std::vector<CsvRow> rows = csvRows(dir.read("BRAVOLIN_T_results.csv"));
    ASSERT_EQ(rows.size(), 8u);
    const std::vector<CsvRow> nullValues = csvRows(dir.read("BRAVOLIN_T_null_values.csv"));
    for (const CsvRow& row : rows) {
        const bool first = row.at("file") == "a.txt";
        EXPECT_EQ(row.at("file"), first ? "a.txt" : "b.txt");
        EXPECT_EQ(row.at("complete"), first ? "yes" : "interrupted");
        const int n = std::atoi(row.at("n").c_str());
        EXPECT_EQ(first, n == 1000) << n;
        EXPECT_EQ(nullValuesOf(nullValues, row.at("file"), row.at("model"), "temperature").size(),
                  static_cast<std::size_t>(n));
    }
    EXPECT_EQ(occurrences(result.console, "Result: "), 1) << result.console;
    for (const std::string& name : dir.files())
        EXPECT_NE(name.compare(0, 10, ".bravolin-"), 0) << name;
}
