// The null-model engine: one runner for the null models of every analysis.
// A run starts the draws of its models (model_table.h) from the block the
// analysis randomises, then draws each simulation's matrices on the calling
// thread, in simulation order, measures them on every thread, and takes
// their values back in simulation order (simulation_pipeline.h).
//
// An analysis, as the engine runs it, is a type with:
//   matrix, observed
//            the matrix and its observed analysis (of its size);
//   Rules    the rules of its classic draws (classic_draws.h);
//   Worker   what a thread measures random matrices with, default
//            constructed on each thread;
//   Value    what one measurement gives;
//   abundances
//            a pointer to the abundances of the block, rows and columns
//            from 0, that the models of abundances draw from; null: the
//            block's 1s as counts of one;
//   RandomisedBlock block(const StopRequest&) const
//            the block its models randomise, from Rules::kOrigin;
//   Value measure(Worker&, NullModel model, CellMatrix& drawn,
//                 const AbundanceMatrix* abundances, int rows, int columns,
//                 const StopRequest&) const
//            the measurement of a drawn matrix of the block's size, as the
//            observed matrix was measured (drawn is the worker's to change);
//            model is the one that drew it, for statistics that some
//            models leave undefined; abundances are those a model of
//            abundances drew (drawn holds their presences), null for the
//            binary models;
//   double pValueError(const std::vector<Value>&, bool chain) const
//            the largest Monte-Carlo standard error of the nestedness P
//            values of one model's values (nestednessPValueError of each
//            statistic), for a run with a precision.
// A further statistic of every simulated matrix is a further analysis, or
// a Value that holds it beside the others.
#ifndef BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_ENGINE_H
#define BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_ENGINE_H

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/generator.h"
#include "bravolin/null_models.h"
#include "core/cell_matrix.h"
#include "core/null_models/model_table.h"
#include "core/null_models/null_model_runs.h"
#include "core/null_models/simulation_pipeline.h"
#include "core/stop_request.h"

