// The command line: options that answer the questions of the first run,
// fix the random seed and the working folder, and PATTERN operands that
// answer the expression question. With the mode, every question of that mode
// and at least one PATTERN given, a run is scripted: nothing is asked.
#ifndef BRAVOLIN_CONSOLE_DRIVER_COMMAND_LINE_H
#define BRAVOLIN_CONSOLE_DRIVER_COMMAND_LINE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "formats/analysis_mode.h"

// The command line's answers to the questions of a run: the mode, the
// print, order and null-model questions, and the file expression (the
// PATTERNs). An empty optional is a question left to ask.
struct QuestionAnswers {
    std::optional<AnalysisMode> mode;
    std::optional<bool> print;        // print the packed (T) or ordered (N) matrix
    std::optional<bool> order;        // mode N: order the matrix
    std::optional<int> simulations;   // 0: no null models; otherwise 1..bravolin::kMostSimulations
    std::vector<std::string> patterns;
};

// What the command line says: the answers, which answer the first run's
// questions only (see RunOptions), and the options of the whole program
// run.
struct CommandLine {
    QuestionAnswers answers;
    std::optional<std::uint32_t> seed;
    std::optional<int> threads;       // 1..bravolin::kMostThreads; none: as many as the machine allows
    std::optional<std::string> directory;  // none: the current folder
    bool quiet = false;               // no progress lines
    bool svg = false;                 // pictures of the analyses
    bool report = false;              // the batch's page, and the pictures
    bool table = false;               // read matrix files as delimited tables
    bool transpose = false;           // a table's rows are species
    std::optional<bool> header;       // a table's first row is a header; none: found from the table
    std::optional<bool> rowNames;     // a table's first column holds row names; none: found
    bool fixedFixed = false;          // FF beside the four null models
    std::optional<long long> fixedFixedBurnIn;  // trades; none: the default
    std::optional<long long> fixedFixedThin;
    // The null models of the run (--models); none: the classic four.
    std::vector<bravolin::NullModel> models;
    std::optional<double> precision;  // in (0, 1): -n is then the most simulations
    std::optional<long long> quasiswapThin;  // trades; none: the default
    bool results = false;             // the batch's result tables
    bool seedPerFile = false;         // each file's generator seeded from the seed and its name
    // Mode N's metrics (--metrics), nodf among them; empty: nodf alone.
    std::vector<bravolin::Metric> metrics;
    bool wbinary = false;             // wnodf's wbinary variant
    bool help = false;
    bool version = false;
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // a usage error, or empty
};

// Reads the options and operands of argv (getopt_long conventions: -n 100,
// --null 100 and --null=100 alike; a repeated option, or the later one of
// a pair such as --print and --no-print, wins). Checks every value, that
// no PATTERN has a folder part and that an option of the other mode is not
// given with -m; the folder of -C is checked when the program enters it.
ParsedCommandLine parseCommandLine(int argc, char* argv[]);

// Whether the command line answers every question of its mode and names
// the files: the run then asks nothing.
bool isScripted(const CommandLine& commandLine);

// The text of --help and of --version.
std::string usageText();
std::string versionText();

#endif
