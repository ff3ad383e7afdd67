// Printing real values with two decimals, as every NODF report does. The
// pairwise tables hold millions of values, so the common case is formatted
// here without going through printf, to the same bytes printf gives.
#ifndef BRAVOLIN_FORMATS_TEXT_TWO_DECIMALS_H
#define BRAVOLIN_FORMATS_TEXT_TWO_DECIMALS_H

#include <string>

// Room for any text formatTwoDecimals writes, terminator included.
constexpr int kTwoDecimalsBufferSize = 352;

// Writes value as printf's "%.2f" does and returns the number of
// characters, without a terminator. A not-a-number is written "nan" whatever
// its sign bit: 0.0/0.0 on x86 yields a negative NaN, which printf would show
// as "-nan".
int formatTwoDecimals(char* out, double value);

// value as formatTwoDecimals writes it.
std::string twoDecimals(double value);

// A fraction as a percentage, widened before the product: a single
// precision product rounds some of them differently (1/160 shows 0.63, its
// single-precision product 0.62).
double percentOf(float fraction);

// A fraction as every NODF report writes it: a percentage with two
// decimals ("nan" for a not-a-number).
std::string percentText(float fraction);

#endif
