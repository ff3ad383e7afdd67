// The settings of a file's null models.
#include "console/driver/null_model_settings.h"

#include <algorithm>

#include "console/system/console.h"
#include "console/system/platform.h"

namespace {

// The models of the run and how they are drawn, as the command line chose
// them.
bravolin::NullModelSettings modelChoice(const RunOptions& options)
{
    const CommandLine& commandLine = options.commandLine();
    bravolin::NullModelSettings settings;
    settings.models = commandLine.models;
    settings.fixedFixed = options.fixedFixed();
    settings.quasiswapThin = commandLine.quasiswapThin.value_or(-1);
    settings.precision = commandLine.precision.value_or(0);
    return settings;
}

}  // namespace

bravolin::NullModelSettings nullModelSettings(ProgramRun& run, int rows, int columns)
{
    const bravolin::ThreadPlan plan = bravolin::planThreads(run.options.commandLine().threads.value_or(0), rows,
                                                            columns, modelsOfRun(run.options),
                                                            run.environment.memoryBudget);
    bravolin::NullModelSettings settings = modelChoice(run.options);
    settings.simulations = run.options.settings.simulations;
    settings.threadStarter = run.environment.threads;
    settings.stop = &interruptRequested();
    settings.threads = plan.threads;
    if (!plan.memoryNote.empty() && !run.state.threadLimitReported) {
        consolePrintf("%s\n", plan.memoryNote.c_str());
        run.state.threadLimitReported = true;
    }
    return settings;
}

std::vector<bravolin::NullModel> modelsOfRun(const RunOptions& options)
{
    return bravolin::modelsOfRun(modelChoice(options));
}

bool classicFilesOfRun(const RunOptions& options)
{
    if (!options.settings.nullModels)
        return false;
    const std::vector<bravolin::NullModel> models = modelsOfRun(options);
    for (bravolin::NullModel classic : bravolin::kClassicModels)
        if (std::find(models.begin(), models.end(), classic) == models.end())
            return false;
    return true;
}

void noteThreadsRunning(RunState& state, const bravolin::NullModelSettings& planned,
                        const bravolin::SimulationRun& ran)
{
    if (ran.threads >= planned.threads || state.threadStartReported)
        return;
    consolePrintf("Threads: only %d of %d could be started; the null models go on with %d.\n", ran.threads,
                  planned.threads, ran.threads);
    state.threadStartReported = true;
}

void notePrecision(const bravolin::NullModelSettings& settings, const bravolin::SimulationRun& ran)
{
    if (ran.precise)
        consolePrintf("Precision: every nestedness P value's standard error is at most %g after %d simulations.\n",
                      settings.precision, ran.completed);
    else
        consolePrintf("Precision: %g not reached in %d simulations; raise -n for more.\n", settings.precision,
                      ran.completed);
}
