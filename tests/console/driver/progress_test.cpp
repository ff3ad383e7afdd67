// Mode T's spinner: one turn a line for the whole run, and the simulation
// under way.
#include <gtest/gtest.h>

#include "console/driver/progress.h"
#include "console/system/console.h"

TEST(Progress, TheSpinnerTurnsOnceALineAndShowsTheSimulation)
{
    Spinner spinner;
    testing::internal::CaptureStdout();
    spinner.show(2);
    spinner.setSimulation(101);
    spinner.show(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0000 - /\r0000 - -\r0101 - \\\r");
    // Hidden lines still turn it.
    setConsoleStyle(true, false);
    spinner.show(1);
    setConsoleStyle(true, true);
    testing::internal::CaptureStdout();
    spinner.show(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0101 - /\r");
}
