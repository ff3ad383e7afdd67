// The statistics of an observed value against simulated ones.
#include "bravolin/statistics.h"

#include <cmath>
#include <limits>

namespace bravolin {
namespace {

// A value in the units its statistics are given in, as a float (see the
// header).
double scaled(float value, double scale)
{
    return static_cast<float>(static_cast<double>(value) * scale);
}

}  // namespace

NullStatistics nullStatistics(const std::vector<float>& values, float observed, double scale)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    NullStatistics s;
    s.n = static_cast<int>(values.size());
    if (values.empty()) {
        s.mean = s.sd = s.ses = s.pLess = s.pGreater = nan;
        return s;
    }
    double sum = 0;
    int atMost = 0, atLeast = 0;
    for (float value : values) {
        sum += scaled(value, scale);
        atMost += value <= observed ? 1 : 0;
        atLeast += value >= observed ? 1 : 0;
    }
    s.mean = sum / s.n;
    // Two passes: the squares of the deviations, not of the values, so that
    // values far from 0 keep their precision.
    double squares = 0;
    for (float value : values) {
        const double deviation = scaled(value, scale) - s.mean;
        squares += deviation * deviation;
    }
    s.sd = s.n > 1 ? std::sqrt(squares / (s.n - 1)) : nan;
    s.ses = s.sd > 0 ? (scaled(observed, scale) - s.mean) / s.sd : nan;
    const bool defined = !std::isnan(observed);
    s.pLess = defined ? (atMost + 1.0) / (s.n + 1.0) : nan;
    s.pGreater = defined ? (atLeast + 1.0) / (s.n + 1.0) : nan;
    return s;
}

}  // namespace bravolin
