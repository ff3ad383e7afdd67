// The NODF metric: worked values, degenerate matrices, the pair tables,
// the null-model accumulators, and agreement with a plain double-precision
// computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "nodf/nodf_metric.h"
#include "support/scratch.h"

namespace {

typedef std::vector<std::string> Rows;

NodfContext nodf;
CellMatrix matrix;

void load(const Rows& rows)
{
    rowCount = static_cast<int>(rows.size());
    columnCount = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    matrix.resize(rowCount, columnCount);
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++)
            matrix[r][c] = static_cast<unsigned char>(rows[r][c] - '0');
}

void measure(const Rows& rows, int ordering)
{
    load(rows);
    orderMatrix = ordering;
    measureNodf(nodf, matrix, rowCount, columnCount, true);
}

std::string printed(double fraction)
{
    char text[32] = "nan";
    if (!std::isnan(fraction))
        std::snprintf(text, sizeof text, "%.2f", fraction * 100);
    return text;
}

std::string printedValues()
{
    return printed(nodf.nodfRows) + " " + printed(nodf.nodfColumns) + " " + printed(nodf.nodfTotal);
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

TEST(NodfMetric, WorkedAndDegenerateMatrices)
{
    struct Case {
        Rows rows;
        int ordering;
        const char* values;  // rows, columns, total as printed
    };
    const Case cases[] = {
        {{"111", "110", "100"}, 0, "100.00 100.00 100.00"},
        {{"100", "110", "111"}, 0, "0.00 100.00 50.00"},
        {{"100", "110", "111"}, 1, "100.00 100.00 100.00"},
        {{"110", "011"}, 0, "0.00 33.33 25.00"},
        {{"110", "011"}, 1, "0.00 66.67 50.00"},
        {{"110", "110"}, 1, "0.00 0.00 0.00"},        // identical rows
        {{"1111", "1111", "1111"}, 1, "0.00 0.00 0.00"},
        {{"000", "000", "000"}, 0, "0.00 0.00 0.00"},
        {{"101"}, 1, "nan 0.00 0.00"},                // no row pair
        {{"1", "1", "0"}, 0, "0.00 nan 0.00"},        // no column pair
        {{}, 1, "nan nan nan"},
    };
    for (const Case& c : cases) {
        measure(c.rows, c.ordering);
        EXPECT_EQ(printedValues(), c.values) << c.rows.size() << " rows, ordering " << c.ordering;
    }
    // Ordering rearranges nodfMatrix only.
    measure({"110", "011"}, 1);
    EXPECT_EQ(nodf.nodfMatrix[1][1], 0);
    EXPECT_EQ(matrix[1][0], 0);
}

TEST(NodfMetric, PairTablesHoldZerosOnAndAboveTheDiagonal)
{
    std::mt19937 generator(5);
    // Leftovers of a larger matrix must not leak into a smaller one.
    measure(randomRows(generator, 9, 9, 0.9), 0);
    measure(randomRows(generator, 6, 7, 0.5), 0);
    for (int k = 0; k < 7; k++)
        for (int i = k; i < 7; i++)
            EXPECT_EQ(nodf.columnPairTable[static_cast<std::size_t>(k * 7 + i)] +
                          (i < 6 && k < 6 ? nodf.rowPairTable[static_cast<std::size_t>(k * 6 + i)] : 0.0f),
                      0.0f);
    EXPECT_EQ(nodf.rowPairTable.size(), 36u);
    // A random matrix's tables are only summed, never kept.
    NodfContext random;
    measureNodf(random, matrix, rowCount, columnCount, false);
    EXPECT_TRUE(random.rowPairTable.empty() && random.columnPairTable.empty());
    EXPECT_EQ(random.nodfTotal, nodf.nodfTotal);
}

TEST(NodfMetric, NullModelTotalsFeedTheirAccumulators)
{
    ScratchDirectory dir;
    dir.enter();
    std::strcpy(currentFileName, "M.TXT");
    observedNodfTotal = 0.5f;  // an equal total does not exceed
    recordNullModelTotal(Er, 0.5f);
    recordNullModelTotal(Ce, 0.5f);
    observedNodfTotal = 0.25f;
    recordNullModelTotal(Er, 0.5f);
    recordNullModelTotal(Li, 0.5f);
    recordNullModelTotal(Co, 0.5f);
    EXPECT_FLOAT_EQ(erNodfSum, 1.0f);
    EXPECT_EQ(erExceedCount, 1);
    EXPECT_FLOAT_EQ(ceNodfSum, 0.5f);
    EXPECT_EQ(ceExceedCount, 0);

    // A not-a-number total never exceeds; the observed total is kept only
    // when null models are on.
    measure({}, 0);
    recordNullModelTotal(Er, nodf.nodfTotal);
    EXPECT_EQ(erExceedCount, 1);
    load({"111", "110", "100"});
    nullModelsEnabled = 0;
    testing::internal::CaptureStdout();
    computeObservedNodf(nodf, matrix, rowCount, columnCount);
    EXPECT_FLOAT_EQ(observedNodfTotal, 0.25f);
    nullModelsEnabled = 1;
    computeObservedNodf(nodf, matrix, rowCount, columnCount);
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(observedNodfTotal, 1.0f);
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
        measure(rows, trial % 2);
        const float actual[] = {nodf.nodfRows, nodf.nodfColumns, nodf.nodfTotal};
        for (int v = 0; v < 3; v++) {
            if (printed(actual[v]) == printed(expected[v]))
                continue;
            double hundredths = expected[v] * 10000;
            EXPECT_LT(std::fabs(hundredths - std::floor(hundredths) - 0.5), 0.1) << "trial " << trial;
            EXPECT_NEAR(actual[v], expected[v], 1e-5) << "trial " << trial;
        }
    }
}
