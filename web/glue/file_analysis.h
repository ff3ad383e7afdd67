// One file of the page's batch, as the console program's scripted run
// handles it: read, analysed in the run's mode, its null models drawn from
// the batch's generator (or the file's own seed with a seed per file), and
// its results, the rows it adds to the result tables and its pictures
// written by the formats library.
#ifndef BRAVOLIN_WEB_GLUE_FILE_ANALYSIS_H
#define BRAVOLIN_WEB_GLUE_FILE_ANALYSIS_H

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bravolin/nodf_metrics.h"
#include "file_reading.h"
#include "formats/pictures/analysis_pictures.h"
#include "formats/tables/matrix_results.h"
#include "formats/tables/result_tables.h"
#include "page_metrics.h"

struct AnalysisRequest {
    AnalysisMode mode = AnalysisMode::Temperature;
    bool order = false;             // mode N
    int simulations = 0;            // 0: no null models
    std::vector<std::string> models;
    bravolin::MetricSettings metrics;  // mode N; nodf alone: none beyond it
    std::uint32_t runSeed = 0;
    bool seedPerFile = false;
    // The batch's generator as the file before this one left it (its
    // state), or the run's seed for the first file.
    std::uint32_t generatorState = 0;
    TableLayout layout;             // with abundances when wnodf is measured
    std::string date;               // the run's start, for the result tables
};

enum class FileStatus {
    Analysed,
    Skipped,      // unreadable, or without a row; the messages say why
    EndsBatch,    // mode N: no file after it is analysed
    OutOfMemory,
};

struct FileAnalysis {
    FileStatus status = FileStatus::Skipped;
    // What was read; its messages end with what the analysis said of a
    // file it could not report.
    FileRead read;
    // The generator's state before the file's first draw, as a scripted
    // run prints it ("Seed: X"); none without null models.
    std::optional<std::uint32_t> fileSeed;
    std::uint32_t generatorState = 0;  // after the file, for the next one
    MatrixResults results;
    std::string resultLine;
    // The notes about the run's metrics first said at this file, as the
    // console program prints them once a run.
    std::string notes;
    // Its line of the classic summary file, SYSTEMP.TXT, as the console
    // program writes it, and the header line above it there: with null
    // models, their values end it only when the classic four ran.
    std::string summaryHeader, summaryLine;
    bool classicModels = false;        // the classic four ran
    ResultTableText tables;            // the rows the file adds
    std::vector<NamedPicture> pictures;
};

// Called after every simulation, numbered from 1.
using SimulationProgress = std::function<void(int simulation)>;

// Analyses the bytes of the file named name, one of the run whose state
// is run. Throws bravolin::Error for a request out of range (an unknown
// model or metric name).
FileAnalysis analysePageFile(std::string_view bytes, const std::string& name, const AnalysisRequest& request,
                             PageRunState& run, const SimulationProgress& progress);

// The settings every row of the run's result tables repeats.
ResultTableSettings tableSettings(const AnalysisRequest& request);

#endif
