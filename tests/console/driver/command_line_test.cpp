// Reading the command line: every option in both spellings, which one wins,
// when a run is scripted, and every usage error.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "console/driver/command_line.h"

namespace {

ParsedCommandLine parse(std::vector<std::string> words)
{
    words.insert(words.begin(), "bravolin");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    return parseCommandLine(static_cast<int>(words.size()), argv.data());
}

CommandLine options(const std::vector<std::string>& words)
{
    ParsedCommandLine parsed = parse(words);
    EXPECT_EQ(parsed.error, "");
    return parsed.options;
}

}  // namespace

TEST(CommandLine, NothingGivenLeavesEveryQuestionToAsk)
{
    const CommandLine none = options({});
    const QuestionAnswers& asked = none.answers;
    EXPECT_FALSE(asked.mode || asked.print || asked.order || asked.simulations || none.seed);
    EXPECT_TRUE(asked.patterns.empty());
    EXPECT_FALSE(none.directory);
    EXPECT_FALSE(none.quiet || none.help || none.version);
}

TEST(CommandLine, EveryOptionInItsShortAndLongSpellings)
{
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"-m", "N", "-p", "-o", "-n", "100", "-s", "7", "-C", "dir", "-q"},
             {"-mn", "-po", "-n100", "-s7", "-Cdir", "-q"},
             {"--mode", "n", "--print", "--order", "--null", "100", "--seed", "7", "--directory",
              "dir", "--quiet"},
             {"--mode=N", "--print", "--order", "--null=100", "--seed=7", "--directory=dir",
              "--quiet"}}) {
        const CommandLine given = options(words);
        EXPECT_EQ(given.answers.mode, AnalysisMode::Nodf);
        EXPECT_EQ(given.answers.print, true);
        EXPECT_EQ(given.answers.order, true);
        EXPECT_EQ(given.answers.simulations, 100);
        EXPECT_EQ(given.seed, 7u);
        EXPECT_EQ(given.directory, "dir");
        EXPECT_TRUE(given.quiet);
    }
    const CommandLine negated = options({"-m", "t", "--no-print", "--no-null"});
    EXPECT_EQ(negated.answers.mode, AnalysisMode::Temperature);
    EXPECT_EQ(negated.answers.print, false);
    EXPECT_EQ(negated.answers.simulations, 0);
    EXPECT_EQ(options({"--no-order"}).answers.order, false);
    EXPECT_TRUE(options({"-h"}).help);
    EXPECT_TRUE(options({"--help"}).help);
    EXPECT_TRUE(options({"-V"}).version);
    EXPECT_TRUE(options({"--version"}).version);
    EXPECT_EQ(options({"-s", "4294967295"}).seed, 4294967295u);
    EXPECT_EQ(options({"--seed=0"}).seed, 0u);
    EXPECT_EQ(options({"-n", "100000"}).answers.simulations, 100000);
    const CommandLine statistics =
        options({"--fixed-fixed", "--ff-burn-in", "0", "--ff-thin=25", "--results", "--seed-per-file"});
    EXPECT_TRUE(statistics.fixedFixed && statistics.results && statistics.seedPerFile);
    EXPECT_EQ(statistics.fixedFixedBurnIn, 0);
    EXPECT_EQ(statistics.fixedFixedThin, 25);
    const CommandLine table = options({"--table", "--header", "no", "--row-names=yes", "--transpose"});
    EXPECT_TRUE(table.table && table.transpose);
    EXPECT_EQ(table.header, false);
    EXPECT_EQ(table.rowNames, true);
}

TEST(CommandLine, TheLaterOfTwoOptionsWinsAndPatternsMayComeAnywhere)
{
    const CommandLine given = options({"a.txt", "--print", "-n", "5", "*.csv", "--no-print",
                                       "-n", "7", "--null", "9", "--no-null", "--", "-odd.txt"});
    EXPECT_EQ(given.answers.print, false);
    EXPECT_EQ(given.answers.simulations, 0);
    EXPECT_EQ(given.answers.patterns, (std::vector<std::string>{"a.txt", "*.csv", "-odd.txt"}));
    EXPECT_EQ(options({"--no-null", "-n", "3"}).answers.simulations, 3);
    EXPECT_EQ(options({"-m", "N", "-m", "T"}).answers.mode, AnalysisMode::Temperature);
}

