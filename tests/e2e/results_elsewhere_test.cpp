// The result tables where users take them: read back by R, and gathered
// from shards of a batch run apart (GNU parallel) as from one run. Each
// test skips, saying so, where its tool is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/csv.h"
#include "support/matrices.h"
#include "support/session.h"

namespace {

// The lines of a text as a set, and of a results table without its date:
// what shards and one run share.
std::set<std::string> lineSet(const std::string& text, bool withoutDate)
{
    std::set<std::string> lines;
    for (std::string line : splitLines(text))
        lines.insert(withoutDate ? withoutDateField(line) : line);
    return lines;
}

void copyExamples(const ScratchDirectory& dir)
{
    for (const char* name : {"nested.txt", "random.txt", "species.txt"})
        std::filesystem::copy_file(std::filesystem::path(BRAVOLIN_EXAMPLES_DIR) / name, dir.path() / name);
}

}  // namespace

TEST(ResultsElsewhere, RReadsTheTablesWithTheRightTypes)
{
    if (!haveCommand("Rscript"))
        GTEST_SKIP() << "R is not installed (Debian: r-base-core); the tables are not read back in R";
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(10, 12, 0.4, 1)));
    dir.write("b.txt", "111\n110\n100\n000\n");
    ASSERT_EQ(runCommand(dir, {"-m", "T", "--no-print", "-n", "9", "-s", "1", "--fixed-fixed", "--results", "*.txt"})
                  .exitCode,
              0);
    ASSERT_EQ(runCommand(dir, {"-m", "N", "--no-order", "-n", "9", "-s", "1", "--results", "*.txt"}).exitCode, 0);
    const std::string script =
        "t <- read.csv('BRAVOLIN_T_results.csv'); "
        "stopifnot(nrow(t) == 10, is.character(t$file), is.character(t$model), is.integer(t$n), "
        "is.numeric(t$mean), is.numeric(t$ses), is.numeric(t$p_less), is.numeric(t$seed), is.character(t$date), "
        "all(t$mode == 'temperature'), names(t)[ncol(t)] == 'complete', all(t$complete == 'yes'), "
        "identical(names(t)[15:22], c('p_two_sided', 'q025', 'q500', 'q975', 'p_mcse', 'ess', 'lag1', 'seed')), "
        "is.numeric(t$p_two_sided), is.numeric(t$q975), is.numeric(t$p_mcse), is.numeric(t$ess), "
        "all(is.na(t$ess[t$model != 'curveball'])), !anyNA(t$ess[t$file == 'a.txt' & t$model == 'curveball'])); "
        "v <- read.csv('BRAVOLIN_T_null_values.csv'); "
        "stopifnot(nrow(v) == 90, is.integer(v$simulation), is.numeric(v$temperature)); "
        "r <- read.csv('BRAVOLIN_T_rows.csv'); "
        "stopifnot(is.integer(r$position_in_matrix), anyNA(r$position_in_matrix), is.numeric(r$temperature), "
        "all(r$mode == 'temperature')); "
        "n <- read.csv('BRAVOLIN_N_results.csv'); "
        "stopifnot(nrow(n) == 24, all(n$mode == 'nodf'), all(n$complete == 'yes'), all(n$ordered == 'no'), "
        "is.numeric(n$observed), "
        "setequal(n$statistic, c('nodf_rows', 'nodf_columns', 'nodf_total')))";
    // A file of its own keeps the script's $ out of the shell's reach.
    dir.write("check.R", script + "\n");
    EXPECT_EQ(runShell(dir, "Rscript --vanilla check.R"), 0) << dir.read("../shell.txt");
}

TEST(ResultsElsewhere, ShardsRunWithGnuParallelGiveTheResultsOfOneRun)
{
    if (!haveCommand("parallel"))
        GTEST_SKIP() << "GNU parallel is not installed (Debian: parallel); the sharding is not checked";
    const std::string options = " -m T --print -n 20 -s 9 --seed-per-file --fixed-fixed --results ";
    ScratchDirectory whole, shards;
    copyExamples(whole);
    copyExamples(shards);
    ASSERT_EQ(runShell(whole, "'" + std::string(BRAVOLIN_EXECUTABLE) + "'" + options + "'*.txt'"), 0);
    // Two processes, each in a folder of its own: two files and one.
    // The job is in double quotes of the outer shell: its $d is escaped.
    const std::string job = "d=shard{#}; mkdir \\$d && cp {} \\$d/ && '" + std::string(BRAVOLIN_EXECUTABLE) +
                            "' -C \\$d" + options + "{}";
    ASSERT_EQ(runShell(shards, "ls *.txt | parallel --will-cite -j 2 -N 2 \"" + job + "\""), 0)
        << shards.read("../shell.txt");
    std::set<std::string> summary, results;
    for (const char* shard : {"shard1", "shard2"}) {
        const std::filesystem::path folder = shards.path() / shard;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            const std::string content = shards.read(std::string(shard) + "/" + name);
            if (name == "SYSTEMP.TXT") {
                summary.merge(lineSet(content, false));
            } else if (name == "BRAVOLIN_T_results.csv" || name == "BRAVOLIN_T_rows.csv") {
                results.merge(lineSet(content, name == "BRAVOLIN_T_results.csv"));
            } else if (name.compare(0, 9, "BRAVOLIN_") != 0) {
                EXPECT_EQ(content, whole.read(name)) << name;
            }
        }
    }
    EXPECT_EQ(summary, lineSet(whole.read("SYSTEMP.TXT"), false));
    std::set<std::string> wholeResults = lineSet(whole.read("BRAVOLIN_T_results.csv"), true);
    wholeResults.merge(lineSet(whole.read("BRAVOLIN_T_rows.csv"), false));
    EXPECT_EQ(results, wholeResults);
}
