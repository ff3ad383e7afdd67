// The statistics of an observed value against a model's simulated values,
// as ecologists report them: the number of simulations, their mean and
// standard deviation, the standardised effect size, the P values of both
// tails with the usual +1 correction and the two-sided one, three
// quantiles, the Monte-Carlo standard error of the nestedness P value, and
// for a chain's values their effective sample size and lag-1
// autocorrelation. Computed in double precision; the comparisons of the P
// values are between the floats the analyses computed, not their printed
// forms.
#ifndef BRAVOLIN_STATISTICS_H
#define BRAVOLIN_STATISTICS_H

#include <vector>

namespace bravolin {

// The tail of the simulated values that tests nestedness: the low one for
// the temperature (nested is cold), the high one for the NODF.
enum class NestedTail { Less, Greater };

struct NullStatistics {
    int n = 0;
    double mean = 0;
    double sd = 0;   // with n - 1; NaN for n below 2
    double ses = 0;  // (observed - mean) / sd; NaN when sd is 0 or NaN
    // (k + 1) / (n + 1), k the simulated values <= (p_less) or >=
    // (p_greater) the observed one. NaN for an observed value that is NaN.
    double pLess = 0, pGreater = 0;
    // min(1, 2 min(p_less, p_greater)).
    double pTwoSided = 0;
    // The 2.5%, 50% and 97.5% quantiles by R's default rule (quantile()
    // type 7): for probability q and the values sorted, x[1] .. x[n], with
    // i = 1 + (n - 1) q and its whole part j, (1 - h) x[j] + h x[j + 1],
    // h = i - j (x[j] itself when h is 0 or x[j + 1] equals it). NaN when a
    // value is NaN.
    double q025 = 0, q500 = 0, q975 = 0;
    // The Monte-Carlo standard error of the nestedness P value p (of the
    // tail given): sqrt(p (1 - p) / n) for independent simulations, with
    // ess in place of n for a chain's (n where ess is NaN).
    double pMcse = 0;
    // For a chain's values: the effective sample size by Geyer's (1992)
    // initial positive sequence estimator, n gamma_0 / (-gamma_0 + 2 (G_0
    // + ... + G_m)), G_k = gamma_2k + gamma_2k+1 and m the last k before
    // the first G_k <= 0, gamma_k the lag-k autocovariance (the sum of the
    // k-apart products of deviations from the mean, over n); and the lag-1
    // autocorrelation gamma_1 / gamma_0 (R's acf()). NaN for independent
    // simulations, and where they are undefined: fewer than 2 values,
    // values that do not vary, an estimate that is not positive.
    double ess = 0, lag1 = 0;
};

// The statistics of observed against values, the states of a chain when
// chain is set. Before the mean, the standard deviation, the SES, the
// quantiles and the chain's statistics, each value (and observed) is
// scaled by scale and rounded to the nearest float: 100 gives NODF
// fractions as the percentages nodfPercent() gives, which the result tables
// hold, so that those tables give the same statistics. The P values compare
// the unscaled values. With no value, every field but n is NaN.
NullStatistics nullStatistics(const std::vector<float>& values, float observed, NestedTail nested, bool chain,
                              double scale = 1);

// The statistics of doubles (the metrics beyond the NODF), unscaled.
NullStatistics doubleNullStatistics(const std::vector<double>& values, double observed, NestedTail nested,
                                    bool chain);

// The pMcse of nullStatistics alone, for a precision checked while the
// simulations run.
double nestednessPValueError(const std::vector<float>& values, float observed, NestedTail nested, bool chain,
                             double scale = 1);
double doubleNestednessPValueError(const std::vector<double>& values, double observed, NestedTail nested,
                                   bool chain);

}  // namespace bravolin

#endif
