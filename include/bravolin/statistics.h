// The statistics of an observed value against a model's simulated values,
// as ecologists report them: the number of simulations, their mean and
// standard deviation, the standardised effect size, and the P values of
// both tails with the usual +1 correction. Computed in double precision;
// the comparisons of the P values are between the floats the analyses
// computed, not their printed forms.
#ifndef BRAVOLIN_STATISTICS_H
#define BRAVOLIN_STATISTICS_H

#include <vector>

namespace bravolin {

struct NullStatistics {
    int n = 0;
    double mean = 0;
    double sd = 0;   // with n - 1; NaN for n below 2
    double ses = 0;  // (observed - mean) / sd; NaN when sd is 0 or NaN
    // (k + 1) / (n + 1), k the simulated values <= (p_less) or >=
    // (p_greater) the observed one. NaN for an observed value that is NaN.
    double pLess = 0, pGreater = 0;
};

// The statistics of observed against values. Before the mean, the standard
// deviation and the SES, each value (and observed) is scaled by scale and
// rounded to the nearest float: 100 gives NODF fractions as the percentages
// nodfPercent() gives, which the result tables hold, so that those tables
// give the same statistics. The P values compare the unscaled values. With
// no value, every field but n is NaN.
NullStatistics nullStatistics(const std::vector<float>& values, float observed, double scale = 1);

}  // namespace bravolin

#endif
