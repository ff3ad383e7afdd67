// The deterministic logarithm: within one unit in the last place of the
// system's, across the range of doubles, and its special values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "core/deterministic_math.h"

namespace {

std::int64_t bitsOf(double x)
{
    std::int64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

}  // namespace

TEST(DeterministicLog, WithinOneUlpOfTheSystemLogarithm)
{
    std::mt19937_64 generator(17);
    for (int i = 0; i < 200000; i++) {
        // Near 1, where the logarithm is smallest, and any positive double,
        // subnormals included.
        double x;
        if (i % 2 == 0) {
            x = 0.5 + static_cast<double>(generator() >> 11) * 0x1p-52;
        } else {
            const std::uint64_t bits = generator() & 0x7fefffffffffffffu;
            std::memcpy(&x, &bits, sizeof x);
        }
        if (x == 0)
            continue;
        const double ours = bravolin::deterministicLog(x), system = std::log(x);
        ASSERT_EQ(std::signbit(ours), std::signbit(system)) << x;
        ASSERT_LE(std::llabs(bitsOf(ours) - bitsOf(system)), 1) << x;
    }
    for (int n = 1; n <= 9000001; n += 7)
        ASSERT_LE(std::llabs(bitsOf(bravolin::deterministicLog(n)) - bitsOf(std::log(n))), 1) << n;
}

TEST(DeterministicLog, SpecialValues)
{
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(bravolin::deterministicLog(1.0), 0.0);
    EXPECT_EQ(bravolin::deterministicLog(0.0), -infinity);
    EXPECT_EQ(bravolin::deterministicLog(infinity), infinity);
    EXPECT_TRUE(std::isnan(bravolin::deterministicLog(-1.0)));
    EXPECT_TRUE(std::isnan(bravolin::deterministicLog(std::nan(""))));
}
