// The r2dtable model: its tables keep both margins, their mean is the
// expected table r_i c_j / N, and each table comes with its multiple
// hypergeometric probability; what it cannot draw is an error that names
// the cause.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "bravolin/stream_generator.h"
#include "core/null_models/r2dtable.h"
#include "support/chi_square.h"

using namespace bravolin;

namespace {

AbundanceMatrix abundancesOf(const std::vector<std::vector<double>>& rows)
{
    std::vector<double> cells;
    for (const auto& row : rows)
        cells.insert(cells.end(), row.begin(), row.end());
    return AbundanceMatrix(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()), cells);
}

double factorial(long long n)
{
    double product = 1;
    for (long long k = 2; k <= n; k++)
        product *= static_cast<double>(k);
    return product;
}

}  // namespace

// A row with most individuals and a row with all of those left take the
// way of drawing what they leave; an empty row and column stay empty.
TEST(R2dtable, KeepsBothMarginsAndItsMeanTableIsTheExpectedOne)
{
    const AbundanceMatrix observed = abundancesOf({{12, 9, 0, 7, 5, 0},
                                                   {1, 0, 2, 3, 0, 0},
                                                   {0, 4, 1, 0, 2, 0},
                                                   {2, 1, 0, 1, 0, 0},
                                                   {0, 0, 0, 0, 0, 0}});
    CountMargins margins;
    std::string error;
    ASSERT_TRUE(countMarginsOf(observed, margins, error)) << error;
    EXPECT_EQ(margins.individuals, 50);
    const int rows = margins.rows, columns = margins.columns;
    StreamGenerator generator(28);
    AbundanceMatrix out;
    constexpr int kDraws = 20000;
    std::vector<double> sums(static_cast<std::size_t>(rows * columns), 0.0);
    for (int d = 0; d < kDraws; d++) {
        drawR2dtable(margins, generator, out);
        ASSERT_EQ(out.rows(), rows);
        ASSERT_EQ(out.columns(), columns);
        std::vector<long long> rowTotals(static_cast<std::size_t>(rows)), columnTotals(static_cast<std::size_t>(columns));
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < columns; c++) {
                const auto count = static_cast<long long>(out.at(r, c));
                rowTotals[static_cast<std::size_t>(r)] += count;
                columnTotals[static_cast<std::size_t>(c)] += count;
                sums[static_cast<std::size_t>(r * columns + c)] += out.at(r, c);
            }
        ASSERT_EQ(rowTotals, margins.rowTotals);
        ASSERT_EQ(columnTotals, margins.columnTotals);
    }
    const auto n = static_cast<double>(margins.individuals);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            const auto ri = static_cast<double>(margins.rowTotals[static_cast<std::size_t>(r)]);
            const auto cj = static_cast<double>(margins.columnTotals[static_cast<std::size_t>(c)]);
            const double variance = ri * cj * (n - ri) * (n - cj) / (n * n * (n - 1));
            EXPECT_LE(std::fabs(sums[static_cast<std::size_t>(r * columns + c)] / kDraws - ri * cj / n),
                      4 * std::sqrt(variance / kDraws))
                << "cell (" << r << ", " << c << ")";
        }
}

TEST(R2dtable, DrawsEveryTableWithItsMultipleHypergeometricProbability)
{
    const std::vector<std::vector<std::vector<long long>>> cases = {
        {{2, 1}, {1, 2}},
        {{2, 2}, {1, 2, 1}},
        {{3, 1, 2}, {2, 2, 2}},
    };
    for (const auto& margins : cases) {
        CountMargins given;
        given.rowTotals = margins[0];
        given.columnTotals = margins[1];
        given.rows = static_cast<int>(given.rowTotals.size());
        given.columns = static_cast<int>(given.columnTotals.size());
        double marginFactorials = 1;
        for (const auto& totals : margins)
            for (long long total : totals)
                marginFactorials *= factorial(total);
        for (long long total : given.rowTotals)
            given.individuals += total;
        StreamGenerator generator(given.individuals);
        std::map<std::vector<double>, long long> seen;
        AbundanceMatrix out;
        for (int d = 0; d < 40000; d++) {
            drawR2dtable(given, generator, out);
            seen[out.cells()]++;
        }
        std::vector<long long> counts;
        std::vector<double> probabilities;
        double covered = 0;
        for (const auto& [cells, count] : seen) {
            double cellFactorials = factorial(given.individuals);
            for (double cell : cells)
                cellFactorials *= factorial(static_cast<long long>(cell));
            counts.push_back(count);
            probabilities.push_back(marginFactorials / cellFactorials);
            covered += probabilities.back();
        }
        // Every table of the margins was drawn, and none other.
        EXPECT_NEAR(covered, 1.0, 1e-12) << given.rows << " x " << given.columns;
        EXPECT_GT(chiSquareFit(counts, probabilities).p, 0.001) << given.rows << " x " << given.columns;
    }
}

TEST(R2dtable, MarginsOfWhatItCannotDrawAreAnErrorThatSaysWhy)
{
    AbundanceMatrix fraction = abundancesOf({{1, 2}, {0, 2.5}});
    fraction.setRowNames({"north", "south"});
    fraction.setColumnNames({"Parus major", "Sitta europaea"});
    const struct {
        AbundanceMatrix matrix;
        std::string says;
    } cases[] = {
        {fraction, "row 2 (south), column 2 (Sitta europaea) is 2.5:"},
        {abundancesOf({{1, 2.0000001}}), "row 1, column 2 is 2.0000001:"},
        {abundancesOf({{6e8, 4e8 + 1}}), "more than 1000000000 individuals"},
    };
    for (const auto& c : cases) {
        CountMargins margins;
        std::string error;
        EXPECT_FALSE(countMarginsOf(c.matrix, margins, error));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}
