// What both analyses' runs of simulations share: the checks of their
// settings, the models they draw, the plan of the FF chain, the memory they
// take and the threads that fit in it, and the values of one model.
#include "core/null_models/null_model_runs.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "core/null_models/simulation_pipeline.h"

namespace bravolin {

void checkNullModelSettings(const NullModelSettings& settings)
{
    if (settings.simulations < 1)
        throw Error("the null models need at least 1 simulation, not " + std::to_string(settings.simulations));
    if (settings.threads < 1)
        throw Error("the null models need at least 1 thread, not " + std::to_string(settings.threads));
}

void checkObservedSize(const Matrix& matrix, int rows, int columns)
{
    if (rows != matrix.rows() || columns != matrix.columns())
        throw Error("the observed analysis is of a matrix of another size");
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

std::vector<NullModel> modelsOfRun(const NullModelSettings& settings)
{
    std::vector<NullModel> models(std::begin(kClassicModels), std::end(kClassicModels));
    if (settings.fixedFixed.enabled)
        models.push_back(FF);
    return models;
}

std::vector<float> modelValues(const TemperatureNullModels& null, NullModel model)
{
    const std::vector<float>* values = null.valuesOf(model);
    return values != nullptr ? *values : std::vector<float>();
}

std::vector<float> modelValues(const NodfNullModels& null, NullModel model, NodfPart part)
{
    std::vector<float> parts;
    const std::vector<NodfValues>* values = null.valuesOf(model);
    if (values == nullptr)
        return parts;
    parts.reserve(values->size());
    for (const NodfValues& nodf : *values)
        parts.push_back(part == NodfPart::Rows ? nodf.rows : part == NodfPart::Columns ? nodf.columns : nodf.total);
    return parts;
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
