// The simulation pipeline: simulations measured on any thread come back in
// the order they were drawn, each measured once, with a bounded window.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/null_models/simulation_pipeline.h"

using namespace bravolin;

namespace {

struct Simulation {
    int run = 0;
    long result = 0;
};

struct Worker {
    int measured = 0;
};

// Takes longer for some runs than for others, so that later ones often
// finish first.
void slowSquare(Worker& worker, Simulation& simulation, const StopRequest&)
{
    if (simulation.run % 3 == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    simulation.result = static_cast<long>(simulation.run) * simulation.run;
    worker.measured++;
}

std::vector<int> finishedOrder(int threads, int window, int runs)
{
    std::vector<int> order;
    auto finish = [&order](Simulation& simulation) {
        EXPECT_EQ(simulation.result, static_cast<long>(simulation.run) * simulation.run);
        order.push_back(simulation.run);
    };
    SimulationPipeline<Simulation, Worker> pipeline(threads, nullptr, nullptr, window, slowSquare);
    for (int run = 1; run <= runs; run++) {
        pipeline.slotToDraw(finish)->run = run;
        pipeline.submit();
        // Never more simulations in flight than the window holds.
        EXPECT_LE(run - static_cast<int>(order.size()), threads > 1 ? window : 1);
    }
    pipeline.finishAll(finish);
    return order;
}

}  // namespace

TEST(SimulationPipeline, SimulationsFinishInTheOrderTheyWereDrawn)
{
    std::vector<int> expected(60);
    for (int i = 0; i < 60; i++)
        expected[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(finishedOrder(1, 1, 60), expected);
    EXPECT_EQ(finishedOrder(2, 4, 60), expected);
    EXPECT_EQ(finishedOrder(7, 14, 60), expected);
    EXPECT_EQ(finishedOrder(4, 3, 60), expected);
}

TEST(SimulationPipeline, WindowKeepsMemoryBoundedAndEveryThreadBusy)
{
    EXPECT_EQ(simulationWindow(2, 1000), 16);
    EXPECT_EQ(simulationWindow(1, 4ull * 3001 * 3001), 3);  // 128 MB hold three, more than two a thread
    EXPECT_EQ(simulationWindow(64, 4ull * 3001 * 3001), 128);  // two a thread, whatever the size
}

namespace {

// The thread that draws the runs. A run it measures itself while it waits
// must not wait for a stop that only the drawing thread could bring.
std::thread::id drawingThread;
// Runs 1 and 2 measured so far.
std::atomic<int> firstRunsDone{0};

// Runs 1 to 3 end at once; later ones never end unless stopped (on the
// drawing thread they give up at once).
void endlessFromFour(Worker&, Simulation& simulation, const StopRequest& stop)
{
    if (simulation.run >= 4 && std::this_thread::get_id() == drawingThread)
        throw SimulationAbandoned{};
    while (simulation.run >= 4)
        stop.abandonIfRequested();
    simulation.result = simulation.run;
}

// Run 3 fails once runs 1 and 2 are measured; later ones never end unless
// stopped, which only the failure does.
void failingAtThree(Worker&, Simulation& simulation, const StopRequest& stop)
{
    if (simulation.run == 3) {
        while (firstRunsDone.load() < 2)
            std::this_thread::yield();
        throw std::runtime_error("run 3");
    }
    while (simulation.run >= 4)
        stop.abandonIfRequested();
    simulation.result = simulation.run;
    firstRunsDone++;
}

struct Outcome {
    std::vector<int> finished;
    bool complete = false;
    bool failed = false;
};

// Draws up to 8 runs measured by measure on threads threads; the stop
// flag is set once run 3 is finished, when stopAfterThree is set.
Outcome runUntilStopped(int threads, bool stopAfterThree,
                        SimulationPipeline<Simulation, Worker>::Measure measure)
{
    std::atomic<bool> stop{false};
    drawingThread = std::this_thread::get_id();
    firstRunsDone.store(0);
    Outcome outcome;
    auto finish = [&](Simulation& simulation) {
        outcome.finished.push_back(simulation.run);
        if (simulation.run == 3 && stopAfterThree)
            stop.store(true);
    };
    try {
        SimulationPipeline<Simulation, Worker> pipeline(threads, nullptr, &stop, 4, measure);
        for (int run = 1; run <= 8 && !pipeline.stopRequested(); run++) {
            Simulation* slot = pipeline.slotToDraw(finish);
            if (slot == nullptr)
                break;
            slot->run = run;
            pipeline.submit();
        }
        outcome.complete = pipeline.finishAll(finish);
    } catch (const std::runtime_error&) {
        outcome.failed = true;
    }
    return outcome;
}

}  // namespace

TEST(SimulationPipeline, AStopAbandonsTheSimulationsUnderWayAndKeepsTheCompletedOnes)
{
    for (int threads : {1, 3}) {
        const Outcome outcome = runUntilStopped(threads, true, endlessFromFour);
        EXPECT_FALSE(outcome.complete) << threads;
        EXPECT_EQ(outcome.finished, (std::vector<int>{1, 2, 3})) << threads;
    }
}

TEST(SimulationPipeline, AFailedMeasurementReachesTheMainThreadInItsTurn)
{
    // The later runs under way end only because run 3 failed.
    const Outcome outcome = runUntilStopped(4, false, failingAtThree);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.finished, (std::vector<int>{1, 2}));
}

TEST(SimulationPipeline, ThreadsThatCannotStartLeaveTheWorkToTheOthers)
{
    struct NoThreads : ThreadStarter {
        bool start(std::thread&, std::function<void()>) override { return false; }
    } none;
    std::vector<int> order;
    SimulationPipeline<Simulation, Worker> pipeline(5, &none, nullptr, 10, slowSquare);
    EXPECT_EQ(pipeline.threadsRunning(), 1);
    auto finish = [&order](Simulation& simulation) { order.push_back(simulation.run); };
    for (int run = 1; run <= 12; run++) {
        pipeline.slotToDraw(finish)->run = run;
        pipeline.submit();
    }
    EXPECT_TRUE(pipeline.finishAll(finish));
    EXPECT_EQ(order.size(), 12u);
}
