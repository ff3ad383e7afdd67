// The nestedness metrics on small matrices worked by hand, and the
// discrepancy's best order of ties against trying every column order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/metrics.h"
#include "core/metrics/packed_lines.h"
#include "support/matrices.h"

namespace {

// Rows 1011 (3), 0110 (2), 1000 (1); columns c0 = {r0, r2}, c1 = {r1},
// c2 = {r0, r1}, c3 = {r0}, totals 2, 1, 2, 1.
//  NODF rows: r0-r1 1/2, r0-r2 1, r1-r2 0: 1.5 / 3 = 50 %. Columns: c0-c3,
//   c1-c2, c2-c3 score 1, c0-c1 0 (no overlap), c0-c2 and c1-c3 tie: 3 / 6
//   = 50 %; total 4.5 / 9 = 50 %.
//  Checkerboards (a - s)(b - s): c0-c1 2 x 1, c0-c2 1 x 1, c1-c3 1 x 1,
//   the others 0: 4 units over 6 pairs.
//  N0: c0 is missing from r1 (2 > 1, its poorest site), c1 from r0
//   (3 > 2): 2.
//  Discrepancy: tie groups {c0, c2} at positions 0-1 and {c1, c3} at
//   2-3. c0 at 1 would cost r2 (total 1 <= 1), so c2 goes there: 0. In the
//   second group c3 at 2 costs nothing (r0 has 3), c1 costs 1 anywhere: 1.
//   In the matrix's own order the second group would cost 2.
const Rows kUnnested = {"1011", "0110", "1000"};

}  // namespace

TEST(Metrics, HandWorkedMatrix)
{
    const bravolin::Matrix matrix = matrixOf(kUnnested);
    const bravolin::NodfPercentages n = bravolin::nodf(matrix);
    EXPECT_DOUBLE_EQ(n.rows, 50);
    EXPECT_DOUBLE_EQ(n.columns, 50);
    EXPECT_DOUBLE_EQ(n.total, 50);
    const bravolin::CheckerResult checker = bravolin::checker(matrix);
    EXPECT_EQ(checker.units, 4);
    EXPECT_DOUBLE_EQ(checker.cScore, 4.0 / 6.0);
    EXPECT_EQ(bravolin::n0(matrix), 2);
    EXPECT_EQ(bravolin::discrepancy(matrix), 1);
}

TEST(Metrics, NodfSkipsEqualTotalsAndEmptyLinesAndIsNaNWithoutPairs)
{
    // Rows 111, 000, 100: r0-r2 scores 1, pairs with the empty row 0.
    const bravolin::NodfPercentages n = bravolin::nodf(matrixOf({"111", "000", "100"}));
    EXPECT_DOUBLE_EQ(n.rows, 100.0 / 3);
    EXPECT_DOUBLE_EQ(n.columns, 200.0 / 3);
    EXPECT_DOUBLE_EQ(n.total, 50);
    const bravolin::NodfPercentages single = bravolin::nodf(matrixOf({"1"}));
    EXPECT_TRUE(std::isnan(single.rows) && std::isnan(single.columns) && std::isnan(single.total));
    EXPECT_TRUE(std::isnan(bravolin::checker(matrixOf({"1", "1"})).cScore));
}

TEST(Metrics, WeightedNodf)
{
    // Rows 5 3 2 / 4 3 0 / 1 0 0, presences 3, 2, 1 (a staircase).
    //  Rows: r0-r1 4 < 5 but 3 = 3: 1/2 (wbinary 1); r0-r2 and r1-r2 1.
    //  Columns (5,4,1), (3,3,0), (2,0,0): every smaller value below: 1 each.
    //  Total (2.5 + 3) / 6; with wbinary 6 / 6.
    const bravolin::AbundanceMatrix abundances(3, 3, {5, 3, 2, 4, 3, 0, 1, 0, 0});
    const bravolin::NodfPercentages weighted = bravolin::wnodf(abundances, false);
    EXPECT_DOUBLE_EQ(weighted.rows, 250.0 / 3);
    EXPECT_DOUBLE_EQ(weighted.columns, 100);
    EXPECT_DOUBLE_EQ(weighted.total, 550.0 / 6);
    EXPECT_DOUBLE_EQ(bravolin::wnodf(abundances, true).total, 100);
    // 0s and 1s: 0 without wbinary, the NODF with it.
    std::vector<double> ones;
    for (const std::string& row : kUnnested)
        for (char cell : row)
            ones.push_back(cell - '0');
    const bravolin::AbundanceMatrix binary(3, 4, ones);
    EXPECT_EQ(bravolin::wnodf(binary, false).total, 0);
    EXPECT_DOUBLE_EQ(bravolin::wnodf(binary, true).total, 50);
}

TEST(Metrics, AbundanceMatrixKeepsItsPresencesAndRejectsNegativeCells)
{
    bravolin::AbundanceMatrix abundances(2, 2, {0, 2.5, 1, 0});
    abundances.setRowNames({"a", "b"});
    abundances.set(0, 0, 3);
    abundances.set(0, 1, 0);
    EXPECT_EQ(rowsOf(abundances.presences()), (Rows{"10", "10"}));
    EXPECT_EQ(abundances.presences().rowName(1), "b");
    EXPECT_THROW(bravolin::AbundanceMatrix(1, 2, {1, -1}), bravolin::Error);
    EXPECT_THROW(bravolin::AbundanceMatrix(1, 1, {std::nan("")}), bravolin::Error);
    EXPECT_THROW(abundances.set(1, 1, -0.5), bravolin::Error);
    EXPECT_THROW(abundances.set(2, 0, 1), bravolin::Error);
    EXPECT_EQ(abundances.at(1, 1), 0);
}

