// Mode T as the batch driver runs it: the matrix temperature of each file,
// packed and measured, compared with its null models on the block packing
// kept, with its questions, its reader, its progress and its classic files.
#ifndef BRAVOLIN_CONSOLE_DRIVER_TEMPERATURE_MODE_H
#define BRAVOLIN_CONSOLE_DRIVER_TEMPERATURE_MODE_H

#include <string>
#include <utility>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "console/driver/batch_policy.h"
#include "console/driver/program_run.h"
#include "console/input/file_readers.h"
#include "console/reports/analyses.h"
#include "console/reports/file_report.h"

// The marker file whose presence switches on the debug report of packing.
constexpr const char* kDebugMarkerFileName = "tresk.debug";

struct TemperatureMode {
    using Analysis = TemperatureAnalysis;
    static constexpr const BatchPolicy& kPolicy = kTemperatureBatch;

    // Whether to print the packed matrix, and the null-model questions.
    static void askQuestions(ProgramRun& run);
    static FileRead readMatrixFile(ProgramRun& run, const std::string& name);
    // The temperature's models draw from any matrix read.
    static bool refusesFile(ProgramRun& /*run*/, const std::string& /*name*/, const FileRead& /*read*/)
    {
        return false;
    }
    // Packs and measures the matrix; with pictures, its unexpected cells
    // too, and with the debug marker the history of the passes.
    // Abundances play no part in the temperature.
    static bravolin::TemperatureResult analyse(ProgramRun& run, const bravolin::Matrix& matrix,
                                               const bravolin::AbundanceMatrix* abundances);
    // The rows and columns the null models randomise: those packing kept.
    static std::pair<int, int> randomisedSize(const bravolin::Matrix& matrix,
                                              const bravolin::TemperatureResult& observed);
    static bravolin::TemperatureNullModels runNullModels(ProgramRun& run, const bravolin::Matrix& matrix,
                                                         const bravolin::TemperatureResult& observed,
                                                         const bravolin::NullModelSettings& settings,
                                                         const bravolin::SimulationDone<float>& done);

    // The temperature has no further metrics.
    static std::vector<int> metricValues(ProgramRun& /*run*/, bool /*withNullValues*/) { return {}; }

    // The dialogue's progress of the null models: the spinner of the
    // program run, on the simulation under way.
    class Progress {
    public:
        explicit Progress(ProgramRun& run) : spinner_(run.state.spinner) {}
        void show(int simulation);
        void finish(int simulations);

    private:
        Spinner& spinner_;
    };

    static std::unique_ptr<FileWriter<Analysis>> classicFiles(ProgramRun& run);
};

#endif
