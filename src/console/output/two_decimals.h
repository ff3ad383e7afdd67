// Printing real values with two decimals, as every NODF report does. The
// pairwise tables hold millions of values, so the common case is formatted
// here without going through printf, to the same bytes printf gives.
#ifndef BRAVOLIN_CONSOLE_OUTPUT_TWO_DECIMALS_H
#define BRAVOLIN_CONSOLE_OUTPUT_TWO_DECIMALS_H

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

#endif
