// The null models: random matrices drawn from the observed one, measured as
// it was, to compare with it. A run draws the models its caller chooses,
// one matrix of each a simulation, and gives every model's values, one per
// simulation in simulation order; nullStatistics (statistics.h) gives their
// statistics against the observed value. The matrices are drawn one after
// another on the calling thread, whatever the number of threads measuring
// them, so the values are the same for every thread count.
//
// The classic models, those of earlier versions of the program:
//   Er keeps the overall fill on average,
//   Ce keeps the row and column fills on average,
//   Li keeps every row's number of presences,
//   Co keeps every column's.
// In the temperature's models Er gets one presence in each empty row and
// column; in the NODF's both Er and Ce do. They draw from the run's classic
// generator, interleaved, in this order: whenever one of them is in a run,
// the four are drawn (each keeps its values, and the generator its stream),
// and those chosen are measured and reported.
//
// The textbook models, as the literature and R's vegan (commsim) define
// them, each on a 64-bit stream of its own (stream_generator.h), seeded
// with modelStreamSeed of the run's generator state at the start (the
// file's seed): adding a model to a run, or taking one out, leaves every
// other model's values, the classic generator's stream included, as they
// were.
//   r00 keeps the number of presences, every cell equally likely;
//   r0 keeps every row's total, c0 every column's, each line uniformly;
//   r1 and r2 keep every row's total, its presences drawn one after another
//     with weights the columns' totals (r1) or their squares (r2);
//   quasiswap keeps both totals, in independent matrices: a random table
//     with the totals reduced to 0/1 by quasiswaps, then quasiswapThin
//     curveball trades;
//   curveball keeps both totals: the states of one curveball chain (a trade
//     takes two rows at random and deals the columns where only one of them
//     has a presence back to them at random), which starts from the matrix
//     the models randomise and runs burnIn trades before the first
//     simulation and thin trades between two. Earlier versions called it
//     FF, the fixed-fixed model.
//
// The models of abundances, each on a stream of its own as the textbook
// models are, draw tables of abundances from the observed ones (of a
// matrix of 0s and 1s: its 1s as counts of one):
//   r2dtable keeps every row's and every column's sum of counts, in random
//     tables of whole counts with the distribution of R's r2dtable
//     (Patefield 1981); an abundance that is not a whole number is an
//     error;
//   abundance_shuffle keeps every row's and every column's number of
//     presences and every row's abundances: the presences move along a
//     curveball chain (burnIn and thin as curveball's), and each row's
//     abundances are shuffled among its presences.
#ifndef BRAVOLIN_NULL_MODELS_H
#define BRAVOLIN_NULL_MODELS_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/temperature.h"
#include "bravolin/threads.h"

