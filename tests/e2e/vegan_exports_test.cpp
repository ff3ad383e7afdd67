// vegan's community data sets exported as R users export them, read with
// --table: each must give the NODF vegan's nestednodf gives for the matrix R
// holds, with the names in place. The data sets are exported into the test's
// scratch folder only; the test skips, saying so, where R or vegan is not
// installed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/csv.h"
#include "support/session.h"

namespace {

// Writes each export, and runs.txt: a line per file with "transpose" when it
// is read with --transpose and vegan's NODF of the presences R holds (sites
// as rows), and FILE.names, the site and species names R holds.
const char* const kExports = R"(suppressMessages(library(vegan))
runs <- character()
export <- function(file, x, write, transpose = FALSE) {
    write(file)
    nodf <- nestednodf((x > 0) * 1)$statistic[["NODF"]]
    runs <<- c(runs, sprintf("%s\t%s\t%.2f", file, if (transpose) "transpose" else "", nodf))
    writeLines(c(paste("site", rownames(x)), paste("species", colnames(x))), paste0(file, ".names"))
}
for (name in c("dune", "BCI", "mite", "sipoo", "varespec")) {
    data(list = name)
    x <- as.matrix(get(name))
    export(paste0(name, ".csv"), x, function(f) write.csv(x, f))
    export(paste0(name, "_by_species.csv"), x, function(f) write.csv(t(x), f), transpose = TRUE)
}
data(dune, BCI, mite, sipoo, varespec)
numbered <- as.matrix(dune)
colnames(numbered) <- 101:130
export("dune_numbered.csv", numbered, function(f) write.csv(numbered, f, row.names = FALSE))
export("dune_plots.csv", as.matrix(dune),
       function(f) write.csv(data.frame(Plot = 1:20, dune), f, row.names = FALSE, quote = FALSE))
quoted <- as.matrix(dune)
colnames(quoted)[3] <- "Carex \"nigra\" L"
rownames(quoted)[2] <- "Plot \"2\""
export("dune_quote.txt", quoted, function(f) write.table(quoted, f))
export("sipoo.txt", as.matrix(sipoo), function(f) write.table(sipoo, f))
export("BCI.txt", as.matrix(BCI), function(f) write.table(BCI, f, quote = FALSE))
export("mite.tsv", as.matrix(mite), function(f) write.table(mite, f, sep = "\t", quote = FALSE, col.names = NA))
export("varespec_csv2.csv", as.matrix(varespec), function(f) write.csv2(varespec, f))
writeLines(runs, "runs.txt")
)";

std::vector<std::string> fieldsOf(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The names of a result table's rows (sites) or columns (species), in the
// order of the file.
std::vector<std::string> namesInTable(const std::string& table)
{
    std::map<int, std::string> byPosition;
    for (const auto& row : csvRows(table))
        byPosition[std::stoi(row.at("position_in_file"))] = row.at("line");
    std::vector<std::string> names;
    for (const auto& entry : byPosition)
        names.push_back(entry.second);
    return names;
}

}  // namespace

TEST(VeganExports, EveryExportOfTheDataSetsGivesVegansNodfWithTheNamesInPlace)
{
    if (!haveCommand("Rscript") || std::system("Rscript -e 'library(vegan)' > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "R or vegan is not installed (Debian: r-cran-vegan); vegan's data sets are not read";
    ScratchDirectory dir;
    dir.write("export.R", kExports);
    ASSERT_EQ(runShell(dir, "Rscript --vanilla export.R"), 0) << dir.read("../shell.txt");
    const std::vector<std::string> runs = splitLines(dir.read("runs.txt"));
    ASSERT_EQ(runs.size(), 17u);
    for (const std::string& run : runs) {
        const std::vector<std::string> fields = fieldsOf(run);
        const std::string& file = fields[0];
        std::vector<std::string> arguments = {"-m", "N", "-o", "--no-print", "--no-null", "--table", "--results"};
        if (fields[1] == "transpose")
            arguments.push_back("--transpose");
        arguments.push_back(file);
        const SessionResult result = runCommand(dir, arguments);
        EXPECT_EQ(result.exitCode, 0) << file << "\n" << result.console;
        EXPECT_NE(result.console.find(" total " + fields[2] + "\n"), std::string::npos)
            << file << ": vegan's NODF is " << fields[2] << "\n" << result.console;
        std::vector<std::string> sites, species;
        for (const std::string& line : splitLines(dir.read(file + ".names")))
            (line.rfind("site ", 0) == 0 ? sites : species).push_back(line.substr(line.find(' ') + 1));
        EXPECT_EQ(namesInTable(dir.read("BRAVOLIN_N_rows.csv")), sites) << file;
        EXPECT_EQ(namesInTable(dir.read("BRAVOLIN_N_columns.csv")), species) << file;
    }
}
