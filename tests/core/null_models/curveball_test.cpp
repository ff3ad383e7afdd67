// The curveball chain on the 64-bit generator: its trades keep every total
// and reach every matrix with them, and its states, thinned, are uniform
// over the matrices with the observed totals.
#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <vector>

#include "bravolin/stream_generator.h"
#include "core/null_models/curveball.h"
#include "support/matrices.h"
#include "support/matrix_census.h"

using namespace bravolin;

namespace {

// The lag-1 autocorrelation of values.
double lagOneAutocorrelation(const std::vector<double>& values)
{
    double mean = 0;
    for (double v : values)
        mean += v;
    mean /= static_cast<double>(values.size());
    double products = 0, squares = 0;
    for (std::size_t i = 0; i < values.size(); i++) {
        squares += (values[i] - mean) * (values[i] - mean);
        if (i > 0)
            products += (values[i] - mean) * (values[i - 1] - mean);
    }
    return products / squares;
}

// Each row's and each column's presences.
std::vector<int> totalsOf(const CellMatrix& m, int rows, int columns)
{
    std::vector<int> totals(static_cast<std::size_t>(rows + columns), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            totals[static_cast<std::size_t>(r)] += m[r][c];
            totals[static_cast<std::size_t>(rows + c)] += m[r][c];
        }
    return totals;
}

}  // namespace

TEST(Curveball, TradesKeepEveryTotalAndReachEveryMatrixWithThem)
{
    const Matrix observed = matrixOf(randomRows(9, 13, 0.4, 3));
    CurveballMatrix chain(observed);
    StreamGenerator generator(77);
    CellMatrix out;
    chain.copyTo(out);
    const std::vector<int> totals = totalsOf(out, 9, 13);
    std::set<Rows> seen;
    for (int t = 0; t < 2000; t++) {
        chain.trade(generator);
        chain.copyTo(out);
        ASSERT_EQ(totalsOf(out, 9, 13), totals);
        seen.insert(matrixRows(out, 9, 13, 0));
    }
    EXPECT_GT(seen.size(), 1000u);

    // Rows with 2, 1 and 1 presences over columns with 2, 1 and 1: the five
    // matrices with these totals are all reached, also into a matrix from 1.
    CurveballMatrix tiny(matrixOf({"110", "100", "001"}));
    std::set<Rows> reached;
    for (int t = 0; t < 500; t++) {
        tiny.trade(generator);
        tiny.copyTo(out, 1);
        reached.insert(matrixRows(out, 3, 3, 1));
    }
    EXPECT_EQ(reached.size(), 5u);
}

// 934 matrices have these totals (rows 2, 3, 2, 2, 2; columns 3, 3, 2, 2,
// 1). Every 30th state is taken: the lag-1 autocorrelation of the states'
// values is then about 0 (0.75 from one trade to the next, 0.06 at 10
// trades, 0.003 at 20).
TEST(Curveball, ThinnedStatesAreUniformOverTheMatricesWithTheTotals)
{
    const Matrix observed = matrixOf({"11000", "11100", "10010", "01001", "00110"});
    const std::vector<MatrixMask> members = matricesWithTotalsOf(observed);
    ASSERT_EQ(members.size(), 934u);
    CurveballMatrix chain(observed);
    StreamGenerator generator(2024);
    chain.advance(100, generator);
    CellMatrix out;
    std::vector<double> values;  // each state's sum of (r + 1)(c + 1) over its presences
    const CensusFit census = fitDraws(members, uniformOver(members), 200000, [&] {
        chain.advance(30, generator);
        chain.copyTo(out);
        double value = 0;
        for (int r = 0; r < 5; r++)
            for (int c = 0; c < 5; c++)
                value += out[r][c] * (r + 1) * (c + 1);
        values.push_back(value);
        return maskOf(out, 5, 5);
    });
    EXPECT_EQ(census.outside, 0);
    EXPECT_GT(census.fit.p, 0.001) << "chi-square " << census.fit.statistic << " on " << census.fit.degrees;
    EXPECT_LT(std::abs(lagOneAutocorrelation(values)), 0.015);
}
