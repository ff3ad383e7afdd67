// The abundance_shuffle model: its chain keeps every row's and column's
// presences and every row's abundances, and shuffles a row's abundances
// uniformly among its presences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <random>
#include <vector>

#include "bravolin/stream_generator.h"
#include "core/null_models/abundance_shuffle.h"
#include "support/chi_square.h"

using namespace bravolin;

namespace {

// Each row's abundances above 0, sorted; then each row's and each
// column's number of presences.
struct Kept {
    std::vector<std::vector<double>> rowAbundances;
    std::vector<int> presenceTotals;
    bool operator==(const Kept& other) const
    {
        return rowAbundances == other.rowAbundances && presenceTotals == other.presenceTotals;
    }
};

Kept keptBy(const AbundanceMatrix& m)
{
    Kept kept{std::vector<std::vector<double>>(static_cast<std::size_t>(m.rows())),
              std::vector<int>(static_cast<std::size_t>(m.rows() + m.columns()), 0)};
    for (int r = 0; r < m.rows(); r++)
        for (int c = 0; c < m.columns(); c++)
            if (m.at(r, c) > 0) {
                kept.rowAbundances[static_cast<std::size_t>(r)].push_back(m.at(r, c));
                kept.presenceTotals[static_cast<std::size_t>(r)]++;
                kept.presenceTotals[static_cast<std::size_t>(m.rows() + c)]++;
            }
    for (auto& row : kept.rowAbundances)
        std::sort(row.begin(), row.end());
    return kept;
}

}  // namespace

TEST(AbundanceShuffle, KeepsPresenceTotalsAndEachRowsAbundances)
{
    std::mt19937 random(11);
    std::vector<double> cells;
    for (int i = 0; i < 9 * 12; i++)
        cells.push_back(random() % 3 == 0 ? 0.5 * static_cast<double>(1 + random() % 9) : 0.0);
    const AbundanceMatrix observed(9, 12, cells);
    const Kept kept = keptBy(observed);
    AbundanceShuffleChain chain(observed);
    StreamGenerator generator(5);
    AbundanceMatrix out;
    bool presencesMoved = false;
    for (int d = 0; d < 300; d++) {
        chain.next(d == 0 ? 900 : 90, generator, out);
        ASSERT_TRUE(keptBy(out) == kept) << "draw " << d;
        presencesMoved = presencesMoved || out.presences().cells() != observed.presences().cells();
    }
    EXPECT_TRUE(presencesMoved);
}

// A staircase is the only matrix with its totals, so the chain keeps it
// and only the deal varies: row 0's three abundances in 6 orders, row 1's
// two in 2, every one of the 12 equally likely.
TEST(AbundanceShuffle, DealsEachRowsAbundancesInEveryOrderEquallyOften)
{
    const AbundanceMatrix observed(3, 3, {1, 2, 3, 5, 7, 0, 4, 0, 0});
    AbundanceShuffleChain chain(observed);
    StreamGenerator generator(9);
    AbundanceMatrix out;
    std::map<std::vector<double>, long long> seen;
    for (int d = 0; d < 24000; d++) {
        chain.next(3, generator, out);
        seen[out.cells()]++;
    }
    ASSERT_EQ(seen.size(), 12u);
    std::vector<long long> counts;
    for (const auto& entry : seen)
        counts.push_back(entry.second);
    EXPECT_GT(chiSquareFit(counts, std::vector<double>(12, 1.0 / 12)).p, 0.001);
}