namespace bravolin {

// The models, in the order of every table of values.
enum NullModel : int { Er = 0, Ce, Li, Co, R00, R0, C0, R1, R2, Quasiswap, Curveball, R2dtable, AbundanceShuffle };
constexpr int kNullModelCount = 13;
// The name of every model, as the tables, the pictures, the page and the R
// package label it.
constexpr const char* kNullModelNames[kNullModelCount] = {
    "Er", "Ce", "Li", "Co", "r00", "r0", "c0", "r1", "r2", "quasiswap", "curveball", "r2dtable", "abundance_shuffle"};
// The models the classic files hold, in their order.
constexpr int kClassicModelCount = 4;
constexpr NullModel kClassicModels[kClassicModelCount] = {Er, Ce, Li, Co};

// Whether a model's matrices are the states of a chain, whose values are
// correlated (curveball, abundance_shuffle), rather than independent draws.
constexpr bool isChain(NullModel model)
{
    return model == Curveball || model == AbundanceShuffle;
}

// Whether a model draws abundances (r2dtable, abundance_shuffle) rather
// than presences; its matrices' presences are the cells above 0. These
// models are the NODF's only: the temperature is of presences.
constexpr bool drawsAbundances(NullModel model)
{
    return model == R2dtable || model == AbundanceShuffle;
}

// The models of names, each matched ignoring case, "FF" as curveball, in
// the order of kNullModelNames and each once; or, for an empty list or an
// unknown name, no model and the error that says what to give.
struct ModelChoice {
    std::vector<NullModel> models;
    std::string error;
};
ModelChoice chooseNullModels(const std::vector<std::string>& names);

// The names chooseNullModels takes, for messages: "Er, Ce, Li, Co, r00,
// r0, c0, r1, r2, quasiswap, curveball, r2dtable, abundance_shuffle (or
// FF)".
std::string knownNullModelNames();

// Why models cannot draw from abundances: r2dtable's error for an
// abundance that is not a whole number (naming its cell) or for too many
// individuals; empty when they can. A run of the NODF's null models of
// abundances throws Error with this text.
std::string abundanceModelsError(const AbundanceMatrix& abundances, const std::vector<NullModel>& models);

// The chain of curveball, the fixed-fixed model.
struct FixedFixedSettings {
    // Adds curveball to the models of the run (when they do not hold it).
    bool enabled = false;
    // Trades before the first simulation and between two simulations;
    // below 0: the defaults for the matrix.
    long long burnIn = -1;
    long long thin = -1;
};

// The default trades of the curveball chain of a matrix of rows rows: 100
// and 10 times its rows. Along the chain, the NODF of matrices thin trades
// apart is practically uncorrelated (autocorrelation below 0.1 from about 5
// times the rows on), and the burn-in is ten times that.
long long defaultFixedFixedBurnIn(int rows);
long long defaultFixedFixedThin(int rows);

// The default curveball trades after each quasiswap reduction: the rows.
long long defaultQuasiswapThin(int rows);

// How the curveball chain of a run was drawn: curveball's, and
// abundance_shuffle's, which trades as curveball does.
struct FixedFixedRun {
    bool ran = false;
    long long burnIn = 0, thin = 0;
};

// How the quasiswap matrices of a run were drawn.
struct QuasiswapRun {
    bool ran = false;
    long long thin = 0;
};

// The simulations of a run with a precision come in blocks of this many.
constexpr int kPrecisionBlock = 100;

struct NullModelSettings {
    int simulations = 0;   // at least 1; with a precision, the most
    int threads = 1;       // at least 1, the calling thread included
    // When set (from any thread, or a signal handler), no further
    // simulation is drawn, those under way are abandoned, and the run
    // returns with the simulations completed before the first abandoned one.
    const std::atomic<bool>* stop = nullptr;
    // How the worker threads start; none: as std::threads.
    ThreadStarter* threadStarter = nullptr;
    // The models of the run; none: the classic four (see modelsOfRun).
    std::vector<NullModel> models;
    FixedFixedSettings fixedFixed;
    // Curveball trades after each quasiswap reduction; below 0: the
    // default for the matrix.
    long long quasiswapThin = -1;
    // Above 0: the simulations run in blocks of kPrecisionBlock, all models
    // together, until the pMcse (statistics.h) of every nestedness P value
    // of the run (the temperature's; the NODF's of rows, of columns and in
    // total) is at most precision, or simulations have run; an undefined P
    // value (a NODF without pairs) is left out. The rule is checked at the
    // end of every block, in simulation order, so a seed gives the same
    // simulations on any number of threads. 0: simulations run.
    double precision = 0;
};

// The models a run with settings draws, in the order of kNullModelNames:
// its models, or the classic four when it names none, and curveball when
// settings.fixedFixed.enabled.
std::vector<NullModel> modelsOfRun(const NullModelSettings& settings);

// How a run of simulations ended.
struct SimulationRun {
    int completed = 0;
    bool stopped = false;  // by the stop flag, before all were completed
    int threads = 0;       // the threads that ran them, the calling one included
    // With a precision: whether every nestedness P value reached it (false
    // when the most simulations ran first).
    bool precise = false;
};

// One model's values: one measurement of each completed simulation's
// matrix, in simulation order.
template <typename Value>
struct SimulatedModel {
    NullModel model = Er;
    std::vector<Value> values;
};

// What the null models of a run give: every model of the run (those of
// modelsOfRun, in that order, even when no simulation completed) with its
// values, and how its chains ran. Value is what one measurement gives: a
// temperature, or the three parts of a NODF.
template <typename Value>
struct NullModelValues {
    SimulationRun run;
    std::vector<SimulatedModel<Value>> models;
    FixedFixedRun fixedFixedRun;
    QuasiswapRun quasiswapRun;