TEST(CommandLine, UsageErrors)
{
    const std::vector<std::vector<std::string>> mistakes = {
        {"-x"},                    {"--bogus"},          {"-n"},
        {"--seed"},                {"-C"},               {"-m"},
        {"-n", "0"},               {"-n", "100001"},     {"-n", "abc"},
        {"-n", "10x"},             {"--null=-5"},        {"-s", "-1"},
        {"-s", "4294967296"},      {"-s", "1e3"},        {"-m", "X"},
        {"-m", "TT"},              {"--mode="},          {"-m", "T", "--order"},
        {"--no-order", "-m", "T"}, {"data/*.txt"},       {"-m", "N", "--", "../a.txt"},
        {"--print=yes"},           {"-C", ""},           {"--no-null=5"},
        {"--ff-thin", "10"},       {"--fixed-fixed", "--ff-thin", "0"},
        {"--fixed-fixed", "--ff-burn-in", "-1"}, {"-n", "5", "--no-null", "--fixed-fixed", "--ff-thin", "9"},
        {"--seed-per-file", "--no-null"},
        {"--table", "--header", "Yes"}, {"--table", "--row-names"}, {"--header", "yes"},
        {"--row-names", "no"},
    };
    for (const auto& words : mistakes) {
        std::string joined;
        for (const std::string& word : words)
            joined += word + " ";
        EXPECT_NE(parse(words).error, "") << joined;
    }
    EXPECT_NE(parse({"-m", "T", "--order"}).error.find("mode N"), std::string::npos);
    EXPECT_NE(parse({"data/*.txt"}).error.find("-C"), std::string::npos);
    EXPECT_NE(parse({"--bogus"}).error.find("--bogus"), std::string::npos);
    EXPECT_NE(parse({"-n"}).error.find("-n"), std::string::npos);
    EXPECT_NE(parse({"-x"}).error.find("unknown option '-x'"), std::string::npos);
    // An option that takes no value is named whole, however it is abbreviated.
    EXPECT_EQ(parse({"--no-null=5"}).error, "option '--no-null' takes no value");
    EXPECT_EQ(parse({"--no-pr=1"}).error, "option '--no-print' takes no value");
    EXPECT_EQ(parse({"--print=yes"}).error, "option '--print' takes no value");
    EXPECT_NE(parse({"-C", ""}).error.find("--directory"), std::string::npos);
    // Options that would do nothing without null models; the dialogue still
    // asks about them when neither -n nor --no-null is given.
    EXPECT_EQ(parse({"--no-null", "--fixed-fixed"}).error,
              "--fixed-fixed adds FF to the null models: give it with -n, not with --no-null");
    EXPECT_EQ(parse({"--seed-per-file", "--no-null"}).error,
              "--seed-per-file seeds each file's null models: give it with -n, not with --no-null");
    EXPECT_EQ(parse({"--fixed-fixed", "--ff-burn-in", "5", "--seed-per-file"}).error, "");
    EXPECT_EQ(parse({"--no-null", "-n", "3", "--seed-per-file"}).error, "");
    EXPECT_EQ(parse({"--table", "--header", "1"}).error, "--header takes yes or no, not '1'");
    EXPECT_EQ(parse({"--row-names", "no"}).error,
              "--header and --row-names say how to read a table: give them with --table");
}

