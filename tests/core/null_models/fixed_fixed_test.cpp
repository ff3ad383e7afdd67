// The fixed-fixed model: its chain keeps every total and reaches every
// matrix with them; its values leave the other models' alone; and the
// statistics of simulated values.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "core/null_models/fixed_fixed.h"
#include "support/matrices.h"

using namespace bravolin;

namespace {

std::vector<int> rowTotals(const std::vector<std::uint8_t>& cells, int rows, int columns)
{
    std::vector<int> totals(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            totals[static_cast<std::size_t>(r)] += cells[static_cast<std::size_t>(r * columns + c)];
    return totals;
}

std::vector<int> columnTotals(const std::vector<std::uint8_t>& cells, int rows, int columns)
{
    std::vector<int> totals(static_cast<std::size_t>(columns));
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            totals[static_cast<std::size_t>(c)] += cells[static_cast<std::size_t>(r * columns + c)];
    return totals;
}

NullModelSettings settingsWith(int simulations, int threads, bool fixedFixed)
{
    NullModelSettings settings;
    settings.simulations = simulations;
    settings.threads = threads;
    settings.fixedFixed.enabled = fixedFixed;
    return settings;
}

}  // namespace

TEST(FixedFixed, TradesKeepEveryTotalAndReachEveryMatrixWithThem)
{
    const Matrix observed = matrixOf(randomRows(9, 13, 0.4, 3));
    CurveballChain chain(observed.cells(), 9, 13, 77);
    const std::vector<int> rows = rowTotals(observed.cells(), 9, 13), columns = columnTotals(observed.cells(), 9, 13);
    std::set<std::vector<std::uint8_t>> seen;
    for (int t = 0; t < 2000; t++) {
        chain.trade();
        ASSERT_EQ(rowTotals(chain.cells(), 9, 13), rows);
        ASSERT_EQ(columnTotals(chain.cells(), 9, 13), columns);
        seen.insert(chain.cells());
    }
    EXPECT_GT(seen.size(), 1000u);

    // Rows with 2, 1 and 1 presences over columns with 2, 1 and 1: the five
    // matrices with these totals are all reached.
    CurveballChain tiny({1, 1, 0, 1, 0, 0, 0, 0, 1}, 3, 3, 5);
    std::set<std::vector<std::uint8_t>> reached;
    for (int t = 0; t < 500; t++) {
        tiny.trade();
        reached.insert(tiny.cells());
    }
    EXPECT_EQ(reached.size(), 5u);
}

TEST(FixedFixed, RunsBesideTheOtherModelsWithoutChangingThem)
{
    const Matrix matrix = matrixOf(randomRows(14, 17, 0.35, 9));
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    Generator plain(42), withFF(42), threaded(42);
    const TemperatureNullModels classic = runTemperatureNullModels(matrix, t, plain, settingsWith(12, 1, false));
    const TemperatureNullModels ff = runTemperatureNullModels(matrix, t, withFF, settingsWith(12, 1, true));
    const TemperatureNullModels ffThreads = runTemperatureNullModels(matrix, t, threaded, settingsWith(12, 3, true));
    for (NullModel model : kClassicModels)
        EXPECT_EQ(modelValues(classic, model), modelValues(ff, model));
    EXPECT_EQ(plain.state(), withFF.state());
    EXPECT_EQ(classic.valuesOf(FF), nullptr);
    ASSERT_EQ(ff.models.size(), 5u);
    EXPECT_EQ(ff.models[4].model, FF);
    const std::vector<float> fixedFixed = modelValues(ff, FF);
    ASSERT_EQ(fixedFixed.size(), 12u);
    EXPECT_EQ(fixedFixed, modelValues(ffThreads, FF));
    EXPECT_EQ(ff.fixedFixedRun.seed, fixedFixedSeed(42));
    EXPECT_EQ(ff.fixedFixedRun.thin, defaultFixedFixedThin(t.packedRows()));
    EXPECT_GT(std::set<float>(fixedFixed.begin(), fixedFixed.end()).size(), 1u);

    const NodfNullModels nodf = runNodfNullModels(matrix, n, plain, settingsWith(8, 2, true));
    ASSERT_NE(nodf.valuesOf(FF), nullptr);
    ASSERT_EQ(nodf.valuesOf(FF)->size(), 8u);
    const std::vector<float> totals = modelValues(nodf, FF, NodfPart::Total);
    EXPECT_EQ(totals[3], (*nodf.valuesOf(FF))[3].total);
    EXPECT_GT(std::set<float>(totals.begin(), totals.end()).size(), 1u);
}

TEST(NullStatistics, MeanSdSesAndBothTails)
{
    const NullStatistics s = nullStatistics({1, 2, 3, 4}, 2);
    EXPECT_EQ(s.n, 4);
    EXPECT_DOUBLE_EQ(s.mean, 2.5);
    EXPECT_DOUBLE_EQ(s.sd, std::sqrt(5.0 / 3));
    EXPECT_DOUBLE_EQ(s.ses, -0.5 / std::sqrt(5.0 / 3));
    EXPECT_DOUBLE_EQ(s.pLess, 3.0 / 5);     // 1 and 2, plus one
    EXPECT_DOUBLE_EQ(s.pGreater, 4.0 / 5);  // 2, 3 and 4, plus one
    // Scaled values: a percentage's mean, the same P values and SES.
    const NullStatistics percent = nullStatistics({0.25f, 0.5f}, 0.5f, 100);
    EXPECT_DOUBLE_EQ(percent.mean, 37.5);
    EXPECT_DOUBLE_EQ(percent.pGreater, 2.0 / 3);
    // Undefined: one value, no spread, a NaN observation.
    EXPECT_TRUE(std::isnan(nullStatistics({3}, 1).sd));
    EXPECT_TRUE(std::isnan(nullStatistics({3, 3}, 1).ses));
    EXPECT_TRUE(std::isnan(nullStatistics({3, 3}, NAN).pLess));
}
