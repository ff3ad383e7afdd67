// The tallies of the classic summary line: means summed in single precision
// in simulation order, and which simulations count toward its P values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "formats/tables/classic_summary.h"
#include "formats/tables/classic_tallies.h"
#include "support/matrices.h"

TEST(ClassicTallies, MeansAreSummedInSinglePrecisionInSimulationOrder)
{
    // 2^24 + 1 is not a float: added one at a time after 2^24, the ones are
    // lost; before it, they add up to 3 first.
    auto counts = [](float) { return true; };
    EXPECT_EQ(classicTally({16777216.0f, 1, 1, 1}, counts).mean, 4194304.0f);
    EXPECT_EQ(classicTally({1, 1, 1, 16777216.0f}, counts).mean, 4194305.0f);
    EXPECT_EQ(classicTally({}, counts).mean, 0.0f);
}

TEST(ClassicTallies, TheTemperatureCountsTiesAndTheNodfOnlyTotalsAbove)
{
    // Three of six simulations completed: the means are over those three,
    // the P values over the six asked for.
    bravolin::TemperatureResult cold;
    cold.temperature = 20;
    bravolin::TemperatureNullModels temperatures;
    temperatures.models = {{bravolin::Er, {10, 20, 30}}, {bravolin::Ce, {30, 40, 50}}};
    EXPECT_EQ(nullSummaryValues(temperatures, cold, 6),
              (std::vector<std::string>{"20.00", "0.33", "40.00", "0.00"}));

    bravolin::NodfResult high;
    high.nodf.total = 0.5f;
    bravolin::NodfNullModels totals;
    totals.models = {{bravolin::Er, {{0, 0, 0.25f}, {0, 0, 0.5f}, {0, 0, 0.75f}}},
                     {bravolin::Ce, {{0, 0, 0.5f}, {0, 0, 0.5f}, {0, 0, 0.5f}}}};
    EXPECT_EQ(nullSummaryValues(totals, high, 6), (std::vector<std::string>{"50.00", "0.17", "50.00", "0.00"}));
}

TEST(ClassicTallies, WorkedExamples)
{
    bravolin::NullModelSettings settings;
    settings.simulations = 1;
    // Every random matrix of one full cell is that cell, at 0: as cold as
    // the observed one, which counts.
    const bravolin::Matrix one = matrixOf({"1"});
    const bravolin::TemperatureResult t = bravolin::analyseTemperature(one);
    bravolin::Generator five(5);
    EXPECT_EQ(nullSummaryValues(bravolin::runTemperatureNullModels(one, t, five, settings), t, 1),
              (std::vector<std::string>{"0.00", "1.00", "0.00", "1.00"}));

    // A full matrix's random matrices are full, of total 0: equal to the
    // observed one, which does not count.
    const bravolin::Matrix full = matrixOf({"111", "111", "111"});
    const bravolin::NodfResult n = bravolin::analyseNodf(full, true);
    bravolin::Generator twelve(12);
    EXPECT_EQ(nullSummaryValues(bravolin::runNodfNullModels(full, n, twelve, settings), n, 1),
              (std::vector<std::string>{"0.00", "0.00", "0.00", "0.00"}));
}
