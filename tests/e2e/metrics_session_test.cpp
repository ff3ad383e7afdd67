// Mode N's --metrics in scripted runs: the tables' statistic rows and note
// column, the null values' columns, the result lines, what is said once a
// run, the pictures and the page's sections per statistic, wnodf of a
// table's abundances and under the models of abundances, and the command
// line's checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <utility>
#include <map>
#include <string>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/metrics.h"
#include "support/csv.h"
#include "support/matrices.h"
#include "support/session.h"
#include "support/svg_reading.h"

namespace {

using CsvRows = std::vector<std::map<std::string, std::string>>;

std::string formatDouble(const char* format, double value)
{
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string formatDouble17(double value)
{
    return formatDouble("%.17g", value);
}

// As the result line gives a metric.
std::string formatDouble6(double value)
{
    return formatDouble("%.6g", value);
}

int countOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        count++;
    return count;
}

}  // namespace

TEST(MetricsSession, EveryStatisticHasItsRowsNoteAndNullValuesAndTheUndefinedAreSaidOnce)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(6, 8, 0.45, 3)));
    dir.write("b.txt", matrixText(randomRows(5, 4, 0.5, 9)));
    const SessionResult run = runCommand(dir, {"-m", "N", "-o", "--no-print", "-n", "30", "-s", "7", "-j", "2",
                                               "--fixed-fixed", "--metrics", "NODFC,discrepancy,spectral",
                                               "--results", "--report", "*.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.console << run.errors;
    EXPECT_EQ(countOf(run.console, "nodfc and nodf_max_ratio are NA under Er and Ce"), 1) << run.console;
    EXPECT_EQ(countOf(run.console, "Result: discrepancy "), 2);
    EXPECT_NE(run.console.find("Result: nodfc "), std::string::npos);

    const std::string results = dir.read("BRAVOLIN_N_results.csv");
    EXPECT_NE(results.find(",date,note,complete\n"), std::string::npos);
    const CsvRows rows = csvRows(results);
    std::map<std::string, int> perStatistic;
    for (const auto& row : rows) {
        if (row.at("file") != "a.txt")
            continue;
        const std::string& statistic = row.at("statistic");
        perStatistic[statistic]++;
        const bool nodfMax = statistic == "nodfc" || statistic == "nodf_max_ratio";
        // 6 x 8 = 48 cells: beyond the exhaustive search.
        EXPECT_EQ(row.at("note"), nodfMax ? "heuristic" : "") << statistic;
        if (nodfMax && (row.at("model") == "Er" || row.at("model") == "Ce")) {
            EXPECT_EQ(row.at("ses"), "NA");
        }
        if (statistic == "discrepancy" && row.at("model") == "Li") {
            EXPECT_EQ(row.at("n"), "30");
        }
    }
    // Five models for every statistic.
    for (const char* statistic : {"nodf_total", "nodfc", "nodf_max_ratio", "discrepancy", "spectral_radius"})
        EXPECT_EQ(perStatistic[statistic], 5) << statistic;
    EXPECT_EQ(perStatistic.count("n0"), 0u);

    // A picture per statistic with null values, a panel per model.
    const auto panels = panelTexts(parseXml(dir.read("a.txt_N_null_discrepancy.svg")));
    ASSERT_EQ(panels.size(), 5u);
    EXPECT_EQ(panels[4][0], "curveball");
    EXPECT_EQ(panelTexts(parseXml(dir.read("a.txt_N_null_nodfc.svg"))).size(), 5u);
    // The page: a section per statistic, a row per matrix.
    const std::string page = dir.read("BRAVOLIN_N_report.html");
    EXPECT_EQ(countOf(page, "<h2>discrepancy</h2>"), 1);
    EXPECT_EQ(countOf(page, "Lower is more nested"), 1);
    EXPECT_NE(page.find("<dd>nodf, nodfc, discrepancy, spectral</dd>"), std::string::npos);

    const std::string nullValues = dir.read("BRAVOLIN_N_null_values.csv");
    EXPECT_EQ(nullValues.substr(0, nullValues.find('\n')),
              "file,simulation,model,nodf_rows,nodf_columns,nodf_total,nodfc,nodf_max_ratio,discrepancy,"
              "spectral_radius");
    const CsvRows values = csvRows(nullValues);
    ASSERT_EQ(values.size(), 2u * 30 * 5);
    EXPECT_EQ(values[0].at("model"), "Er");
    EXPECT_EQ(values[0].at("nodfc"), "NA");
    EXPECT_NE(values[2].at("nodfc"), "NA");  // Li
    // Doubles with 17 significant digits: they read back to themselves.
    const std::string radius = values[2].at("spectral_radius");
    EXPECT_EQ(radius, formatDouble17(std::stod(radius)));
}

TEST(MetricsSession, WnodfOfATablesAbundancesInEveryLayout)
{
    // Sites as rows, the first column cells (no names), decimal commas.
    const std::vector<double> cells = {4, 2.5, 0, 1, 3, 0, 2, 1, 0, 0, 1, 5};
    const bravolin::AbundanceMatrix abundances(3, 4, cells);
    const bravolin::NodfPercentages expected = bravolin::wnodf(abundances, false);
    ScratchDirectory dir;
    dir.write("plain.csv", "4;2,5;0;1\n3;0;2;1\n0;0;1;5\n");
    dir.write("species.csv", "\"\",\"s1\",\"s2\",\"s3\"\n\"a\",4,3,0\n\"b\",2.5,0,0\n\"c\",0,2,1\n\"d\",1,1,5\n");
    const SessionResult plain = runCommand(dir, {"-m", "N", "-o", "--no-print", "-n", "10", "--fixed-fixed", "--table",
                                                 "--row-names", "no", "--metrics", "wnodf", "plain.csv"});
    ASSERT_EQ(plain.exitCode, 0) << plain.console;
    EXPECT_EQ(countOf(plain.console,
                      "wnodf has no null values under the binary models of the run (Er, Ce, Li, Co and curveball)"),
              1);
    const SessionResult transposed = runCommand(dir, {"-m", "N", "-o", "--no-print", "--no-null", "--table",
                                                      "--transpose", "--metrics", "wnodf", "species.csv"});
    ASSERT_EQ(transposed.exitCode, 0) << transposed.console;
    for (const SessionResult* run : {&plain, &transposed}) {
        EXPECT_NE(run->console.find("Result: wnodf_total " + formatDouble6(expected.total) + "\n"), std::string::npos)
            << run->console;
        EXPECT_NE(run->console.find("Result: wnodf_rows " + formatDouble6(expected.rows) + "\n"), std::string::npos);
    }
}

// wnodf's rows under the models of abundances alone, with the one line
// that names the binary model left out; abundance_shuffle a chain (its
// ess), r2dtable not; a table of fractions skipped with its cell named,
// before any of its rows is written.
TEST(MetricsSession, TheModelsOfAbundancesMeasureWnodfAndATableOfFractionsIsSkipped)
{
    ScratchDirectory dir;
    dir.write("counts.csv", "site,a,b,c,d,e\ns1,5,3,2,1,4\ns2,2,0,1,3,0\ns3,4,1,0,0,0\ns4,1,0,0,2,0\ns5,0,2,0,0,1\n");
    dir.write("fraction.csv", "site,a,b\ns1,3,1\ns2,0.5,2\n");
    const SessionResult run =
        runCommand(dir, {"-m", "N", "-o", "--no-print", "--table", "-n", "99", "-s", "7", "--metrics", "wnodf,nodf",
                         "--models", "r2dtable,abundance_shuffle,curveball", "--results", "*.csv"});
    EXPECT_EQ(run.exitCode, 1) << run.console << run.errors;
    EXPECT_EQ(countOf(run.console, "File: fraction.csv skipped: the abundance of the cell at row 2 (s2), column 1 (a) "
                                   "is 0.5: r2dtable draws whole numbers"),
              1)
        << run.console;
    EXPECT_EQ(countOf(run.console, "wnodf has no null values under the binary models of the run (curveball)"), 1);
    std::map<std::string, std::string> essOf;
    int wnodfRows = 0;
    for (const auto& row : csvRows(dir.read("BRAVOLIN_N_results.csv"))) {
        EXPECT_EQ(row.at("file"), "counts.csv");
        if (row.at("statistic") == "wnodf_total") {
            wnodfRows++;
            EXPECT_NE(row.at("model"), "curveball");
            EXPECT_NE(row.at("ses"), "NA");
        }
        if (row.at("statistic") == "nodf_total")
            essOf[row.at("model")] = row.at("ess");
    }
    EXPECT_EQ(wnodfRows, 2);
    EXPECT_EQ(essOf.size(), 3u);
    EXPECT_EQ(essOf["r2dtable"], "NA");
    EXPECT_NE(essOf["abundance_shuffle"], "NA");
    for (const auto& row : csvRows(dir.read("BRAVOLIN_N_null_values.csv")))
        EXPECT_EQ(row.at("wnodf_rows") == "NA", row.at("model") == "curveball");
}

TEST(MetricsSession, TheCommandLineChecksTheMetricsAndTheirMode)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText({"110", "100"}));
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"-m", "N", "-o", "--no-print", "-n", "5", "--metrics", "nodf,Foo,n1", "a.txt"},
         "unknown metric \"Foo\", \"n1\""},
        {{"-m", "T", "--no-print", "-n", "5", "--metrics", "nodf", "a.txt"}, "give it with -m N"},
        {{"-m", "N", "-o", "--no-print", "-n", "5", "--metrics", "nodfc", "--wbinary", "a.txt"},
         "give it with --metrics wnodf"},
        {{"-m", "N", "-o", "--no-print", "-n", "5", "--metrics", "wnodf", "a.txt"}, "give it with --table"},
        {{"-m", "T", "--no-print", "-n", "5", "--models", "r2dtable", "a.txt"}, "give them with -m N"},
    };
    for (const auto& [arguments, message] : cases) {
        const SessionResult run = runCommand(dir, arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
    }
}