TEST(CommandLine, ModelsPrecisionAndQuasiswapThinning)
{
    using bravolin::NullModel;
    // Names ignoring case, FF as curveball, each once, in the tables' order.
    EXPECT_EQ(options({"-n", "9", "--models", "CURVEBALL,r0,Er,ff,R0"}).models,
              (std::vector<NullModel>{bravolin::Er, bravolin::R0, bravolin::Curveball}));
    const CommandLine tuned = options({"-n", "99", "--precision=0.005", "--models", "quasiswap,c0",
                                       "--quasiswap-thin", "0", "--fixed-fixed", "--ff-thin", "5"});
    EXPECT_EQ(tuned.precision, 0.005);
    EXPECT_EQ(tuned.quasiswapThin, 0);
    // The dialogue asks about null models when neither -n nor --no-null is
    // given; curveball named by --models takes its chain's options.
    EXPECT_EQ(parse({"--models", "FF", "--ff-thin", "3"}).error, "");
    const std::vector<std::vector<std::string>> mistakes = {
        {"--models", ""},
        {"--models", "Er,,Ce"},
        {"-n", "9", "--models", "Er", "--no-null"},
        {"--precision", "0.01"},
        {"-n", "9", "--precision", "1"},
        {"-n", "9", "--precision", "0"},
        {"-n", "9", "--precision", "nan"},
        {"-n", "9", "--precision", "0.1x"},
        {"-n", "9", "--quasiswap-thin", "5"},
        {"-n", "9", "--models", "r0,curveball", "--quasiswap-thin", "5"},
        {"-n", "9", "--models", "quasiswap", "--quasiswap-thin", "-1"},
        {"-n", "9", "--models", "r0", "--ff-burn-in", "5"},
    };
    for (const auto& words : mistakes)
        EXPECT_NE(parse(words).error, "") << words[words.size() - 1];
    EXPECT_EQ(parse({"--models", "r3"}).error,
              "--models: unknown null model \"r3\"; the models are Er, Ce, Li, Co, r00, r0, c0, r1, r2, quasiswap, "
              "curveball (or FF), r2dtable, abundance_shuffle");
    EXPECT_EQ(parse({"--no-null", "--models", "r0"}).error,
              "--models chooses the null models: give it with -n, not with --no-null");
}

TEST(CommandLine, ScriptedWhenTheModeEveryQuestionOfItAndAPatternAreGiven)
{
    EXPECT_TRUE(isScripted(options({"-m", "T", "-p", "-n", "10", "*.txt"})));
    EXPECT_TRUE(isScripted(options({"-m", "T", "--no-print", "--no-null", "a", "b"})));
    EXPECT_FALSE(isScripted(options({"-m", "T", "--no-print", "--no-null"})));
    EXPECT_FALSE(isScripted(options({"-m", "T", "--no-null", "*.txt"})));
    EXPECT_FALSE(isScripted(options({"-m", "T", "-p", "*.txt"})));
    EXPECT_FALSE(isScripted(options({"-p", "-n", "10", "*.txt"})));
    // Mode N asks about printing only when it orders.
    EXPECT_TRUE(isScripted(options({"-m", "N", "--no-order", "--no-null", "*.txt"})));
    EXPECT_TRUE(isScripted(options({"-m", "N", "-o", "-p", "-n", "5", "*.txt"})));
    EXPECT_FALSE(isScripted(options({"-m", "N", "-o", "-n", "5", "*.txt"})));
    EXPECT_FALSE(isScripted(options({"-m", "N", "-p", "-n", "5", "*.txt"})));
    // An option of mode N is no usage error when the mode is asked.
    EXPECT_EQ(parse({"--order", "-p"}).error, "");
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionTheProgram)
{
    const std::string help = usageText();
    for (const char* option : {"--mode", "--print", "--no-print", "--order", "--no-order", "--null",
                               "--no-null", "--seed", "--directory", "--quiet", "--header", "--row-names", "--help",
                               "--models", "--precision", "--quasiswap-thin",
                               "--version", "-m,", "-p,", "-o,", "-n,", "-s,", "-C,", "-q,", "-h,",
                               "-V,", "Examples:", "bravolin [OPTION]... [--] [PATTERN]..."})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(versionText().substr(0, 15), "BRAVOLIN 3.0.3\n");
}

// The help sends the reader to pages of the user guide: each must exist.
TEST(CommandLine, HelpPointsToPagesOfTheGuideThatExist)
{
    const std::string help = usageText();
    const std::regex page("docs/[A-Za-z-]+\\.md");
    int pages = 0;
    for (std::sregex_iterator at(help.begin(), help.end(), page), end; at != end; ++at, pages++)
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(BRAVOLIN_SOURCE_DIR) / at->str()))
            << at->str();
    EXPECT_GT(pages, 0);
}