    NullModelValues() = default;
    // The models of a run, without a value yet.
    explicit NullModelValues(const std::vector<NullModel>& ofRun)
    {
        for (NullModel model : ofRun)
            models.push_back({model, {}});
    }

    // The values of model, or null when it was not in the run.
    const std::vector<Value>* valuesOf(NullModel model) const
    {
        for (const SimulatedModel<Value>& simulated : models)
            if (simulated.model == model)
                return &simulated.values;
        return nullptr;
    }
};

using TemperatureNullModels = NullModelValues<float>;
using NodfNullModels = NullModelValues<NodfValues>;

// Called on the calling thread for every completed simulation, in order,
// numbered from 1, once its values are in null's models (null.run is set
// when the run returns): for streaming the values of long runs.
template <typename Value>
using SimulationDone = std::function<void(const NullModelValues<Value>& null, int simulation)>;

// The temperature's null models of matrix, whose analysis is observed: they
// randomise the rows and columns that packing kept, in the matrix's order,
// and pack and measure each random matrix as the observed one was. Throws
// Error for settings out of range, a model of abundances, or an observed
// result that is not an analysis of matrix.
TemperatureNullModels runTemperatureNullModels(const Matrix& matrix, const TemperatureResult& observed,
                                               Generator& generator, const NullModelSettings& settings,
                                               const SimulationDone<float>& onSimulation = {});

// The NODF's null models of matrix, measured as observed was (ordered or
// not): they randomise the whole matrix; the models of abundances take its
// 1s as counts of one. Throws Error for settings out of range.
NodfNullModels runNodfNullModels(const Matrix& matrix, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings,
                                 const SimulationDone<NodfValues>& onSimulation = {});
// The same of abundances, whose presences observed measured: the binary
// models randomise the presences, the models of abundances the abundances
// (the same values as of the presences for the binary models). Throws
// Error as above, and, before any simulation, for r2dtable with an
// abundance that is not a whole number (naming the cell).
NodfNullModels runNodfNullModels(const AbundanceMatrix& abundances, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings,
                                 const SimulationDone<NodfValues>& onSimulation = {});

// About the memory, in bytes, that the null models of a rows x columns
// matrix hold on threads threads with models (those of modelsOfRun): each
// thread's working tables, the models' own tables, and the simulations in
// flight. For planning threads within a memory budget; the threads' stacks
// are not included.
unsigned long long nullModelMemory(int rows, int columns, int threads, const std::vector<NullModel>& models);

// The threads to run the null models of a rows x columns matrix on, with
// models: those asked for, or defaultThreads() when asked is 0, but never
// more than fit in budget bytes (memoryBudgetBytes() on a machine), each
// with its working tables and stack, and at least 1.
struct ThreadPlan {
    int threads = 1;
    // When fewer threads than asked for fit, the sentence that tells the
    // user so; empty otherwise.
    std::string memoryNote;
};
ThreadPlan planThreads(int asked, int rows, int columns, const std::vector<NullModel>& models,
                       unsigned long long budget);

// The values of one model of every completed simulation, in simulation
// order: temperatures, or one part of the NODF (fractions); none for a
// model that was not in the run.
enum class NodfPart { Rows, Columns, Total };
std::vector<float> modelValues(const TemperatureNullModels& null, NullModel model);
std::vector<float> modelValues(const NodfNullModels& null, NullModel model, NodfPart part);

}  // namespace bravolin

#endif
