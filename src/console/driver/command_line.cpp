// Reading and checking the command line, with getopt_long (glibc and MinGW
// both have it), and the texts of --help and --version.
#include "console/driver/command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "bravolin/limits.h"
#include "bravolin/version.h"

namespace {

// The most trades of the FF chain's burn-in or thinning.
constexpr unsigned long long kMostTrades = 1000000000000ULL;

enum LongOnly {
    NoPrint = 256,
    NoOrder,
    NoNull,
    Svg,
    Report,
    Table,
    Transpose,
    Header,
    RowNames,
    FixedFixed,
    FixedFixedBurnIn,
    FixedFixedThin,
    Results,
    SeedPerFile,
    Models,
    Precision,
    QuasiswapThin,
    Metrics,
    Wbinary
};

const option kOptions[] = {
    {"mode", required_argument, nullptr, 'm'},
    {"print", no_argument, nullptr, 'p'},
    {"no-print", no_argument, nullptr, NoPrint},
    {"order", no_argument, nullptr, 'o'},
    {"no-order", no_argument, nullptr, NoOrder},
    {"null", required_argument, nullptr, 'n'},
    {"no-null", no_argument, nullptr, NoNull},
    {"seed", required_argument, nullptr, 's'},
    {"threads", required_argument, nullptr, 'j'},
    {"directory", required_argument, nullptr, 'C'},
    {"quiet", no_argument, nullptr, 'q'},
    {"svg", no_argument, nullptr, Svg},
    {"report", no_argument, nullptr, Report},
    {"table", no_argument, nullptr, Table},
    {"transpose", no_argument, nullptr, Transpose},
    {"header", required_argument, nullptr, Header},
    {"row-names", required_argument, nullptr, RowNames},
    {"fixed-fixed", no_argument, nullptr, FixedFixed},
    {"ff-burn-in", required_argument, nullptr, FixedFixedBurnIn},
    {"ff-thin", required_argument, nullptr, FixedFixedThin},
    {"results", no_argument, nullptr, Results},
    {"seed-per-file", no_argument, nullptr, SeedPerFile},
    {"models", required_argument, nullptr, Models},
    {"precision", required_argument, nullptr, Precision},
    {"quasiswap-thin", required_argument, nullptr, QuasiswapThin},
    {"metrics", required_argument, nullptr, Metrics},
    {"wbinary", no_argument, nullptr, Wbinary},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

// The leading ':' makes getopt_long report a missing value as ':' and stay
// silent: the messages are the program's own.
const char* const kShortOptions = ":m:pon:s:j:C:qhV";

// A whole decimal number from 0 to max, digits only; nothing otherwise.
std::optional<unsigned long long> wholeNumber(const char* text, unsigned long long max)
{
    unsigned long long value = 0;
    if (*text == '\0')
        return std::nullopt;
    for (const char* c = text; *c != '\0'; c++) {
        if (!std::isdigit(static_cast<unsigned char>(*c)))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(*c - '0');
        if (value > max)
            return std::nullopt;
    }
    return value;
}

bool hasFolderPart(const std::string& pattern)
{
#if defined(_WIN32)
    return pattern.find_first_of("/\\:") != std::string::npos;
#else
    return pattern.find('/') != std::string::npos;
#endif
}

// The option as the user wrote it, for messages.
std::string spelling(int argc, char* argv[], int at)
{
    return at > 0 && at <= argc ? std::string(argv[at - 1]) : std::string();
}

// What is wrong with an option getopt_long rejected, as the user wrote it:
// a long option that takes no value given one ("--no-null=5"), or an option
// the program does not know. getopt_long leaves optopt at the option's code
// for the first, at the letter of an unknown short option, and at 0 for an
// unknown long option.
std::string unknownOptionMessage(const std::string& written)
{
    if (written.compare(0, 2, "--") == 0 && written.find('=') != std::string::npos && optopt != 0)
        for (const option* known = kOptions; known->name != nullptr; known++)
            if (known->val == optopt && known->has_arg == no_argument)
                return "option '--" + std::string(known->name) + "' takes no value";
    if (optopt != 0 && optopt < 256 && written.compare(0, 2, "--") != 0)
        return "unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'";
    return "unknown option '" + written + "'";
}

// The value of an option that takes yes or no, into answer; the message
// when it is neither.
std::string yesOrNo(const char* option, const char* value, std::optional<bool>& answer)
{
    const std::string text = value;
    if (text != "yes" && text != "no")
        return std::string(option) + " takes yes or no, not '" + text + "'";
    answer = text == "yes";
    return "";
}

// The comma-separated items of text, empty ones included.
std::vector<std::string> commaSeparated(const std::string& text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        items.push_back(text.substr(start, comma - start));
    items.push_back(text.substr(start));
    return items;
}

// The options that choose the null models of a run and how many
// simulations they take: --models, --precision, --quasiswap-thin.
std::string takeModelOption(CommandLine& options, int code, const char* value)
{
    switch (code) {
    case Models: {
        const bravolin::ModelChoice choice = bravolin::chooseNullModels(commaSeparated(value));
        if (!choice.error.empty())
            return "--models: " + choice.error;
        options.models = choice.models;
        return "";
    }
    case Precision: {
        char* end = nullptr;
        const double precision = std::strtod(value, &end);
        if (*value != '\0' && *end == '\0' && std::isfinite(precision) && precision > 0 && precision < 1) {
            options.precision = precision;
            return "";
        }
        return "--precision takes a standard error above 0 and below 1, such as 0.005, not '" +
               std::string(value) + "'";
    }
    case QuasiswapThin:
        if (std::optional<unsigned long long> trades = wholeNumber(value, kMostTrades)) {
            options.quasiswapThin = static_cast<long long>(*trades);
            return "";
        }
        return "--quasiswap-thin takes a number of trades from 0 to 1000000000000, not '" + std::string(value) +
               "'";
    }
    return "unknown option";
}

// Whether the run's models hold model: those of --models, or the classic
// four, with curveball added by --fixed-fixed.
bool runHolds(const CommandLine& options, bravolin::NullModel model)
{
    bravolin::NullModelSettings settings;
    settings.models = options.models;
    settings.fixedFixed.enabled = options.fixedFixed;
    for (bravolin::NullModel inRun : bravolin::modelsOfRun(settings))
        if (inRun == model)
            return true;
    return false;
}

std::string checkModelOptions(const CommandLine& options)
{
    if (!options.models.empty() && options.answers.simulations == 0)
        return "--models chooses the null models: give it with -n, not with --no-null";
    if (options.precision && !options.answers.simulations.value_or(0))
        return "--precision runs simulations until the P values are that precise: give it with -n N, the most "
               "simulations to run";
    if (options.quasiswapThin && !runHolds(options, bravolin::Quasiswap))
        return "--quasiswap-thin sets the quasiswap model's trades: give it with --models naming quasiswap";
    if ((options.fixedFixedBurnIn || options.fixedFixedThin) && !runHolds(options, bravolin::Curveball) &&
        !runHolds(options, bravolin::AbundanceShuffle))
        return "--ff-burn-in and --ff-thin set the curveball chain: give them with --fixed-fixed, or with "
               "--models naming curveball or abundance_shuffle";
    if ((runHolds(options, bravolin::R2dtable) || runHolds(options, bravolin::AbundanceShuffle)) &&
        options.answers.mode != AnalysisMode::Nodf)
        return "--models: r2dtable and abundance_shuffle draw abundances, and the temperature is of presences: "
               "give them with -m N";
    return "";
}

// The metrics of --metrics: names separated by commas.
std::string takeMetrics(CommandLine& options, const std::string& list)
{
    const bravolin::MetricChoice choice = bravolin::chooseMetrics(commaSeparated(list));
    if (!choice.error.empty())
        return "--metrics: " + choice.error;
    options.metrics = choice.metrics;
    return "";
}

std::string takeOption(CommandLine& options, int code, const char* value)
{
    switch (code) {
    case Metrics:
        return takeMetrics(options, value);
    case Wbinary:
        options.wbinary = true;
        return "";
    case 'm':
        for (AnalysisMode mode : {AnalysisMode::Temperature, AnalysisMode::Nodf})
            if (std::string(value).size() == 1 &&
                std::toupper(static_cast<unsigned char>(*value)) == modeLetter(mode)) {
                options.answers.mode = mode;
                return "";
            }
        return "--mode takes T (temperature) or N (NODF), not '" + std::string(value) + "'";
    case 'p':
        options.answers.print = true;
        return "";
    case NoPrint:
        options.answers.print = false;
        return "";
    case 'o':
        options.answers.order = true;
        return "";
    case NoOrder:
        options.answers.order = false;
        return "";
    case 'n':
        // The library's limit; the dialogue's question keeps its own rules
        // (at most 1000).
        if (std::optional<unsigned long long> count = wholeNumber(value, bravolin::kMostSimulations);
            count && *count >= 1) {
            options.answers.simulations = static_cast<int>(*count);
            return "";
        }
        return "--null takes a number of simulations from 1 to " + std::to_string(bravolin::kMostSimulations) +
               ", not '" + std::string(value) + "'";
    case NoNull:
        options.answers.simulations = 0;
        return "";
    case 's':
        if (std::optional<unsigned long long> seed = wholeNumber(value, 4294967295ULL)) {
            options.seed = static_cast<std::uint32_t>(*seed);
            return "";
        }
        return "--seed takes a number from 0 to 4294967295, not '" + std::string(value) + "'";
    case 'j':
        if (std::optional<unsigned long long> threads = wholeNumber(value, bravolin::kMostThreads);
            threads && *threads >= 1) {
            options.threads = static_cast<int>(*threads);
            return "";
        }
        return "--threads takes a number of threads from 1 to " + std::to_string(bravolin::kMostThreads) +
               ", not '" + std::string(value) + "'";
    case 'C':
        if (*value == '\0')
            return "--directory takes the name of a folder, not an empty text";
        options.directory = value;
        return "";
    case 'q':
        options.quiet = true;
        return "";
    case Svg:
        options.svg = true;
        return "";
    case Table:
        options.table = true;
        return "";
    case Transpose:
        options.transpose = true;
        return "";
    case Header:
        return yesOrNo("--header", value, options.header);
    case RowNames:
        return yesOrNo("--row-names", value, options.rowNames);
    case FixedFixed:
        options.fixedFixed = true;
        return "";
    case FixedFixedBurnIn:
        if (std::optional<unsigned long long> trades = wholeNumber(value, kMostTrades)) {
            options.fixedFixedBurnIn = static_cast<long long>(*trades);
            return "";
        }
        return "--ff-burn-in takes a number of trades from 0 to 1000000000000, not '" + std::string(value) + "'";
    case FixedFixedThin:
        if (std::optional<unsigned long long> trades = wholeNumber(value, kMostTrades); trades && *trades >= 1) {
            options.fixedFixedThin = static_cast<long long>(*trades);
            return "";
        }
        return "--ff-thin takes a number of trades from 1 to 1000000000000, not '" + std::string(value) + "'";
    case Results:
        options.results = true;
        return "";
    case SeedPerFile:
        options.seedPerFile = true;
        return "";
    case Report:
        options.report = options.svg = true;
        return "";
    case Models:
    case Precision:
    case QuasiswapThin:
        return takeModelOption(options, code, value);
    case 'h':
        options.help = true;
        return "";
    case 'V':
        options.version = true;
        return "";
    }
    return "unknown option";
}

std::string checkCombination(const CommandLine& options)
{
    if (options.answers.mode == AnalysisMode::Temperature && options.answers.order)
        return "--order and --no-order belong to mode N, not to -m T";
    if (options.transpose && !options.table)
        return "--transpose reads the rows of a table as species: give it with --table";
    if ((options.header || options.rowNames) && !options.table)
        return "--header and --row-names say how to read a table: give them with --table";
    // Without null models these change nothing; without -n or --no-null
    // the dialogue asks whether to run them.
    const bool noNullModels = options.answers.simulations == 0;
    if (options.fixedFixed && noNullModels)
        return "--fixed-fixed adds FF to the null models: give it with -n, not with --no-null";
    if (options.seedPerFile && noNullModels)
        return "--seed-per-file seeds each file's null models: give it with -n, not with --no-null";
    if (const std::string models = checkModelOptions(options); !models.empty())
        return models;
    if (!options.metrics.empty() && options.answers.mode != AnalysisMode::Nodf)
        return "--metrics measures mode N's metrics: give it with -m N";
    const bool wnodf =
        std::find(options.metrics.begin(), options.metrics.end(), bravolin::Metric::Wnodf) != options.metrics.end();
    if (options.wbinary && !wnodf)
        return "--wbinary chooses wnodf's variant: give it with --metrics wnodf";
    if (wnodf && !options.table)
        return "--metrics wnodf weighs abundances, which only a table holds: give it with --table";
    for (const std::string& pattern : options.answers.patterns)
        if (hasFolderPart(pattern))
            return "the pattern '" + pattern +
                   "' names a folder; give the folder with -C and the pattern without it";
    return "";
}

}  // namespace

ParsedCommandLine parseCommandLine(int argc, char* argv[])
{
    ParsedCommandLine parsed;
    optind = 0;  // a fresh scan, also when parsing more than once
    opterr = 0;
    for (;;) {
        const int code = getopt_long(argc, argv, kShortOptions, kOptions, nullptr);
        if (code == -1)
            break;
        if (code == '?') {
            parsed.error = unknownOptionMessage(spelling(argc, argv, optind));
            return parsed;
        }
        if (code == ':') {
            parsed.error = "option '" + spelling(argc, argv, optind) + "' needs a value";
            return parsed;
        }
        parsed.error = takeOption(parsed.options, code, optarg);
        if (!parsed.error.empty())
            return parsed;
    }
    for (int i = optind; i < argc; i++)
        parsed.options.answers.patterns.push_back(argv[i]);
    parsed.error = checkCombination(parsed.options);
    return parsed;
}

bool isScripted(const CommandLine& commandLine)
{
    const QuestionAnswers& options = commandLine.answers;
    if (!options.mode || !options.simulations || options.patterns.empty())
        return false;
    if (*options.mode == AnalysisMode::Temperature)
        return options.print.has_value();
    return options.order == false || (options.order == true && options.print.has_value());
}

std::string usageText()
{
    return R"(Usage: bravolin                               the interactive program
       bravolin [OPTION]... [--] [PATTERN]...

Measures the nestedness of presence/absence matrices: the matrix temperature
(mode T) or the NODF metric (mode N), optionally compared with null
models. Every option answers a question of the first run; a question left
unanswered is asked. Given the mode, every question of that mode and at
least one PATTERN, the run asks nothing and is scripted.

  -m, --mode T|N        temperature (T) or NODF (N)
  -p, --print           print the packed (T) or ordered (N) matrix;
      --no-print        do not
  -o, --order           mode N: order the matrix;
      --no-order        keep the file order (the print question is then not asked)
  -n, --null N          run the null models with N simulations (1 to )" +
           std::to_string(bravolin::kMostSimulations) + R"();
      --no-null         no null models
  -s, --seed S          seed the random generator with S (0 to 4294967295)
                        instead of the clock
  -j, --threads N       run the null models on N threads (1 to )" +
           std::to_string(bravolin::kMostThreads) + R"(); by default
                        one per processor, at most 64; never more than fit in
                        memory; the results are the same
  -C, --directory DIR   work in DIR (read the matrices and write the reports there)
  -q, --quiet           no progress lines
      --svg             pictures of every matrix analysed: NAME_packed.svg (T) or
                        NAME_ordered.svg (N), and with null models NAME_T_null.svg
                        or NAME_N_null.svg, NAME being the file's whole name; each
                        is written whole and replaces the picture of an earlier run
      --report          the pictures, and BRAVOLIN_T_report.html (or _N_): a page of
                        the batch with its values and pictures (replaced by the next run)
      --table           read every matrix file as a delimited table (CSV, semicolon,
                        tab or blank separated) with site and species names and
                        numbers: above 0 is a presence, 0 an absence
      --transpose       with --table: the table's rows are species, its columns sites
      --header yes|no   with --table: the first row is a header of names, or is not
      --row-names yes|no
                        with --table: the first column holds row names, or does not;
                        both describe the file as written, before --transpose; without
                        them both are found from the table, and a scripted run prints
                        how each table was read
      --fixed-fixed     with null models: also curveball (FF), the fixed-fixed model
                        (every row's and column's total kept, by a chain of trades)
      --ff-burn-in T    curveball and abundance_shuffle: T trades before the first
                        simulation (default 100 x rows)
      --ff-thin T       curveball and abundance_shuffle: T trades between
                        simulations (default 10 x rows)
      --models LIST     with null models: the models of the run, comma separated,
                        letter case ignored: the classic Er, Ce, Li, Co, the
                        textbook r00, r0, c0, r1, r2, quasiswap, curveball (or FF),
                        and, with -m N, r2dtable and abundance_shuffle, which draw
                        the abundances of a --table (whole counts for r2dtable);
                        default Er,Ce,Li,Co; the classic files (.NULL, the
                        _Nestedness_ files, the null part of SYSTEMP.TXT) are
                        written only when the run has all four classic models
      --precision E     with -n N: simulations in blocks of 100 until every
                        nestedness P value's Monte-Carlo standard error is at most
                        E (0 < E < 1), or N have run
      --quasiswap-thin T
                        with --models naming quasiswap: T curveball trades after
                        each quasiswap reduction (default the number of rows)
      --results         tables of the batch, replaced by the next batch of the mode:
                        BRAVOLIN_T_results.csv (or _N_), with every model's mean, sd,
                        SES and P values, _null_values.csv, _rows.csv, _columns.csv
      --seed-per-file   seed each file's null models from the seed and the file's
                        name, so that a file's results do not depend on the batch
      --metrics LIST    -m N: the metrics measured, with every null model, separated
                        by commas: nodf (always), wnodf, nodfc, discrepancy, checker,
                        n0, spectral, or all (docs/metrics.md)
      --wbinary         with --metrics wnodf: its wbinary variant
  -h, --help            this text
  -V, --version         the version, and where the results are written

PATTERN: a file name in the working folder, or a wildcard expression with
* and ? (letter case ignored); each file is analysed once, in the order of
the patterns. Quote wildcards on Linux and macOS ('*.txt'); on Windows
write them bare (*.txt), since cmd.exe passes quotes on to the program.

A scripted run prints "Seed: S" at the start and, with null models, the
generator's state "Seed: X" before each file's first draw: -s S with the
same files reruns the whole batch, -s X with that file alone reruns its
null models. Results are appended to the files of earlier runs: rerun in a
fresh folder.

Exit status: 0 when all went well; 1 when an output file could not be
written completely, or, in a scripted run, when a file was skipped or lost
lines (beyond )" +
           std::to_string(bravolin::kMaxMatrixSide) + R"( rows or columns too), the folder cannot be written, a
PATTERN matched nothing, or mode N ended its batch early; 2 for a usage
error; 130 or 143 when interrupted.

Examples:
  bravolin -m T --no-print -n 100 -s 7 -- '*.txt'
  bravolin -m N -o -p -n 100 -s 7 -C field/2024 '*.txt'
  bravolin -m N -o --no-print -n 999 -s 7 --models r00,r0,c0,curveball --results '*.txt'

The user guide, in docs/ beside this program's README, says more:
  docs/your-own-data.md               matrix files and tables (--table,
                                      --transpose, --header, --row-names),
                                      names, limits, refusals
  docs/null-models-and-statistics.md  the classic and textbook null models,
                                      --models, --precision, SES and P
                                      values, threads
  docs/result-tables.md               the report files and --results
  docs/pictures.md                    --svg and --report
  docs/scripting-and-clusters.md      scripted runs, exit status, seeds,
                                      --seed-per-file and shards
  docs/README.md                      every page of the guide
)";
}

std::string versionText()
{
    return std::string("BRAVOLIN ") + bravolin::kVersion +
           "\n"
           "Results are appended to SYSTEMP.TXT and to report files named after each matrix,\n"
           "in the working folder (the current folder, or the one given with -C).\n";
}
