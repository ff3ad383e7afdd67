// The NODF metric: the pair tables, and agreement with a plain
// double-precision computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bravolin/nodf.h"
#include "core/nodf/nodf_metric.h"
#include "support/matrices.h"

namespace {

bravolin::NodfResult nodf;

void measure(const Rows& rows, bool ordering)
{
    nodf = bravolin::analyseNodf(matrixOf(rows), ordering);
}

std::string printed(double fraction)
{
    char text[32] = "nan";
    if (!std::isnan(fraction))
        std::snprintf(text, sizeof text, "%.2f", fraction * 100);
    return text;
}

Rows randomRows(std::mt19937& generator, int n, int m, double fill)
{
    std::bernoulli_distribution cell(fill);
    Rows rows(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(m), '0'));
    for (auto& row : rows)
        for (auto& c : row)
            c = cell(generator) ? '1' : '0';
    return rows;
}

}  // namespace

TEST(NodfMetric, PairTablesHoldZerosOnAndAboveTheDiagonal)
{
    std::mt19937 generator(5);
    // Leftovers of a larger matrix must not leak into a smaller one.
    measure(randomRows(generator, 9, 9, 0.9), 0);
    measure(randomRows(generator, 6, 7, 0.5), 0);
    for (int k = 0; k < 7; k++)
        for (int i = k; i < 7; i++)
            EXPECT_EQ(nodf.columnPairs[static_cast<std::size_t>(k * 7 + i)] +
                          (i < 6 && k < 6 ? nodf.rowPairs[static_cast<std::size_t>(k * 6 + i)] : 0.0f),
                      0.0f);
    EXPECT_EQ(nodf.rowPairs.size(), 36u);
    // A random matrix's tables are only summed, never kept.
    const bravolin::Matrix last = matrixOf(randomRows(generator, 6, 7, 0.5));
    nodf = bravolin::analyseNodf(last, false);
    bravolin::CellMatrix cells;
    cells.resize(6, 7);
    for (int r = 0; r < 6; r++)
        for (int c = 0; c < 7; c++)
            cells[r][c] = last.at(r, c);
    bravolin::NodfContext random;
    bravolin::measureNodf(random, cells, 6, 7, false, false);
    EXPECT_TRUE(random.rowPairTable.empty() && random.columnPairTable.empty());
    EXPECT_EQ(random.nodfTotal, nodf.nodf.total);
}

// NODF computed plainly in double precision, after a stable sort by
// decreasing totals when ordering (values do not depend on the tie order).
static std::vector<double> referenceNodf(Rows rows, bool ordering)
{
    const std::size_t n = rows.size(), m = rows[0].size();
    Rows columns(m, std::string(n, '0'));
    for (std::size_t r = 0; r < n; r++)
        for (std::size_t c = 0; c < m; c++)
            columns[c][r] = rows[r][c];
    auto total = [](const std::string& line) { return std::count(line.begin(), line.end(), '1'); };
    auto fuller = [&](const std::string& a, const std::string& b) { return total(a) > total(b); };
    if (ordering) {
        std::stable_sort(rows.begin(), rows.end(), fuller);
        std::stable_sort(columns.begin(), columns.end(), fuller);
    }
    auto pairSum = [&](const Rows& lines) {
        double sum = 0;
        for (std::size_t i = 0; i < lines.size(); i++)
            for (std::size_t k = i + 1; k < lines.size(); k++) {
                if (total(lines[i]) <= total(lines[k]) || total(lines[k]) == 0)
                    continue;
                long shared = 0;
                for (std::size_t c = 0; c < lines[k].size(); c++)
                    shared += lines[i][c] == '1' && lines[k][c] == '1';
                sum += static_cast<double>(shared) / total(lines[k]);
            }
        return sum;
    };
    double rowPairs = n * (n - 1.0) / 2, columnPairs = m * (m - 1.0) / 2;
    double rowSum = pairSum(rows), columnSum = pairSum(columns);
    return {rowSum / rowPairs, columnSum / columnPairs, (rowSum + columnSum) / (rowPairs + columnPairs)};
}

// Printed values agree, except where the exact value lies within 1e-5 of
// the midpoint between two printed values: sums over thousands of pairs in
// single precision drift that far and may land on either side of it.
TEST(NodfMetric, AgreesWithAPlainDoublePrecisionComputation)
{
    std::mt19937 generator(99);
    for (int trial = 0; trial < 300; trial++) {
        // Every tenth matrix has a side of more than 64 lines, which spans
        // several words and transposed blocks.
        std::uniform_int_distribution<int> side(1, 40), longSide(65, 140);
        int n = trial % 20 == 0 ? longSide(generator) : side(generator);
        int m = trial % 20 == 10 ? longSide(generator) : side(generator);
        Rows rows = randomRows(generator, n, m, 0.1 + trial % 9 * 0.1);
        std::vector<double> expected = referenceNodf(rows, trial % 2 == 1);
        measure(rows, trial % 2 == 1);
        const float actual[] = {nodf.nodf.rows, nodf.nodf.columns, nodf.nodf.total};
        for (int v = 0; v < 3; v++) {
            if (printed(actual[v]) == printed(expected[v]))
                continue;
            double hundredths = expected[v] * 10000;
            EXPECT_LT(std::fabs(hundredths - std::floor(hundredths) - 0.5), 0.1) << "trial " << trial;
            EXPECT_NEAR(actual[v], expected[v], 1e-5) << "trial " << trial;
        }
    }
}
