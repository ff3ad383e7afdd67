// The chi-square upper tail by the incomplete gamma function's series and
// continued fraction, and the goodness of fit.
#include "support/chi_square.h"

#include <cmath>
#include <cstddef>

namespace {

// Q(a, x) for x >= a + 1, by Lentz's evaluation of its continued fraction.
double upperGammaFraction(double a, double x)
{
    const double tiny = 1e-300;
    double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
    for (int i = 1; i < 10000; i++) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = std::fabs(d) < tiny ? tiny : d;
        c = b + an / c;
        c = std::fabs(c) < tiny ? tiny : c;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-15)
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// P(a, x) for x < a + 1, by its power series.
double lowerGammaSeries(double a, double x)
{
    double term = 1 / a, sum = term;
    for (int n = 1; n < 10000 && std::fabs(term) > std::fabs(sum) * 1e-16; n++) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

}  // namespace

double chiSquareUpperTail(double statistic, int degrees)
{
    const double a = degrees / 2.0, x = statistic / 2;
    if (x <= 0)
        return 1;
    return x < a + 1 ? 1 - lowerGammaSeries(a, x) : upperGammaFraction(a, x);
}

ChiSquareFit chiSquareFit(const std::vector<long long>& counts, const std::vector<double>& probabilities)
{
    long long draws = 0;
    for (long long count : counts)
        draws += count;
    ChiSquareFit fit;
    double pooledExpected = 0, pooledObserved = 0;
    int groups = 0;
    for (std::size_t i = 0; i < counts.size(); i++) {
        const double expected = probabilities[i] * static_cast<double>(draws);
        const auto observed = static_cast<double>(counts[i]);
        if (expected == 0 && observed > 0)
            return {INFINITY, 0, 0};
        if (expected < 5) {
            pooledExpected += expected;
            pooledObserved += observed;
            continue;
        }
        fit.statistic += (observed - expected) * (observed - expected) / expected;
        groups++;
    }
    if (pooledExpected > 0) {
        fit.statistic += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / pooledExpected;
        groups++;
    }
    fit.degrees = groups - 1;
    fit.p = chiSquareUpperTail(fit.statistic, fit.degrees);
    return fit;
}
