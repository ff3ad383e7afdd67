// Chi-square goodness of fit of drawn outcomes to their exact
// probabilities, for the uniformity tests of the null models.
#ifndef BRAVOLIN_TESTS_SUPPORT_CHI_SQUARE_H
#define BRAVOLIN_TESTS_SUPPORT_CHI_SQUARE_H

#include <vector>

// P(X >= statistic) for X chi-square with degrees degrees of freedom: the
// regularized upper incomplete gamma function Q(degrees / 2, statistic / 2).
double chiSquareUpperTail(double statistic, int degrees);

struct ChiSquareFit {
    double statistic = 0;
    int degrees = 0;
    double p = 0;
};

// The fit of counts[i] (how often outcome i was drawn) to probabilities[i].
// Outcomes expected fewer than 5 times are pooled into one; an outcome of
// probability 0 that was drawn makes p 0.
ChiSquareFit chiSquareFit(const std::vector<long long>& counts, const std::vector<double>& probabilities);

#endif
