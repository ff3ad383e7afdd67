// The statistics of an observed value against simulated ones.
#include "bravolin/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace bravolin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A value in the units its statistics are given in, as a float (see the
// header).
double scaled(float value, double scale)
{
    return static_cast<float>(static_cast<double>(value) * scale);
}

// Doubles are their own units: they have no single-precision form.
double scaled(double value, double /*scale*/)
{
    return value;
}

template <typename T>
std::vector<double> scaledValues(const std::vector<T>& values, double scale)
{
    std::vector<double> out;
    out.reserve(values.size());
    for (T value : values)
        out.push_back(scaled(value, scale));
    return out;
}

struct Tails {
    double pLess = kNaN, pGreater = kNaN;
};

template <typename T>
Tails tailsOf(const std::vector<T>& values, T observed)
{
    Tails tails;
    if (values.empty() || std::isnan(observed))
        return tails;
    int atMost = 0, atLeast = 0;
    for (T value : values) {
        atMost += value <= observed ? 1 : 0;
        atLeast += value >= observed ? 1 : 0;
    }
    const double n = static_cast<double>(values.size());
    tails.pLess = (atMost + 1.0) / (n + 1.0);
    tails.pGreater = (atLeast + 1.0) / (n + 1.0);
    return tails;
}

double meanOf(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum / static_cast<double>(values.size());
}

// The lag-k autocovariance of the deviations d (see the header).
double autocovariance(const std::vector<double>& d, std::size_t k)
{
    double sum = 0;
    for (std::size_t t = 0; t + k < d.size(); t++)
        sum += d[t] * d[t + k];
    return sum / static_cast<double>(d.size());
}

struct ChainStatistics {
    double ess = kNaN, lag1 = kNaN;
};

// Geyer's initial positive sequence: the pairs of autocovariances are
// summed until the first that is not positive. The lags are computed as
// far as they are needed, so a chain that forgets quickly costs a few
// passes over its values.
ChainStatistics chainStatistics(const std::vector<double>& values)
{
    ChainStatistics chain;
    const std::size_t n = values.size();
    if (n < 2)
        return chain;
    const double mean = meanOf(values);
    std::vector<double> d;
    d.reserve(n);
    for (double value : values)
        d.push_back(value - mean);
    const double gamma0 = autocovariance(d, 0);
    if (!(gamma0 > 0))
        return chain;
    const double gamma1 = autocovariance(d, 1);
    chain.lag1 = gamma1 / gamma0;
    double pairs = 0;
    for (std::size_t k = 0; 2 * k + 1 < n; k++) {
        const double pair = (k == 0 ? gamma0 + gamma1 : autocovariance(d, 2 * k) + autocovariance(d, 2 * k + 1));
        if (!(pair > 0))
            break;
        pairs += pair;
    }
    const double variance = -gamma0 + 2 * pairs;
    if (variance > 0)
        chain.ess = static_cast<double>(n) * gamma0 / variance;
    return chain;
}

// The type 7 quantile of probability q of sorted values.
double quantile(const std::vector<double>& sorted, double q)
{
    const double index = 1 + static_cast<double>(sorted.size() - 1) * q;
    const double low = std::floor(index);
    const auto j = static_cast<std::size_t>(low) - 1;
    const double h = index - low;
    if (h == 0 || sorted[j + 1] == sorted[j])
        return sorted[j];
    return (1 - h) * sorted[j] + h * sorted[j + 1];
}

double pValueError(double p, double n, const ChainStatistics* chain)
{
    const double size = chain != nullptr && !std::isnan(chain->ess) ? chain->ess : n;
    return std::sqrt(p * (1 - p) / size);
}

double nestedP(const Tails& tails, NestedTail nested)
{
    return nested == NestedTail::Less ? tails.pLess : tails.pGreater;
}

template <typename T>
NullStatistics statisticsOf(const std::vector<T>& values, T observed, NestedTail nested, bool chain, double scale)
{
    NullStatistics s;
    s.n = static_cast<int>(values.size());
    if (values.empty()) {
        s.mean = s.sd = s.ses = s.pLess = s.pGreater = s.pTwoSided = kNaN;
        s.q025 = s.q500 = s.q975 = s.pMcse = s.ess = s.lag1 = kNaN;
        return s;
    }
    std::vector<double> units = scaledValues(values, scale);
    s.mean = meanOf(units);
    // Two passes: the squares of the deviations, not of the values, so that
    // values far from 0 keep their precision.
    double squares = 0;
    for (double value : units)
        squares += (value - s.mean) * (value - s.mean);
    s.sd = s.n > 1 ? std::sqrt(squares / (s.n - 1)) : kNaN;
    s.ses = s.sd > 0 ? (scaled(observed, scale) - s.mean) / s.sd : kNaN;
    const Tails tails = tailsOf(values, observed);
    s.pLess = tails.pLess;
    s.pGreater = tails.pGreater;
    s.pTwoSided = std::isnan(tails.pLess) ? kNaN : std::min(1.0, 2 * std::min(tails.pLess, tails.pGreater));
    ChainStatistics ofChain;
    if (chain)
        ofChain = chainStatistics(units);
    s.ess = ofChain.ess;
    s.lag1 = ofChain.lag1;
    s.pMcse = pValueError(nestedP(tails, nested), s.n, chain ? &ofChain : nullptr);
    // Values without an order (a NODF without pairs) have no quantiles.
    if (std::any_of(units.begin(), units.end(), [](double value) { return std::isnan(value); })) {
        s.q025 = s.q500 = s.q975 = kNaN;
        return s;
    }
    std::sort(units.begin(), units.end());
    s.q025 = quantile(units, 0.025);
    s.q500 = quantile(units, 0.5);
    s.q975 = quantile(units, 0.975);
    return s;
}

template <typename T>
double pValueErrorOf(const std::vector<T>& values, T observed, NestedTail nested, bool chain, double scale)
{
    const double p = nestedP(tailsOf(values, observed), nested);
    if (!chain)
        return pValueError(p, static_cast<double>(values.size()), nullptr);
    const ChainStatistics ofChain = chainStatistics(scaledValues(values, scale));
    return pValueError(p, static_cast<double>(values.size()), &ofChain);
}

}  // namespace

NullStatistics nullStatistics(const std::vector<float>& values, float observed, NestedTail nested, bool chain,
                              double scale)
{
    return statisticsOf(values, observed, nested, chain, scale);
}

NullStatistics doubleNullStatistics(const std::vector<double>& values, double observed, NestedTail nested, bool chain)
{
    return statisticsOf(values, observed, nested, chain, 1);
}

double nestednessPValueError(const std::vector<float>& values, float observed, NestedTail nested, bool chain,
                             double scale)
{
    return pValueErrorOf(values, observed, nested, chain, scale);
}

double doubleNestednessPValueError(const std::vector<double>& values, double observed, NestedTail nested, bool chain)
{
    return pValueErrorOf(values, observed, nested, chain, 1);
}

}  // namespace bravolin
