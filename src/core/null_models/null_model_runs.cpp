// What both analyses' runs of simulations share: the checks of their
// settings, the plan of the FF chain, the memory they take and the threads
// that fit in it, and the values of one model.
#include "core/null_models/null_model_runs.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bravolin/error.h"

namespace bravolin {

void checkNullModelSettings(const NullModelSettings& settings)
{
    if (settings.simulations < 1)
        throw Error("the null models need at least 1 simulation, not " + std::to_string(settings.simulations));
    if (settings.threads < 1)
        throw Error("the null models need at least 1 thread, not " + std::to_string(settings.threads));
}

SimulationRun stoppedBeforeStart(const NullModelSettings& settings)
{
    SimulationRun run;
    run.stopped = true;
    run.threads = settings.threads;
    return run;
}

FixedFixedRun planFixedFixedRun(const NullModelSettings& settings, int rows, std::uint32_t fileSeed)
{
    FixedFixedRun run;
    if (!settings.fixedFixed.enabled)
        return run;
    run.ran = true;
    run.burnIn = settings.fixedFixed.burnIn >= 0 ? settings.fixedFixed.burnIn : defaultFixedFixedBurnIn(rows);
    run.thin = settings.fixedFixed.thin >= 0 ? settings.fixedFixed.thin : defaultFixedFixedThin(rows);
    run.seed = fixedFixedSeed(fileSeed);
    return run;
}

std::vector<float> modelValues(const TemperatureNullModels& null, NullModel model)
{
    if (model == FF)
        return null.fixedFixed;
    std::vector<float> values;
    values.reserve(null.temperatures.size());
    for (const auto& simulation : null.temperatures)
        values.push_back(simulation[static_cast<std::size_t>(model)]);
    return values;
}

std::vector<float> modelValues(const NodfNullModels& null, NullModel model, NodfPart part)
{
    auto partOf = [part](const NodfValues& nodf) {
        return part == NodfPart::Rows ? nodf.rows : part == NodfPart::Columns ? nodf.columns : nodf.total;
    };
    std::vector<float> values;
    if (model == FF) {
        for (const NodfValues& nodf : null.fixedFixed)
            values.push_back(partOf(nodf));
        return values;
    }
    values.reserve(null.values.size());
    for (const auto& simulation : null.values)
        values.push_back(partOf(simulation[static_cast<std::size_t>(model)]));
    return values;
}

unsigned long long nullModelMemory(int rows, int columns, int threads, bool fixedFixed)
{
    // A thread holds its working matrices and tables (a few bytes a cell,
    // at most eight) and its fixed tables; a simulation in flight holds its
    // four matrices, five with FF (whose chain is one more).
    const unsigned long long cells = static_cast<unsigned long long>(rows + 1) * static_cast<unsigned long long>(columns + 1);
    const unsigned long long perThread = 8 * cells + (1u << 20);
    const unsigned long long perSimulation = (fixedFixed ? 5 : 4) * cells;
    const unsigned long long window = static_cast<unsigned long long>(simulationWindow(threads, perSimulation));
    return static_cast<unsigned long long>(threads) * perThread + window * perSimulation + (fixedFixed ? cells : 0);
}

ThreadPlan planThreads(int asked, int rows, int columns, bool fixedFixed, unsigned long long budget)
{
    int fitting = 1;
    for (int threads = kMostThreads; threads > 1 && fitting == 1; threads--)
        if (nullModelMemory(rows, columns, threads, fixedFixed) + threads * threadStackBytes() <= budget)
            fitting = threads;
    ThreadPlan plan;
    plan.threads = std::min(asked > 0 ? asked : defaultThreads(), fitting);
    if (asked > fitting) {
        char note[160];
        std::snprintf(note, sizeof note,
                      "Threads: %d asked for, but only %d fit in memory for a %d x %d matrix; "
                      "the null models run on %d.",
                      asked, fitting, rows, columns, fitting);
        plan.memoryNote = note;
    }
    return plan;
}

}  // namespace bravolin
