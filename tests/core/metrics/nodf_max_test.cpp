// NODFmax: the heuristic against the exhaustive search, the arguments
// refused, and the cache shared by threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/metrics.h"

TEST(NodfMax, HeuristicNeverAboveAndMostlyEqualToTheExhaustiveValue)
{
    std::mt19937 generator(2017);
    int equal = 0;
    for (int trial = 0; trial < 100; trial++) {
        int rows, columns;
        do {
            rows = 1 + static_cast<int>(generator() % 20);
            columns = 1 + static_cast<int>(generator() % 20);
        } while (rows * columns < 12 || rows * columns > 20);
        const int least = std::max(rows, columns);
        const long long presences = least + static_cast<long long>(generator() % static_cast<unsigned>(rows * columns - least + 1));
        const bravolin::NodfMax exact = bravolin::exhaustiveNodfMax(rows, columns, presences);
        const bravolin::NodfMax heuristic = bravolin::heuristicNodfMax(rows, columns, presences);
        EXPECT_TRUE(exact.exhaustive);
        EXPECT_FALSE(heuristic.exhaustive);
        EXPECT_LE(heuristic.value, exact.value * (1 + 1e-12)) << rows << " x " << columns << ", " << presences;
        equal += heuristic.value >= exact.value * (1 - 1e-12);
    }
    EXPECT_GE(equal, 95);
}

TEST(NodfMax, RefusesPresencesThatCannotCoverEveryLine)
{
    EXPECT_THROW(bravolin::nodfMax(3, 5, 4), bravolin::Error);
    EXPECT_THROW(bravolin::nodfMax(3, 5, 16), bravolin::Error);
    EXPECT_THROW(bravolin::nodfMax(0, 5, 0), bravolin::Error);
    EXPECT_THROW(bravolin::exhaustiveNodfMax(5, 5, 10), bravolin::Error);
}

TEST(NodfMax, CacheSharedByThreadsGivesTheValueOfItsKey)
{
    bravolin::NodfMaxCache cache;
    std::vector<double> values(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < values.size(); t++)
        threads.emplace_back([&, t] { values[t] = cache.get(12, 9, 40 + static_cast<long long>(t % 2)).value; });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(values[0], bravolin::nodfMax(12, 9, 40).value);
    EXPECT_EQ(values[1], bravolin::nodfMax(12, 9, 41).value);
    EXPECT_EQ(values[2], values[0]);
    EXPECT_EQ(values[3], values[1]);
    EXPECT_TRUE(cache.get(4, 5, 9).exhaustive);
}
