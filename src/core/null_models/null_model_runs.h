// A run of simulations, as both analyses' null models make it: drawn one
// after another on the calling thread, measured on every thread, finished in
// order, until all are done or the stop flag is set.
#ifndef BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H
#define BRAVOLIN_CORE_NULL_MODELS_NULL_MODEL_RUNS_H

#include <cstddef>
#include <cstdint>

#include "bravolin/null_models.h"
#include "core/null_models/simulation_pipeline.h"

namespace bravolin {

// Throws Error for a number of simulations or threads below 1.
void checkNullModelSettings(const NullModelSettings& settings);

// A run stopped while it was prepared, before any simulation or thread
// started: none completed, on the threads planned (none failed to start).
SimulationRun stoppedBeforeStart(const NullModelSettings& settings);

// How the FF chain of a run from a matrix of rows rows is drawn, with the
// generator state at the run's start: burn-in and thinning as set, or the
// defaults. Not run when the settings leave FF out.
FixedFixedRun planFixedFixedRun(const NullModelSettings& settings, int rows, std::uint32_t fileSeed);

// Runs settings.simulations simulations: draw(simulation, number, stop)
// fills a slot on the calling thread, measure runs on any thread,
// finish(simulation) on the calling thread in order. A draw that gives up at
// a stop request (SimulationAbandoned) ends the drawing; its slot is not
// measured.
template <typename Simulation, typename Worker, typename Draw, typename Finish>
SimulationRun runSimulations(const NullModelSettings& settings, std::size_t bytesPerSimulation,
                             typename SimulationPipeline<Simulation, Worker>::Measure measure, Draw draw,
                             Finish finishOne)
{
    SimulationRun run;
    auto finish = [&run, &finishOne](Simulation& simulation) {
        run.completed++;
        finishOne(simulation);
    };
    SimulationPipeline<Simulation, Worker> pipeline(settings.threads, settings.threadStarter, settings.stop,
                                                    simulationWindow(settings.threads, bytesPerSimulation), measure);
    run.threads = pipeline.threadsRunning();
    for (int number = 1; number <= settings.simulations && !pipeline.stopRequested(); number++) {
        Simulation* simulation = pipeline.slotToDraw(finish);
        if (simulation == nullptr)
            break;
        try {
            draw(*simulation, number, pipeline.stopRequest());
        } catch (const SimulationAbandoned&) {
            break;
        }
        pipeline.submit();
    }
    pipeline.finishAll(finish);
    run.stopped = run.completed < settings.simulations;
    return run;
}

}  // namespace bravolin

#endif
