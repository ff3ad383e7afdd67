// What a program run is asked to do: its command line, read once, and the
// answers the questions of the run under way got. Which options hold after
// the run-again question follows one rule: the command line's answers to
// the questions (QuestionAnswers: the mode, print, order, null models and
// the files) answer those of the first run only, and every later run asks
// them; every other option holds for every run of the program.
#ifndef BRAVOLIN_CONSOLE_DRIVER_RUN_OPTIONS_H
#define BRAVOLIN_CONSOLE_DRIVER_RUN_OPTIONS_H

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "bravolin/null_models.h"
#include "console/driver/command_line.h"
#include "formats/analysis_mode.h"
#include "formats/input/table_reader.h"

// The run under way: its mode and the answers to its questions, and
// whether the debug marker was found when it started.
struct RunSettings {
    AnalysisMode mode = AnalysisMode::Temperature;
    bool printMatrix = false;  // print the packed (T) or ordered (N) matrix
    bool nullModels = false;
    // The simulations of the null models: a later run keeps the earlier
    // count when its answer is no number.
    int simulations = 0;
    bool order = false;        // mode N: order the matrix
    bool debug = false;
};

class RunOptions {
public:
    // The options of a program run with commandLine, started at start.
    RunOptions(const CommandLine& commandLine, std::time_t start);

    // The options that hold for every run of the program.
    const CommandLine& commandLine() const { return commandLine_; }
    // The command line's answers to the questions of the run under way:
    // the first run's; none for a later run.
    const QuestionAnswers& given() const;
    // The run-again question was answered yes: the next run asks every
    // question.
    void startLaterRun() { laterRun_ = true; }

    // The command line answers every question of its mode and names the
    // files: the run asks nothing.
    bool scripted() const { return scripted_; }
    // The seed of every seeding point; none: the clock at each. A scripted
    // run keeps one seed for both seeding points, so that the one it prints
    // reruns it.
    const std::optional<std::uint32_t>& seed() const { return seed_; }
    // The program's start, ISO 8601 local time with its offset.
    const std::string& startDate() const { return startDate_; }
    // FF beside the null models, with its chain's settings (--fixed-fixed,
    // --ff-burn-in, --ff-thin).
    bravolin::FixedFixedSettings fixedFixed() const;
    // How a table is read (--header, --row-names, --transpose).
    TableLayout tableLayout() const;
    // Mode N's metrics (--metrics, --wbinary): nodf alone without them.
    bravolin::MetricSettings metricSettings() const;

    // The run under way, as its questions were answered.
    RunSettings settings;

private:
    const CommandLine commandLine_;
    const bool scripted_;
    const std::optional<std::uint32_t> seed_;
    const std::string startDate_;
    bool laterRun_ = false;
};

#endif
