// The simulation pipeline: simulations measured on any thread come back in
// the order they were drawn, each measured once, with a bounded window.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "common/simulation_pipeline.h"

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
void slowSquare(Worker& worker, Simulation& simulation)
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
    SimulationPipeline<Simulation, Worker> pipeline(threads, window, slowSquare);
    for (int run = 1; run <= runs; run++) {
        pipeline.slotToDraw(finish).run = run;
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
    EXPECT_EQ(simulationWindow(3, 4ull * 3001 * 3001), 7);  // 256 MB hold seven, more than two a thread
    EXPECT_EQ(simulationWindow(64, 4ull * 3001 * 3001), 128);  // two a thread, whatever the size
}