namespace bravolin {

// One simulation in flight: its number, its matrices (one per model of the
// run, in the run's order) and their values.
template <typename Analysis>
struct SimulationInFlight {
    int number = 0;
    int rows = 0, columns = 0;
    const Analysis* analysis = nullptr;
    const std::vector<NullModel>* models = nullptr;  // of the run, in its order
    std::vector<CellMatrix> matrices;
    std::vector<AbundanceMatrix> abundances;  // beside matrices, drawn by the models of abundances
    std::vector<typename Analysis::Value> values;
};

template <typename Analysis>
void measureSimulation(typename Analysis::Worker& worker, SimulationInFlight<Analysis>& simulation,
                       const StopRequest& stop)
{
    for (std::size_t model = 0; model < simulation.matrices.size(); model++) {
        const NullModel drawing = (*simulation.models)[model];
        simulation.values[model] = simulation.analysis->measure(
            worker, drawing, simulation.matrices[model],
            drawsAbundances(drawing) ? &simulation.abundances[model] : nullptr, simulation.rows, simulation.columns,
            stop);
    }
}

// Runs settings.simulations simulations: draw(simulation, number, stop)
// fills a slot on the calling thread, measure runs on any thread,
// finish(simulation) on the calling thread in order. A draw that gives up at
// a stop request (SimulationAbandoned) ends the drawing; its slot is not
// measured. With a precision, every block of kPrecisionBlock simulations is
// finished before the next is drawn, and precise() (of the simulations
// finished) ends the run there: nothing is drawn beyond the block, so the
// generators end where the simulations kept end, on any number of threads.
template <typename Simulation, typename Worker, typename Draw, typename Finish, typename Precise>
SimulationRun runSimulations(const NullModelSettings& settings, std::size_t bytesPerSimulation,
                             typename SimulationPipeline<Simulation, Worker>::Measure measure, Draw draw,
                             Finish finishOne, Precise precise)
{
    SimulationRun run;
    auto finish = [&run, &finishOne](Simulation& simulation) {
        run.completed++;
        finishOne(simulation);
    };
    SimulationPipeline<Simulation, Worker> pipeline(settings.threads, settings.threadStarter, settings.stop,
                                                    simulationWindow(settings.threads, bytesPerSimulation), measure);
    run.threads = pipeline.threadsRunning();
    const bool blocks = settings.precision > 0;
    int last = settings.simulations;
    for (int number = 1; number <= last && !pipeline.stopRequested(); number++) {
        Simulation* simulation = pipeline.slotToDraw(finish);
        if (simulation == nullptr)
            break;
        try {
            draw(*simulation, number, pipeline.stopRequest());
        } catch (const SimulationAbandoned&) {
            break;
        }
        pipeline.submit();
        if (blocks && number % kPrecisionBlock == 0 && number < last) {
            if (!pipeline.finishAll(finish))
                break;
            if (precise())
                last = number;
        }
    }
    pipeline.finishAll(finish);
    run.stopped = run.completed < last;
    run.precise = blocks && !run.stopped && precise();
    return run;
}

// The null models of analysis with settings, the classic models drawing
// from generator; onSimulation (if any) sees every completed simulation in
// order. Throws Error for settings out of range, an observed analysis of
// another size, and what the analysis's block throws.
template <typename Analysis>
NullModelValues<typename Analysis::Value> runNullModels(const Analysis& analysis, Generator& generator,
                                                        const NullModelSettings& settings,
                                                        const SimulationDone<typename Analysis::Value>& onSimulation)
{
    checkNullModelSettings(settings);
    checkObservedSize(analysis.matrix, analysis.observed.rows, analysis.observed.columns);
    const std::vector<NullModel> ran = modelsOfRun(settings);
    const std::vector<RunEntry> entries = entriesOfRun(modelTable<typename Analysis::Rules>(), ran);
    NullModelValues<typename Analysis::Value> result(ran);
    std::vector<std::unique_ptr<ModelDraws>> draws;
    int rows = 0, columns = 0;
    try {
        constexpr int origin = Analysis::Rules::kOrigin;
        const StopRequest stop(settings.stop, nullptr);
        const RandomisedBlock block = analysis.block(stop);
        rows = block.rows;
        columns = block.columns;
        result.fixedFixedRun = planFixedFixedRun(settings, ran, rows);
        result.quasiswapRun = planQuasiswapRun(settings, ran, rows);
        const Matrix blockCells = blockMatrix(block, origin, stop);
        const DrawStart start{block, blockCells, origin, generator, generator.state(), ran,
                              result.fixedFixedRun, result.quasiswapRun, stop, analysis.abundances};
        for (const RunEntry& entry : entries)
            draws.push_back(entry.entry->start(start));
    } catch (const SimulationAbandoned&) {
        result.run = stoppedBeforeStart(settings);
        return result;
    }
    const std::size_t models = ran.size();
    auto draw = [&](SimulationInFlight<Analysis>& simulation, int number, const StopRequest& stop) {
        simulation.number = number;
        simulation.rows = rows;
        simulation.columns = columns;
        simulation.analysis = &analysis;
        simulation.models = &ran;
        simulation.matrices.resize(models);
        simulation.abundances.resize(models);
        simulation.values.resize(models);
        CellMatrix* out = simulation.matrices.data();
        AbundanceMatrix* abundances = simulation.abundances.data();
        for (std::size_t d = 0; d < draws.size(); d++) {
            draws[d]->draw(number, out, abundances, stop);
            out += entries[d].models.size();
            abundances += entries[d].models.size();
        }
    };
    auto finish = [&](SimulationInFlight<Analysis>& simulation) {
        for (std::size_t model = 0; model < models; model++)
            result.models[model].values.push_back(simulation.values[model]);
        if (onSimulation)
            onSimulation(result, simulation.number);
    };
    // An undefined P value (NaN) has no precision to reach: it is left out.
    auto precise = [&] {
        for (const auto& model : result.models)
            if (analysis.pValueError(model.values, isChain(model.model)) > settings.precision)
                return false;
        return true;
    };
    // A table of abundances holds a double and a presence a cell.
    const std::size_t matrixBytes = (static_cast<std::size_t>(rows) + 1) * (static_cast<std::size_t>(columns) + 1);
    const auto abundanceModels = static_cast<std::size_t>(std::count_if(ran.begin(), ran.end(), drawsAbundances));
    result.run = runSimulations<SimulationInFlight<Analysis>, typename Analysis::Worker>(
        settings, (models + 9 * abundanceModels) * matrixBytes, measureSimulation<Analysis>, draw, finish, precise);
    return result;
}

}  // namespace bravolin

#endif
