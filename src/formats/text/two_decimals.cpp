// Exact two-decimal formatting of doubles.
#include "formats/text/two_decimals.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

// Values from 0 up to this bound are formatted by integer arithmetic: their
// hundredths fit comfortably in 64 bits.
static constexpr double kFastFormatLimit = 1e15;

// The value times 100 rounded to an integer as printf rounds it: from the
// exact binary value, ties to even. value is finite, not negative and below
// kFastFormatLimit.
static std::uint64_t roundedHundredths(double value)
{
    int exponent = 0;
    double fraction = std::frexp(value, &exponent);
    // value = mantissa * 2^exponent with a 53-bit integer mantissa, so
    // value * 100 = scaled * 2^exponent exactly, with scaled below 2^60.
    std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    std::uint64_t scaled = mantissa * 100u;
    if (exponent >= 0)
        return scaled << exponent;
    int shift = -exponent;
    if (shift >= 64)
        return 0;  // below 2^-4 hundredths: rounds to zero
    std::uint64_t whole = scaled >> shift;
    std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1u);
    std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (whole & 1u) != 0))
        whole++;
    return whole;
}

static int writeHundredths(char* out, std::uint64_t hundredths)
{
    char digits[24];
    int count = 0;
    std::uint64_t units = hundredths / 100u;
    do {
        digits[count++] = static_cast<char>('0' + units % 10u);
        units /= 10u;
    } while (units != 0);
    int length = 0;
    while (count > 0)
        out[length++] = digits[--count];
    unsigned cents = static_cast<unsigned>(hundredths % 100u);
    out[length++] = '.';
    out[length++] = static_cast<char>('0' + cents / 10u);
    out[length++] = static_cast<char>('0' + cents % 10u);
    return length;
}

int formatTwoDecimals(char* out, double value)
{
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return 3;
    }
    if (std::signbit(value) || !(value < kFastFormatLimit))
        return std::snprintf(out, kTwoDecimalsBufferSize, "%.2f", value);
    return writeHundredths(out, roundedHundredths(value));
}

std::string twoDecimals(double value)
{
    char text[kTwoDecimalsBufferSize];
    return std::string(text, static_cast<std::size_t>(formatTwoDecimals(text, value)));
}

double percentOf(float fraction)
{
    return static_cast<double>(fraction) * 100;
}

std::string percentText(float fraction)
{
    return twoDecimals(percentOf(fraction));
}
