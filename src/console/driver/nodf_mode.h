// Mode N as the batch driver runs it: the NODF of each file, ordered or
// not, compared with its null models on the whole matrix, with its
// questions, its reader, its progress and its classic files.
#ifndef BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H
#define BRAVOLIN_CONSOLE_DRIVER_NODF_MODE_H

#include <string>
#include <utility>

#include "bravolin/generator.h"
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
    static bravolin::NodfResult analyse(ProgramRun& run, const bravolin::Matrix& matrix);
    // The rows and columns the null models randomise: the whole matrix.
    static std::pair<int, int> randomisedSize(const bravolin::Matrix& matrix, const bravolin::NodfResult& observed);
    static bravolin::NodfNullModels runNullModels(const bravolin::Matrix& matrix, const bravolin::NodfResult& observed,
                                                  bravolin::Generator& generator,
                                                  const bravolin::NullModelSettings& settings,
                                                  const bravolin::SimulationDone<bravolin::NodfValues>& done);

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
