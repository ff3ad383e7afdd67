// The batch driver of both modes.
#include "console/driver/batch_driver.h"

#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "bravolin/version.h"
#include "console/driver/batch_list.h"
#include "console/driver/interrupts.h"
#include "console/driver/nodf_mode.h"
#include "console/driver/null_model_settings.h"
#include "console/driver/page_settings.h"
#include "console/driver/seeding.h"
#include "console/driver/temperature_mode.h"
#include "console/output/output_file.h"
#include "console/reports/picture_report.h"
#include "console/reports/result_report.h"
#include "formats/text/text_encoding.h"

namespace {

// How a file's step of the batch ends.
enum class FileEnd { Next, EndsBatch, EndsProgram };

template <typename Mode>
using ReportOf = FileReport<typename Mode::Analysis>;
template <typename Mode>
using WriterOf = FileWriter<typename Mode::Analysis>;
template <typename Mode>
using FileOf = AnalysedFile<typename Mode::Analysis>;

// In a scripted run, before the batch takes the folder's lock: whether
// files can be created in the folder. When they cannot, says why on
// standard error ("cannot write in the folder 'DIR': permission denied"),
// and the run is to end at once, with exit code 1 and no closing line,
// rather than analyse every file and name each that could not be written.
bool folderWritable(ProgramRun& run)
{
    if (!run.options.scripted())
        return true;
    const std::string problem = currentFolderWriteProblem(run.output);
    if (problem.empty())
        return true;
    const std::optional<std::string>& directory = run.options.commandLine().directory;
    const std::string folder = directory ? *directory : run.output.files().currentFolder();
    std::fprintf(stderr, "bravolin: cannot write in the folder '%s': %s\n", folder.c_str(), problem.c_str());
    run.state.tally.folderUnwritable = true;
    return false;
}

// The writers of a batch: the mode's classic files, the pictures and the
// page (--svg, --report), the result line (scripted) and tables (--results).
template <typename Mode>
ReportOf<Mode> reportOfBatch(ProgramRun& run)
{
    using Analysis = typename Mode::Analysis;
    const RunSettings& settings = run.options.settings;
    const CommandLine& commandLine = run.options.commandLine();
    ReportOf<Mode> report;
    report.add(Mode::classicFiles(run));
    if (commandLine.svg)
        report.add(pictureReport<Analysis>(run.output, commandLine.report, settings.nullModels,
                                           pageSettings(run.options, run.state)));
    std::optional<ResultTableSettings> tables;
    if (commandLine.results)
        tables = ResultTableSettings{Analysis::kMode,
                                     run.state.generatorSeed,
                                     settings.nullModels ? settings.simulations : 0,
                                     settings.order,
                                     bravolin::kVersion,
                                     run.options.startDate(),
                                     Mode::metricValues(run, false),
                                     Mode::metricValues(run, true)};
    report.add(resultReport<Analysis>(run.output, run.options.scripted(), tables));
    return report;
}

// The announcement of a file, and its generator seeded.
void startFile(ProgramRun& run, const BatchPolicy& policy, const std::string& name)
{
    consolePrintf("File: %s%s\n", printableFileName(name).c_str(), policy.processing);
    seedFileGenerator(run.options, run.state, name);
    printFileSeed(run.options, run.state);
}

// If an interrupt has arrived: the file's results as far as they go are
// told to the writers, and the program ends by the interrupt. Otherwise
// returns.
template <typename Mode>
void stopFileIfInterrupted(ProgramRun& run, ReportOf<Mode>& report, const FileOf<Mode>& file)
{
    if (caughtInterrupt() == 0)
        return;
    report.tell(&WriterOf<Mode>::interrupted, file);
    stopIfInterrupted(run.output);
}

// The null models of the file, into null, their progress on the console
// and their values to the writers.
template <typename Mode>
void runNullModels(ProgramRun& run, ReportOf<Mode>& report, FileOf<Mode>& file,
                   std::optional<typename Mode::Analysis::NullModels>& null)
{
    using NullModels = typename Mode::Analysis::NullModels;
    const NullModels none(modelsOfRun(run.options));
    file.null = &none;
    report.tell(&WriterOf<Mode>::nullModelsStarted, file);
    // An interrupt during the observed analysis stops the file before its
    // first simulation.
    stopFileIfInterrupted<Mode>(run, report, file);
    const auto [rows, columns] = Mode::randomisedSize(*file.matrix, *file.observed);
    const bravolin::NullModelSettings settings = nullModelSettings(run, rows, columns);
    typename Mode::Progress classicProgress(run);
    SimulationProgress progress(run.output.style(), settings.simulations);
    auto simulationDone = [&](const NullModels& soFar, int simulation) {
        classicProgress.show(simulation);
        progress.show(simulation);
        file.null = &soFar;
        report.tell(&WriterOf<Mode>::simulationDone, file, simulation);
    };
    null.emplace(Mode::runNullModels(run, *file.matrix, *file.observed, settings, simulationDone));
    file.null = &*null;
    progress.finish();
    noteThreadsRunning(run.state, settings, null->run);
    // Stopped by an interrupt: the simulations written end the files.
    if (null->run.stopped)
        stopFileIfInterrupted<Mode>(run, report, file);
    // With a precision, the simulations that ran are the file's: the
    // classic P values are shares of them.
    if (settings.precision > 0) {
        file.simulations = null->run.completed;
        notePrecision(settings, null->run);
    }
    classicProgress.finish(file.simulations);
    report.tell(&WriterOf<Mode>::nullModelsDone, file);
}

// The analysis of the matrix read from the file named name, then its null
// models when they are on; linesLost: the reader lost lines or cells of it.
template <typename Mode>
void analyseFile(ProgramRun& run, ReportOf<Mode>& report, const std::string& name, const FileRead& read)
{
    const RunSettings& settings = run.options.settings;
    const bravolin::Matrix& matrix = read.matrix;
    const bool linesLost = read.lostLines > 0;
    const typename Mode::Analysis::Result observed =
        Mode::analyse(run, matrix, read.abundances ? &*read.abundances : nullptr);
    FileOf<Mode> file{name, &matrix, &observed, nullptr, 0, settings.nullModels ? settings.simulations : 0};
    report.tell(&WriterOf<Mode>::observed, file);
    file.fileSeed = run.state.generator.state();
    std::optional<typename Mode::Analysis::NullModels> null;
    if (settings.nullModels)
        runNullModels<Mode>(run, report, file, null);
    report.tell(&WriterOf<Mode>::finished, file, linesLost ? Completeness::Truncated : Completeness::Complete);
}

// One file of the batch: read, analysed, reported. A file that runs out of
// memory is reported and the batch goes on. A file without any row (mode
// N reads one) is analysed as it always was (its values are nan), and
// counted as skipped: it has no results to give.
template <typename Mode>
FileEnd processFile(ProgramRun& run, ReportOf<Mode>& report, const std::string& name)
{
    const BatchPolicy& policy = Mode::kPolicy;
    const bool table = run.options.commandLine().table;
    BatchTally& tally = run.state.tally;
    if (policy.announcedBeforeReading)
        startFile(run, policy, name);
    report.tell(&WriterOf<Mode>::reading, name, table);
    const FileRead read = table ? readTableFile(run.output.files(), name, run.options.tableLayout(),
                                                run.options.scripted())
                                : Mode::readMatrixFile(run, name);
    if (read.lostLines > 0)
        tally.withLostLines++;
    if (read.outcome == FileRead::Outcome::EndsProgram)
        return FileEnd::EndsProgram;
    // A file that the run's null models cannot draw from is skipped before
    // any of its results is written.
    if (read.outcome == FileRead::Outcome::Unusable || Mode::refusesFile(run, name, read)) {
        report.tell(&WriterOf<Mode>::unusable, name);
        if (!table && policy.unusableFileEndsBatch)
            return FileEnd::EndsBatch;
        tally.skipped++;
        if (policy.bellAtSkippedFile)
            beep(run.output.style());
        return FileEnd::Next;
    }
    report.tell(&WriterOf<Mode>::read, name, table);
    if (!policy.announcedBeforeReading)
        startFile(run, policy, name);
    try {
        analyseFile<Mode>(run, report, name, read);
        if (read.matrix.rows() > 0)
            tally.analysed++;
        else
            tally.skipped++;
    } catch (const std::bad_alloc&) {
        report.tell(&WriterOf<Mode>::abandoned, name);
        consolePrintf("File: %s could not be analysed: not enough memory.\n", printableFileName(name).c_str());
        tally.outOfMemory++;
        tally.skipped++;
    }
    return FileEnd::Next;
}

template <typename Mode>
bool runBatchOf(ProgramRun& run)
{
    const BatchPolicy& policy = Mode::kPolicy;
    if (policy.reseedsAtModeStart)
        seedGenerator(run.options, run.state);
    Mode::askQuestions(run);
    std::optional<FileBatch> batch;
    if (!policy.locksBeforeFileQuestion)
        batch = takeBatch(run, policy.stepStart);
    if (!folderWritable(run))
        return false;
    HeldFolderLock lock(run.output.folderLock());
    // Declared after the lock, so that the batch's tables are in place
    // before the lock is released.
    ReportOf<Mode> report = reportOfBatch<Mode>(run);
    report.tell(&WriterOf<Mode>::batchStarted);
    if (policy.locksBeforeFileQuestion)
        batch = takeBatch(run, policy.stepStart);
    for (int handled = 0;;) {
        consolePrintf("%s", policy.stepStart);
        const std::optional<std::string> name = batch->next();
        if (!name)
            break;
        switch (processFile<Mode>(run, report, *name)) {
        case FileEnd::EndsProgram:
            return false;
        case FileEnd::EndsBatch:
            report.tell(&WriterOf<Mode>::batchEnded);
            lock.release();
            reportBatchEndedEarly(run, *batch);
            return false;
        case FileEnd::Next:
            break;
        }
        stopIfInterrupted(run.output);
        if (++handled == policy.fileLimit) {
            consolePrintf("Maximum number of files reached: %d!\n", policy.fileLimit);
            reportFilesLeftOut(run, *batch, policy.fileLimit);
            break;
        }
    }
    report.tell(&WriterOf<Mode>::batchEnded);
    if (!policy.asksToRunAgain && !run.options.scripted()) {
        consolePrintf("\nEnd of processing...\n");
        beep(run.output.style());
    }
    return true;
}

}  // namespace

bool runBatch(ProgramRun& run)
{
    if (run.options.settings.mode == AnalysisMode::Temperature)
        return runBatchOf<TemperatureMode>(run);
    return runBatchOf<NodfMode>(run);
}
