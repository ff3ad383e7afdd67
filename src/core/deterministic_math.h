// Mathematical functions computed with the IEEE basic operations alone
// (+, -, *, / and exponent extraction), each of them correctly rounded, so
// that every platform and compiler gives the same bits; the system's
// libraries differ in the last bit here and there. Used wherever a value
// the program reports depends on a transcendental function.
#ifndef BRAVOLIN_CORE_DETERMINISTIC_MATH_H
#define BRAVOLIN_CORE_DETERMINISTIC_MATH_H

#include <cmath>
#include <limits>

namespace bravolin {

// The natural logarithm of x, within about one unit in the last place of
// the exact value: NaN for x below 0 or NaN, -infinity for 0, infinity for
// infinity.
//
// x = m * 2^k with m in [sqrt(1/2), sqrt(2)), so log x = k log 2 + log(1 + f)
// with f = m - 1, which is exact. With s = f / (2 + f),
// log(1 + f) = 2 atanh(s) = 2s + s R(s^2), R(z) = 2z/3 + 2z^2/5 + ...;
// |s| < 0.172, so twelve terms of R leave a remainder far below the last
// bit. The leading terms are arranged as f - f^2/2 + s (f^2/2 + R), so that
// the rounding of s only touches the small part, and log 2 is split into a
// part whose multiples by k are exact and a small remainder.
inline double deterministicLog(double x)
{
    if (std::isnan(x) || x < 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0)
        return -std::numeric_limits<double>::infinity();
    if (std::isinf(x))
        return x;
    int exponent = 0;
    double m = std::frexp(x, &exponent);  // m in [0.5, 1), exact
    if (m < 0.70710678118654752440) {
        m *= 2;
        exponent -= 1;
    }
    constexpr double ln2High = 6.93147180369123816490e-01;  // log 2 to 32 bits: k * ln2High is exact
    constexpr double ln2Low = 1.90821492927058770002e-10;   // log 2 - ln2High
    const double k = static_cast<double>(exponent);
    const double f = m - 1;
    const double s = f / (2 + f);
    const double z = s * s;
    double r = 0;
    for (int term = 12; term >= 1; term--)
        r = z * (2.0 / (2 * term + 1) + r);
    const double halfSquare = 0.5 * f * f;
    return k * ln2High - ((halfSquare - (s * (halfSquare + r) + k * ln2Low)) - f);
}

}  // namespace bravolin

#endif
