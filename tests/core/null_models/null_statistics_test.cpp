// The statistics of simulated values, on small cases worked by hand or in
// R: the mean, sd, SES and both tails; the two-sided P value; the
// quantiles of R's quantile(type = 7); the Monte-Carlo error of the
// nestedness P value; and a chain's effective sample size (Geyer's initial
// positive sequence) and lag-1 autocorrelation (R's acf()).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bravolin/statistics.h"

using namespace bravolin;

TEST(NullStatistics, MeanSdSesAndBothTails)
{
    const NullStatistics s = nullStatistics({1, 2, 3, 4}, 2, NestedTail::Less, false);
    EXPECT_EQ(s.n, 4);
    EXPECT_DOUBLE_EQ(s.mean, 2.5);
    EXPECT_DOUBLE_EQ(s.sd, std::sqrt(5.0 / 3));
    EXPECT_DOUBLE_EQ(s.ses, -0.5 / std::sqrt(5.0 / 3));
    EXPECT_DOUBLE_EQ(s.pLess, 3.0 / 5);     // 1 and 2, plus one
    EXPECT_DOUBLE_EQ(s.pGreater, 4.0 / 5);  // 2, 3 and 4, plus one
    EXPECT_DOUBLE_EQ(s.pTwoSided, 1);       // twice 3/5, at most 1
    // Scaled values: a percentage's mean and quantiles, the same P values.
    const NullStatistics percent = nullStatistics({0.25f, 0.5f}, 0.5f, NestedTail::Greater, false, 100);
    EXPECT_DOUBLE_EQ(percent.mean, 37.5);
    EXPECT_DOUBLE_EQ(percent.q500, 37.5);
    EXPECT_DOUBLE_EQ(percent.pGreater, 2.0 / 3);
    // Undefined: one value, no spread, a NaN observation, no value.
    EXPECT_TRUE(std::isnan(nullStatistics({3}, 1, NestedTail::Less, false).sd));
    EXPECT_TRUE(std::isnan(nullStatistics({3, 3}, 1, NestedTail::Less, false).ses));
    const NullStatistics undefined = nullStatistics({3, 3}, NAN, NestedTail::Less, false);
    EXPECT_TRUE(std::isnan(undefined.pLess) && std::isnan(undefined.pTwoSided) && std::isnan(undefined.pMcse));
    EXPECT_TRUE(std::isnan(nullStatistics({NAN, NAN}, NAN, NestedTail::Greater, false).q975));
    const NullStatistics none = nullStatistics({}, 1, NestedTail::Less, true);
    EXPECT_EQ(none.n, 0);
    EXPECT_TRUE(std::isnan(none.q500) && std::isnan(none.ess) && std::isnan(none.pMcse));
}

// quantile(x, c(0.025, 0.5, 0.975), type = 7) in R, to the last digit.
TEST(NullStatistics, QuantilesAreRsDefault)
{
    struct Case {
        std::vector<float> values;
        double q025, q500, q975;
    };
    const Case cases[] = {
        {{3, 1, 4, 1, 5, 9, 2, 6, 5, 3}, 1, 3.5, 8.3250000000000011},
        {{2, 1}, 1.0249999999999999, 1.5, 1.9750000000000001},
        {{0.5f}, 0.5, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        const NullStatistics s = nullStatistics(c.values, 0, NestedTail::Less, false);
        EXPECT_EQ(s.q025, c.q025);
        EXPECT_EQ(s.q500, c.q500);
        EXPECT_EQ(s.q975, c.q975);
    }
}

// Worked in R from the definitions: the autocovariances over n, pairs
// G_k = gamma_2k + gamma_2k+1 summed while positive (one pair for the first
// series, two for the second), ess = n gamma_0 / (-gamma_0 + 2 sum G_k);
// lag1 as acf(x)$acf[2].
TEST(NullStatistics, AChainsEffectiveSampleSizeAndLagOneAutocorrelation)
{
    struct Case {
        std::vector<float> values;
        double ess, lag1;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6, 5, 4}, 6.73159329957148422, 0.68842592592592589},
        {{1, 2, 3, 4, 5, 6, 7, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6}, 5.21314843348741785, 0.8},
    };
    for (const Case& c : cases) {
        const NullStatistics chain = nullStatistics(c.values, 5, NestedTail::Greater, true);
        EXPECT_NEAR(chain.ess, c.ess, 1e-12);
        EXPECT_NEAR(chain.lag1, c.lag1, 1e-12);
        // The error of p_greater with ess in place of n; and without the
        // chain, neither statistic, and the error with n.
        EXPECT_DOUBLE_EQ(chain.pMcse, std::sqrt(chain.pGreater * (1 - chain.pGreater) / chain.ess));
        EXPECT_DOUBLE_EQ(nestednessPValueError(c.values, 5, NestedTail::Greater, true), chain.pMcse);
        const NullStatistics independent = nullStatistics(c.values, 5, NestedTail::Greater, false);
        EXPECT_TRUE(std::isnan(independent.ess) && std::isnan(independent.lag1));
        const double n = static_cast<double>(c.values.size());
        EXPECT_DOUBLE_EQ(independent.pMcse, std::sqrt(independent.pGreater * (1 - independent.pGreater) / n));
        EXPECT_DOUBLE_EQ(nestednessPValueError(c.values, 5, NestedTail::Greater, false), independent.pMcse);
    }
    // A chain that never moves has neither; its error is then with n. An
    // alternating one has no positive estimate of its variance.
    const NullStatistics still = nullStatistics({2, 2, 2, 2}, 1, NestedTail::Less, true);
    EXPECT_TRUE(std::isnan(still.ess) && std::isnan(still.lag1));
    EXPECT_DOUBLE_EQ(still.pMcse, std::sqrt(0.2 * 0.8 / 4));
    EXPECT_TRUE(std::isnan(nullStatistics({0, 4, 1, 3, 0, 4, 2, 2}, 1, NestedTail::Less, true).ess));
}
