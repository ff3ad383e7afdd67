// The settings of a file's null models.
#include "console/driver/null_model_settings.h"

#include "console/system/console.h"
#include "console/system/platform.h"

bravolin::NullModelSettings nullModelSettings(ProgramRun& run, int rows, int columns)
{
    const bravolin::FixedFixedSettings fixedFixed = run.options.fixedFixed();
    const bravolin::ThreadPlan plan = bravolin::planThreads(run.options.commandLine().threads.value_or(0), rows,
                                                            columns, modelsOfRun(run.options),
                                                            run.environment.memoryBudget);
    bravolin::NullModelSettings settings;
    settings.simulations = run.options.settings.simulations;
    settings.fixedFixed = fixedFixed;
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
    bravolin::NullModelSettings settings;
    settings.fixedFixed = options.fixedFixed();
    return bravolin::modelsOfRun(settings);
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
