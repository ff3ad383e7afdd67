// How a program run is driven, shared by the drivers of both modes: where
// the answers come from, which answers the command line gave, the run's
// settings and generator, what the machine lends it, and what its closing
// line counts.
#ifndef BRAVOLIN_CONSOLE_DRIVER_RUN_CONTEXT_H
#define BRAVOLIN_CONSOLE_DRIVER_RUN_CONTEXT_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/null_models.h"
#include "console/driver/command_line.h"
#include "console/driver/environment.h"
#include "console/driver/file_search.h"
#include "console/driver/progress.h"
#include "console/output/output_session.h"
#include "console/output/picture_files.h"
#include "console/output/result_table_files.h"
#include "console/system/console.h"
#include "formats/input/table_reader.h"
#include "formats/tables/matrix_results.h"

// The answers of a run's questions, asked once per run.
struct RunSettings {
    bool printMatrix = false;  // print the packed (T) or ordered (N) matrix
    bool nullModels = false;
    // The simulations of the null models: a later run keeps the earlier
    // count when its answer is no number.
    int simulations = 0;
    bool order = false;        // mode N: order the matrix by totals
    bool debug = false;        // the debug marker was found when the run started
};

// The files of a run, as a scripted run's closing line counts them and as
// the exit code tells.
struct BatchTally {
    int analysed = 0;
    int skipped = 0;             // unreadable, rejected for their content, or out of memory
    int withLostLines = 0;
    int unmatchedPatterns = 0;
    int outOfMemory = 0;         // files whose analysis ran out of memory
    int leftOut = 0;             // files beyond the batch's file limit
    bool endedEarly = false;     // mode N stopped before the end of its batch
    bool folderUnwritable = false;  // the run stopped before its batch: no file can be written
};

struct RunContext {
    RunContext(AnswerSource& source, OutputSession& session)
        : answers(source), output(session), pictures(session), spinner(session.style())
    {
    }

    AnswerSource& answers;
    OutputSession& output;
    // The command line's answers; they answer the questions of the first
    // run only, and are cleared after it.
    CommandLine given;
    bool scripted = false;
    RunSettings settings;
    // The seed of every seeding point; none: the clock at each.
    std::optional<std::uint32_t> seed;
    // The generator of the null models, carried from file to file: it is
    // never reseeded per file, so a batch draws one stream.
    bravolin::Generator generator;
    // The seed the generator was last seeded with: the run's seed, or the
    // clock's.
    std::uint32_t generatorSeed = 0;
    // Threads for the null models; 0: as many as the machine allows.
    int threads = 0;
    BatchTally tally;
    RunPictures pictures;
    // Matrix files are read as delimited tables (--table), in the layout
    // the command line gives (--header, --row-names, --transpose); for every
    // run of the program.
    bool readTables = false;
    TableLayout tableLayout;
    // For every run of the program as well: FF beside the null models, with
    // its chain's settings; the batch's result tables; each file's
    // generator seeded from the seed and the file's name.
    bravolin::FixedFixedSettings fixedFixed;
    bool writeResults = false;
    bool seedPerFile = false;
    // The program's start, ISO 8601 local time with its offset.
    std::string startDate;
    // The tables of the batch under way, with --results.
    std::unique_ptr<ResultTables> results;
    Spinner spinner;
    ProgramEnvironment environment = machineEnvironment();
    // Whether the console has said that fewer threads run than asked for,
    // for lack of memory or because they could not be started: once a run.
    bool threadLimitReported = false;
    bool threadStartReported = false;
};

// The settings of the null models of a rows x columns matrix: the run's
// simulations, on the threads asked for, or by default one per processor
// this process may run on, at most 64; never more than fit in the memory
// budget, which the console then says (once a run). They stop at an
// interrupt.
bravolin::NullModelSettings nullModelSettings(RunContext& run, int rows, int columns);

// The null models of the run, as the library lists them.
std::vector<bravolin::NullModel> modelsOfRun(const RunContext& run);

