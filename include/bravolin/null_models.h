// The null models: random matrices drawn from the observed one, measured as
// it was, to compare with it. Every simulation draws four, in this order:
//   Er keeps the overall fill,
//   Ce keeps the row and column fills on average,
//   Li keeps every row's number of presences,
//   Co keeps every column's.
// In the temperature's models Er gets one presence in each empty row and
// column; in the NODF's both Er and Ce do. The matrices are drawn one
// after another from one generator, in a fixed order of draws, whatever
// the number of threads measuring them, so the values are the same for
// every thread count.
//
// On request a fifth model, FF (fixed-fixed), keeps every row's and every
// column's number of presences exactly. Its matrices are the states of a
// curveball chain: a trade takes two rows at random and deals the columns
// where only one of them has a presence back to them at random, each row
// keeping its number. The chain starts from the matrix the other models
// randomise, runs burnIn trades before the first simulation and thin
// trades between simulations, and draws from a generator of its own,
// seeded with fixedFixedSeed of the run's generator state at the start, so
// the four other models' values are the same with and without it.
//
// A run gives every model's values, one per simulation in simulation
// order; nullStatistics (statistics.h) gives their statistics against the
// observed value.
#ifndef BRAVOLIN_NULL_MODELS_H
#define BRAVOLIN_NULL_MODELS_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/nodf.h"
#include "bravolin/temperature.h"
#include "bravolin/threads.h"

namespace bravolin {

// The models, in the order of every table of values. The classic four
// draw from the run's generator together, interleaved, so they run
// together; FF runs when asked for.
enum NullModel : int { Er = 0, Ce = 1, Li = 2, Co = 3, FF = 4 };
constexpr int kNullModelCount = 5;
// The name of every model, as the tables, the pictures, the page and the R
// package label it.
constexpr const char* kNullModelNames[kNullModelCount] = {"Er", "Ce", "Li", "Co", "FF"};
// The models the classic files hold, in their order.
constexpr int kClassicModelCount = 4;
constexpr NullModel kClassicModels[kClassicModelCount] = {Er, Ce, Li, Co};

struct FixedFixedSettings {
    bool enabled = false;
    // Trades before the first simulation and between two simulations;
    // below 0: the defaults for the matrix.
    long long burnIn = -1;
    long long thin = -1;
};

// The default trades of the FF chain of a matrix of rows rows: 100 and 10
// times its rows. Along the chain, the NODF of matrices thin trades apart
// is practically uncorrelated (autocorrelation below 0.1 from about 5 times
// the rows on), and the burn-in is ten times that.
long long defaultFixedFixedBurnIn(int rows);
long long defaultFixedFixedThin(int rows);

// The seed of the FF chain's generator, from the state of the run's
// generator before its first draw (the file's seed): the 32-bit finaliser
// of MurmurHash3 applied to that state XOR 0x4646.
std::uint32_t fixedFixedSeed(std::uint32_t fileSeed);

// How the FF chain of a run was drawn.
struct FixedFixedRun {
    bool ran = false;
    long long burnIn = 0, thin = 0;
    std::uint32_t seed = 0;
};

struct NullModelSettings {
    int simulations = 0;   // at least 1
    int threads = 1;       // at least 1, the calling thread included
    // When set (from any thread, or a signal handler), no further
    // simulation is drawn, those under way are abandoned, and the run
    // returns with the simulations completed before the first abandoned one.
    const std::atomic<bool>* stop = nullptr;
    // How the worker threads start; none: as std::threads.
    ThreadStarter* threadStarter = nullptr;
    FixedFixedSettings fixedFixed;
};

// The models a run with settings draws, in the order of kNullModelNames:
// the classic four, and FF when settings.fixedFixed.enabled.
std::vector<NullModel> modelsOfRun(const NullModelSettings& settings);

// How a run of simulations ended.
struct SimulationRun {
    int completed = 0;
    bool stopped = false;  // by the stop flag, before all were completed
    int threads = 0;       // the threads that ran them, the calling one included
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
// values. Value is what one measurement gives: a temperature, or the three
// parts of a NODF.
template <typename Value>
struct NullModelValues {
    SimulationRun run;
    std::vector<SimulatedModel<Value>> models;
    FixedFixedRun fixedFixedRun;

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
// Error for settings out of range, or an observed result that is not an
// analysis of matrix.
TemperatureNullModels runTemperatureNullModels(const Matrix& matrix, const TemperatureResult& observed,
                                               Generator& generator, const NullModelSettings& settings,
                                               const SimulationDone<float>& onSimulation = {});

// The NODF's null models of matrix, measured as observed was (ordered or
// not): they randomise the whole matrix. Throws Error for settings out of
// range.
NodfNullModels runNodfNullModels(const Matrix& matrix, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings,
                                 const SimulationDone<NodfValues>& onSimulation = {});

// About the memory, in bytes, that the null models of a rows x columns
// matrix hold on threads threads: each thread's working tables, and the
// simulations in flight (with FF's matrices when fixedFixed is set). For
// planning threads within a memory budget; the threads' stacks are not
// included.
unsigned long long nullModelMemory(int rows, int columns, int threads, bool fixedFixed = false);

// The threads to run the null models of a rows x columns matrix on (with FF
// when fixedFixed is set): those asked for, or defaultThreads() when asked
// is 0, but never more than fit in budget bytes (memoryBudgetBytes() on a
// machine), each with its working tables and stack, and at least 1.
struct ThreadPlan {
    int threads = 1;
    // When fewer threads than asked for fit, the sentence that tells the
    // user so; empty otherwise.
    std::string memoryNote;
};
ThreadPlan planThreads(int asked, int rows, int columns, bool fixedFixed, unsigned long long budget);

// The values of one model of every completed simulation, in simulation
// order: temperatures, or one part of the NODF (fractions); none for a
// model that was not in the run.
enum class NodfPart { Rows, Columns, Total };
std::vector<float> modelValues(const TemperatureNullModels& null, NullModel model);
std::vector<float> modelValues(const NodfNullModels& null, NullModel model, NodfPart part);

}  // namespace bravolin

#endif
