// Mode T's spinner: one turn a line for the whole run, and the simulation
// under way; a scripted run's line of simulations.
#include <gtest/gtest.h>

#include <chrono>

#include "console/driver/progress.h"
#include "console/system/console.h"

TEST(Progress, TheSpinnerTurnsOnceALineAndShowsTheSimulation)
{
    ConsoleStyle style;
    Spinner spinner(style);
    testing::internal::CaptureStdout();
    spinner.show(2);
    spinner.setSimulation(101);
    spinner.show(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0000 - /\r0000 - -\r0101 - \\\r");
    // Hidden lines still turn it.
    style.progress = ProgressLines::Hidden;
    spinner.show(1);
    style.progress = ProgressLines::Simulations;
    spinner.show(1);
    style.progress = ProgressLines::Classic;
    testing::internal::CaptureStdout();
    spinner.show(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0101 - -\r");
}

TEST(Progress, AScriptedRunsLineOfSimulationsIsRedrawnAtMostTenTimesASecondAndEndsWhole)
{
    using Clock = SimulationProgress::Clock;
    const Clock::time_point start{};
    auto at = [start](int milliseconds) { return start + std::chrono::milliseconds(milliseconds); };
    const ConsoleStyle script{false, ProgressLines::Simulations};
    SimulationProgress progress(script, 4, start);
    testing::internal::CaptureStdout();
    progress.show(1, at(30000));
    progress.show(2, at(30050));
    progress.show(3, at(3630000));
    progress.finish(at(3640000));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Simulations: 1 of 4, 00:00:30 elapsed, about 00:01:30 left\r"
              "Simulations: 3 of 4, 01:00:30 elapsed, about 00:20:10 left\r"
              "Simulations: 3 of 4 in 01:00:40                           \n");
    // The dialogue's runs show their classic lines only.
    const ConsoleStyle dialogue;
    testing::internal::CaptureStdout();
    SimulationProgress hidden(dialogue, 4, start);
    hidden.show(1, at(10));
    hidden.finish(at(20));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
