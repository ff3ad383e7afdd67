// The two-decimal formatter must give printf's bytes for every value the
// reports print, and "nan" for a NaN of either sign.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "formats/text/two_decimals.h"

static void expectPrintfBytes(double value)
{
    char ours[kTwoDecimalsBufferSize], theirs[kTwoDecimalsBufferSize];
    int length = formatTwoDecimals(ours, value);
    std::snprintf(theirs, sizeof theirs, "%.2f", value);
    ASSERT_EQ(std::string(ours, static_cast<std::size_t>(length)), theirs) << value;
}

TEST(TwoDecimals, GivesPrintfBytes)
{
    // Every pair value count / total (single precision, times 100) for
    // totals up to 400 and the largest ones.
    for (int total = 1; total <= 3000; total = total == 400 ? 2990 : total + 1)
        for (int count = 0; count <= total; count++)
            expectPrintfBytes(static_cast<double>(static_cast<float>(static_cast<double>(count) / total)) * 100);
    // Multiples of 1/8 are exact: the odd ones are ties, rounded to even.
    for (int k = 0; k <= 8000; k++)
        expectPrintfBytes(k / 8.0);
    std::mt19937_64 generator(2024);
    std::uniform_real_distribution<double> spread(0.0, 1e6);
    for (int i = 0; i < 200000; i++)
        expectPrintfBytes(std::ldexp(spread(generator), -(i % 40)));
    for (double value : {0.0, 0.005, 0.015, 99.995, 1e14, 1e20, -0.0, -1.5, 1e-300, HUGE_VAL})
        expectPrintfBytes(value);
}

TEST(TwoDecimals, WidenedPercentOfOneIn160AndNanWithoutSign)
{
    char text[kTwoDecimalsBufferSize];
    EXPECT_EQ(std::string(text, formatTwoDecimals(text, static_cast<double>(1.0f / 160) * 100)), "0.63");
    ASSERT_TRUE(std::signbit(-std::nan("")));
    EXPECT_EQ(std::string(text, formatTwoDecimals(text, -std::nan(""))), "nan");
    EXPECT_EQ(std::string(text, formatTwoDecimals(text, std::nan(""))), "nan");
}