TEST(Metrics, DiscrepancyIsTheLeastOverEveryOrderOfTiedColumns)
{
    std::mt19937 generator(23);
    for (int trial = 0; trial < 40; trial++) {
        const int rows = 2 + static_cast<int>(generator() % 6), columns = 2 + static_cast<int>(generator() % 6);
        const bravolin::Matrix matrix = matrixOf(randomRows(rows, columns, 0.2 + 0.1 * (trial % 6), generator()));
        const std::vector<int> rowTotals = bravolin::packedRows(matrix).totals;
        const std::vector<int> columnTotals = bravolin::packedColumns(matrix).totals;
        std::vector<int> order(static_cast<std::size_t>(columns));
        std::iota(order.begin(), order.end(), 0);
        int best = rows * columns;
        do {
            if (!std::is_sorted(order.begin(), order.end(), [&](int a, int b) {
                    return columnTotals[static_cast<std::size_t>(a)] > columnTotals[static_cast<std::size_t>(b)];
                }))
                continue;
            int moved = 0;
            for (int r = 0; r < rows; r++)
                for (int q = rowTotals[static_cast<std::size_t>(r)]; q < columns; q++)
                    moved += matrix.at(r, order[static_cast<std::size_t>(q)]);
            best = std::min(best, moved);
        } while (std::next_permutation(order.begin(), order.end()));
        EXPECT_EQ(bravolin::discrepancy(matrix), best) << trial;
    }
}

TEST(Metrics, SpectralRadius)
{
    // A full r x c matrix: B^T B = r J, largest eigenvalue r c.
    const bravolin::SpectralResult full = bravolin::spectralRadius(matrixOf({"1111", "1111", "1111"}));
    EXPECT_NEAR(full.radius, std::sqrt(12.0), 1e-12);
    EXPECT_FALSE(full.capReached);
    // Blocks of 2 x 2 and 1 x 1 ones: singular values 2 and 1.
    EXPECT_NEAR(bravolin::spectralRadius(matrixOf({"110", "110", "001"})).radius, 2, 1e-12);
    // A path 1-a-2-b: singular values of [[1,0],[1,1]], the golden ratio.
    EXPECT_NEAR(bravolin::spectralRadius(matrixOf({"10", "11"})).radius, (1 + std::sqrt(5.0)) / 2, 1e-12);
    EXPECT_EQ(bravolin::spectralRadius(matrixOf({"00", "00"})).radius, 0);
}

TEST(Metrics, NodfcOfTheHandWorkedMatrix)
{
    // NODF 50 %; NODFmax of 3 x 4 with 6 presences is 200/3 %, by rows
    // 0100, 1000, 1111: rows 1 + 1, columns 1 + 1 + 1 + 1 over 9 pairs.
    // Fill 1/2, S = sqrt(12). An empty row and column change nothing.
    bravolin::NodfMaxCache cache;
    for (const Rows& rows : {kUnnested, Rows{"10101", "00000", "01100", "10000"}}) {
        const bravolin::NodfcResult result = bravolin::nodfc(matrixOf(rows), cache);
        EXPECT_EQ(result.rows, 3);
        EXPECT_EQ(result.columns, 4);
        EXPECT_DOUBLE_EQ(result.nodfMax, 200.0 / 3);
        EXPECT_TRUE(result.exhaustive);
        EXPECT_DOUBLE_EQ(result.nodfMaxRatio, 0.75);
        EXPECT_NEAR(result.nodfc, 0.75 / (0.5 * std::log(std::sqrt(12.0))), 1e-14);
    }
}

TEST(Metrics, NodfcIsNaNWhereNoArrangementCanBeNested)
{
    bravolin::NodfMaxCache cache;
    // One row; one presence in every row and column; one cell; none.
    for (const Rows& rows : {Rows{"111"}, Rows{"100", "010", "001"}, Rows{"1"}, Rows{"00"}}) {
        const bravolin::NodfcResult result = bravolin::nodfc(matrixOf(rows), cache);
        EXPECT_TRUE(std::isnan(result.nodfMaxRatio)) << rows[0];
        EXPECT_TRUE(std::isnan(result.nodfc)) << rows[0];
    }
}

TEST(Metrics, EveryStatisticHasADirection)
{
    ASSERT_EQ(bravolin::metricStatistics().size(), 13u);
    EXPECT_EQ(bravolin::findMetricStatistic("wnodf_total")->moreNested, bravolin::MoreNested::Higher);
    EXPECT_EQ(bravolin::findMetricStatistic("c_score")->moreNested, bravolin::MoreNested::Lower);
    EXPECT_EQ(bravolin::findMetricStatistic("spectral_radius")->moreNested, bravolin::MoreNested::Higher);
    EXPECT_EQ(bravolin::findMetricStatistic("temperature"), nullptr);
}