// Says (once a run) when fewer threads ran than were planned, because the
// system could not start them all.
void noteThreadsRunning(RunContext& run, const bravolin::NullModelSettings& planned,
                        const bravolin::SimulationRun& ran);

// Says that the analysis of the file named fileName ran out of memory: its
// summary line is ended, and the run's exit code becomes 1.
void reportOutOfMemory(RunContext& run, const std::string& fileName);

// The seed for a seeding point: the run's own, or the clock's.
std::uint32_t seedOfRun(const RunContext& run);

// Seeds the run's generator at a seeding point.
void seedGenerator(RunContext& run);

// A yes/no question, unless the command line answered it.
bool answerYesNo(RunContext& run, const char* prompt, const std::optional<bool>& given);

// The null-model questions, unless the command line answered them.
void answerNullModelQuestions(RunContext& run);

// The files of the run's batch: the command line's PATTERNs, each that
// matches nothing reported, or else an expression asked until one matches.
// A scripted run is never asked; its batch may then be empty. stepStart is
// printed before each report of a pattern that matched nothing (mode N
// starts every step of its batch with a line end).
FileBatch takeBatch(RunContext& run, const char* stepStart);

// In a scripted run, before the batch takes the folder's lock: whether
// files can be created in the folder. When they cannot, says why on
// standard error ("cannot write in the folder 'DIR': permission denied"),
// and the run is to end at once, with exit code 1 and no closing line,
// rather than analyse every file and name each that could not be written.
bool folderWritable(RunContext& run);

// Reads the file named fileName as a table in the run's layout; a scripted
// run says how it was read.
TableRead readTableOfRun(const RunContext& run, const std::string& fileName);

// In a scripted run, for a file in which no row of 0s and 1s was found:
// the hint at how to read it, for UTF-16 text or, for a name that ends in
// .csv or .tsv, --table. Returns whether one was given.
bool hintAtFileFormat(const RunContext& run, const std::string& fileName);

// With --seed-per-file: seeds the generator for the file named fileName
// with seedOfFile of the run's seed and that name.
void seedFileGenerator(RunContext& run, const std::string& fileName);

// The seed of a file of a batch with --seed-per-file: the 32-bit FNV-1a
// hash of the run's seed (its four bytes, lowest first) followed by the
// file name's UTF-8 bytes as given, letter case kept. It depends on nothing
// else, so a file's null models are the same in any batch.
std::uint32_t seedOfFile(std::uint32_t seed, const std::string& fileName);

// In a scripted run with null models: the generator's state before the
// file's first draw, so that the file's null models can be rerun alone.
void printFileSeed(const RunContext& run);

// The result tables of a batch (with --results), open from the batch's
// start and put in place at its end, at finish() or when this is
// destroyed. Declare it after the batch's folder lock, so that the tables
// are in place before the lock is released.
class BatchResultTables {
public:
    BatchResultTables(RunContext& run, AnalysisMode mode);
    ~BatchResultTables() { finish(); }
    BatchResultTables(const BatchResultTables&) = delete;
    BatchResultTables& operator=(const BatchResultTables&) = delete;
    void finish();

private:
    RunContext& run_;
};

// A file's results, once its analysis is complete or its null models were
// cut short by an interrupt: the result line of a scripted run (none for an
// interrupted file, whose statistics are of fewer simulations than asked
// for), and the file's rows of the result tables.
void reportTemperatureResults(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                              const bravolin::TemperatureResult& observed,
                              const bravolin::TemperatureNullModels* null, std::uint32_t fileSeed,
                              Completeness completeness);
void reportNodfResults(RunContext& run, const std::string& fileName, const bravolin::Matrix& matrix,
                       const bravolin::NodfResult& observed, const bravolin::NodfNullModels* null,
                       std::uint32_t fileSeed, Completeness completeness);

// The run's settings, as the page of a batch of a mode lists them.
PageSettings pageSettings(const RunContext& run, AnalysisMode mode);

// A scripted run's closing line, and the exit code of any run; inputEnded:
// standard input ended before the analysis was complete.
int finishRun(RunContext& run, bool inputEnded);

#endif
