// The quasiswap model: its tables keep the totals, its reduction ends in a
// 0/1 matrix even where no 2 x 2 quasiswap applies, and its matrices are
// close to uniform at the default thinning and uniform with more.
#include <gtest/gtest.h>

#include <vector>

#include "bravolin/error.h"
#include "bravolin/stream_generator.h"
#include "core/null_models/quasiswap.h"
#include "support/matrices.h"
#include "support/matrix_census.h"

using namespace bravolin;

TEST(Quasiswap, DrawsKeepBothTotalsAtLowAndHighFill)
{
    for (double fill : {0.3, 0.8}) {
        SCOPED_TRACE(fill);
        const Matrix observed = matrixOf(randomRows(30, 40, fill, 5));
        const Margins margins = marginsOf(observed);
        StreamGenerator generator(9);
        CellMatrix out;
        for (int draw = 0; draw < 5; draw++) {
            drawQuasiswap(margins, 30, generator, out);
            std::vector<int> rows(30, 0), columns(40, 0);
            for (int r = 0; r < 30; r++)
                for (int c = 0; c < 40; c++) {
                    ASSERT_LE(out[r][c], 1);
                    rows[static_cast<std::size_t>(r)] += out[r][c];
                    columns[static_cast<std::size_t>(c)] += out[r][c];
                }
            EXPECT_EQ(rows, margins.rowTotals);
            EXPECT_EQ(columns, margins.columnTotals);
        }
    }
}

TEST(Quasiswap, TheReductionEndsWhereNoTwoByTwoQuasiswapAppliesAndErrsOnImpossibleTotals)
{
    // The excess of cell (0, 0) can only go along a cycle through all
    // three rows; the one 0/1 matrix with these totals is reached.
    CountTable table{3, 3, {2, 1, 0, 1, 0, 1, 0, 1, 0}};
    StreamGenerator generator(1);
    reduceToBinary(table, generator);
    EXPECT_EQ(table.counts, (std::vector<std::uint16_t>{1, 1, 1, 1, 1, 0, 1, 0, 0}));

    // A column total above the number of rows: no 0/1 matrix, an error
    // instead of a search without end.
    CountTable impossible{1, 2, {2, 0}};
    EXPECT_THROW(reduceToBinary(impossible, generator), Error);
    EXPECT_THROW(randomTable({2, 1}, {1, 1}, generator), Error);
}

// The 934 matrices of the curveball test. Without trades the reduction
// leaves a chi-square divergence from uniform of about 0.011; the default
// thinning (one trade a row) brings it to about 0.0005, and four trades a
// row leave no bias the test can see.
TEST(Quasiswap, MatricesAreCloseToUniformAtTheDefaultThinningAndUniformWithMore)
{
    const Matrix observed = matrixOf({"11000", "11100", "10010", "01001", "00110"});
    const Margins margins = marginsOf(observed);
    const std::vector<MatrixMask> members = matricesWithTotalsOf(observed);
    constexpr int kDraws = 200000;
    StreamGenerator generator(2024);
    CellMatrix out;
    auto fitAtThinning = [&](long long thin) {
        return fitDraws(members, uniformOver(members), kDraws, [&] {
            drawQuasiswap(margins, thin, generator, out);
            return maskOf(out, 5, 5);
        });
    };
    const CensusFit thinned = fitAtThinning(20);
    EXPECT_EQ(thinned.outside, 0);
    EXPECT_GT(thinned.fit.p, 0.001) << "chi-square " << thinned.fit.statistic << " on " << thinned.fit.degrees;
    // The statistic less its degrees of freedom, over the draws: an
    // estimate of the divergence, with a standard error of about 0.0002.
    const CensusFit atDefault = fitAtThinning(5);
    EXPECT_LT((atDefault.fit.statistic - atDefault.fit.degrees) / kDraws, 0.002);
}
