// What both analyses' runs of simulations share: the checks of their
// settings and of the abundances they draw from, the models they draw and
// their names, the plans of the chains,
// the memory they take and the threads that fit in it, and the values of
// one model.
#include "core/null_models/null_model_runs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "core/null_models/model_table.h"
#include "core/null_models/r2dtable.h"
#include "core/null_models/simulation_pipeline.h"

namespace bravolin {

void checkNullModelSettings(const NullModelSettings& settings)
{
    if (settings.simulations < 1)
        throw Error("the null models need at least 1 simulation, not " + std::to_string(settings.simulations));
    if (settings.threads < 1)
        throw Error("the null models need at least 1 thread, not " + std::to_string(settings.threads));
    for (NullModel model : settings.models)
        if (model < 0 || model >= kNullModelCount)
            throw Error("no null model is numbered " + std::to_string(static_cast<int>(model)));
    if (!(settings.precision >= 0) || std::isinf(settings.precision))
        throw Error("the precision of the P values must be 0 (none) or a number above 0");
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

FixedFixedRun planFixedFixedRun(const NullModelSettings& settings, const std::vector<NullModel>& ran, int rows)
{
    FixedFixedRun run;
    if (std::find(ran.begin(), ran.end(), Curveball) == ran.end() &&
        std::find(ran.begin(), ran.end(), AbundanceShuffle) == ran.end())
        return run;
    run.ran = true;
    run.burnIn = settings.fixedFixed.burnIn >= 0 ? settings.fixedFixed.burnIn : defaultFixedFixedBurnIn(rows);
    run.thin = settings.fixedFixed.thin >= 0 ? settings.fixedFixed.thin : defaultFixedFixedThin(rows);
    return run;
}

QuasiswapRun planQuasiswapRun(const NullModelSettings& settings, const std::vector<NullModel>& ran, int rows)
{
    QuasiswapRun run;
    if (std::find(ran.begin(), ran.end(), Quasiswap) == ran.end())
        return run;
    run.ran = true;
    run.thin = settings.quasiswapThin >= 0 ? settings.quasiswapThin : defaultQuasiswapThin(rows);
    return run;
}

long long defaultFixedFixedBurnIn(int rows)
{
    return 100LL * rows;
}

long long defaultFixedFixedThin(int rows)
{
    return 10LL * rows;
}

long long defaultQuasiswapThin(int rows)
{
    return rows;
}

std::vector<NullModel> modelsOfRun(const NullModelSettings& settings)
{
    std::vector<bool> chosen(kNullModelCount, false);
    if (settings.models.empty())
        for (NullModel model : kClassicModels)
            chosen[model] = true;
    for (NullModel model : settings.models)
        chosen[static_cast<std::size_t>(model)] = true;
    if (settings.fixedFixed.enabled)
        chosen[Curveball] = true;
    std::vector<NullModel> models;
    for (int model = 0; model < kNullModelCount; model++)
        if (chosen[static_cast<std::size_t>(model)])
            models.push_back(static_cast<NullModel>(model));
    return models;
}

namespace {

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string knownNullModelNames()
{
    // FF, the fixed-fixed model's earlier name, is named beside curveball.
    std::string names;
    for (int model = 0; model < kNullModelCount; model++)
        names += (names.empty() ? "" : ", ") + std::string(kNullModelNames[model]) +
                 (model == Curveball ? " (or FF)" : "");
    return names;
}

ModelChoice chooseNullModels(const std::vector<std::string>& names)
{
    ModelChoice choice;
    if (names.empty()) {
        choice.error = "no null model named; the models are " + knownNullModelNames();
        return choice;
    }
    NullModelSettings settings;
    for (const std::string& name : names) {
        const std::string lower = lowerCase(name);
        int found = lower == "ff" ? Curveball : -1;
        for (int model = 0; model < kNullModelCount && found < 0; model++)
            if (lower == lowerCase(kNullModelNames[model]))
                found = model;
        if (found < 0) {
            choice.error = "unknown null model \"" + name + "\"; the models are " + knownNullModelNames();
            return choice;
        }
        settings.models.push_back(static_cast<NullModel>(found));
    }
    choice.models = modelsOfRun(settings);
    return choice;
}

std::string abundanceModelsError(const AbundanceMatrix& abundances, const std::vector<NullModel>& models)
{
    CountMargins margins;
    std::string error;
    if (std::find(models.begin(), models.end(), R2dtable) != models.end())
        countMarginsOf(abundances, margins, error);
    return error;
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

unsigned long long nullModelMemory(int rows, int columns, int threads, const std::vector<NullModel>& models)
{
    // A thread holds its working matrices and tables (a few bytes a cell,
    // at most eight) and its fixed tables; a simulation in flight holds a
    // matrix of every model. The draws hold their own tables once: the
    // classic four drawn aside when not all are measured, the quasiswap's
    // table of counts, its units and its chain (at most seven bytes a
    // cell), the curveball chain (one), abundance_shuffle's chain, its
    // presences, its abundances and the table it deals them into (at most
    // eighteen). A model of abundances
    // draws a table of doubles and their presences beside its matrix (nine
    // bytes a cell more), which its measurement reads in place.
    auto holds = [&models](NullModel model) { return std::find(models.begin(), models.end(), model) != models.end(); };
    const std::size_t classic = classicModelPlaces(models).size();
    const auto abundanceModels =
        static_cast<unsigned long long>(std::count_if(models.begin(), models.end(), drawsAbundances));
    const unsigned long long cells = static_cast<unsigned long long>(rows + 1) * static_cast<unsigned long long>(columns + 1);
    const unsigned long long perThread = 8 * cells + (1u << 20);
    const unsigned long long perSimulation = (models.size() + 9 * abundanceModels) * cells;
    const unsigned long long draws = ((classic > 0 && classic < kClassicModelCount ? 4 : 0) +
                                      (holds(Quasiswap) ? 7 : 0) + (holds(Curveball) ? 1 : 0) +
                                      (holds(AbundanceShuffle) ? 18 : 0)) *
                                     cells;
    const unsigned long long window = static_cast<unsigned long long>(simulationWindow(threads, perSimulation));
    return static_cast<unsigned long long>(threads) * perThread + window * perSimulation + draws;
}

ThreadPlan planThreads(int asked, int rows, int columns, const std::vector<NullModel>& models,
                       unsigned long long budget)
{
    int fitting = 1;
    for (int threads = kMostThreads; threads > 1 && fitting == 1; threads--)
        if (nullModelMemory(rows, columns, threads, models) + threads * threadStackBytes() <= budget)
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
