// Mode N as the batch driver runs it: the NODF of each file, ordered or
// not, compared with its null models on the whole matrix, with its
// questions, its reader, its progress and its classic files.
#ifndef BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H
#define BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "console/driver/batch_policy.h"
#include "console/driver/program_run.h"
#include "console/driver/progress.h"
#include "console/input/file_readers.h"
#include "console/reports/analyses.h"
#include "console/reports/file_report.h"

struct NodfMode {
    using Analysis = NodfAnalysis;
    static constexpr const BatchPolicy& kPolicy = kNodfBatch;

    // Whether to order the matrix and, if so, to print it; the null-model
    // questions.
    static void askQuestions(ProgramRun& run);
    static FileRead readMatrixFile(ProgramRun& run, const std::string& name);
    // Whether the run's null models cannot draw from the file read (a
    // table that r2dtable cannot take), which is then said.
    static bool refusesFile(ProgramRun& run, const std::string& name, const FileRead& read);
    // The NODF and the run's further metrics (--metrics), wnodf of the
    // abundances read (none: of the 0s and 1s). What the metrics leave
    // undefined is said once a program run: wnodf of 0s and 1s, wnodf's
    // and nodfc's null values under the run's models.
    static NodfFileResult analyse(ProgramRun& run, const bravolin::Matrix& matrix,
                                  const bravolin::AbundanceMatrix* abundances);
    // The rows and columns the null models randomise: the whole matrix.
    static std::pair<int, int> randomisedSize(const bravolin::Matrix& matrix, const bravolin::NodfResult& observed);
    // The null models of the NODF, and with further metrics theirs too, in
    // the same simulations; done sees every simulation completed.
    static NodfFileNullModels runNullModels(ProgramRun& run, const bravolin::Matrix& matrix,
                                            const NodfFileResult& observed, const bravolin::NullModelSettings& settings,
                                            const std::function<void(const NodfFileNullModels&, int)>& done);

    // The run's values beyond the NODF (MetricValue), or those of them
    // that a null model of the run measures.
    static std::vector<int> metricValues(ProgramRun& run, bool withNullValues);

    // The dialogue's progress line of a file's null models, with its time
    // estimate.
    class Progress {
    public:
        explicit Progress(ProgramRun& run) : line_(run.output.style()) {}
        void show(int simulation) { line_.show(simulation); }
        void finish(int /*simulations*/) {}

    private:
        NodfProgress line_;
    };

    static std::unique_ptr<FileWriter<Analysis>> classicFiles(ProgramRun& run);
};

#endif
