// The independent textbook models draw every matrix that keeps their
// constraints with its exact probability: uniform for r00, r0 and c0,
// that of successive weighted sampling for r1 and r2. The same test finds
// the classic Li and Co biased.
#include <gtest/gtest.h>

#include <bitset>
#include <cstddef>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/stream_generator.h"
#include "core/null_models/classic_draws.h"
#include "core/null_models/textbook_draws.h"
#include "support/matrices.h"
#include "support/matrix_census.h"

using namespace bravolin;

namespace {

constexpr int kDraws = 200000;

// Rows totalling 2, 2, 1, 1 and columns 3, 2, 1, 0: 576 matrices keep its
// row totals, 96 its column totals.
const Rows kSmall = {"1100", "1010", "0100", "1000"};

enum class Kept { Fill, Rows, Columns };

std::vector<MatrixMask> membersKeeping(Kept kept, const Matrix& observed)
{
    const Margins margins = marginsOf(observed);
    const int rows = margins.rows, columns = margins.columns;
    switch (kept) {
    case Kept::Fill:
        return enumerateMatrices(rows, columns, {}, [&](MatrixMask m) {
            return static_cast<long long>(std::bitset<32>(m).count()) == margins.presences;
        });
    case Kept::Rows:
        return enumerateMatrices(rows, columns, margins.rowTotals, [](MatrixMask) { return true; });
    case Kept::Columns:
        return enumerateMatrices(rows, columns, {}, [&](MatrixMask m) {
            return columnTotalsOf(m, rows, columns) == margins.columnTotals;
        });
    }
    return {};
}

// The chance that successive draws without replacement, each column with a
// chance of its weight among those left (left in total), take exactly the
// columns of set: the sum over the orders of drawing them.
double chanceOfSet(unsigned set, const std::vector<double>& weights, double left)
{
    if (set == 0)
        return 1;
    double chance = 0;
    for (std::size_t c = 0; c < weights.size(); c++)
        if ((set >> c & 1u) && weights[c] > 0)
            chance += weights[c] / left * chanceOfSet(set & ~(1u << c), weights, left - weights[c]);
    return chance;
}

std::vector<double> weightedRowChances(const std::vector<MatrixMask>& members, const Margins& margins, int power)
{
    std::vector<double> weights;
    double total = 0;
    for (int t : margins.columnTotals) {
        weights.push_back(power == 1 ? t : static_cast<double>(t) * t);
        total += weights.back();
    }
    const unsigned rowMask = (1u << margins.columns) - 1;
    std::vector<double> chances;
    for (MatrixMask m : members) {
        double chance = 1;
        for (int r = 0; r < margins.rows; r++)
            chance *= chanceOfSet(m >> (r * margins.columns) & rowMask, weights, total);
        chances.push_back(chance);
    }
    return chances;
}

}  // namespace

// The tests' measure: the chi-square upper tail at R's qchisq quantiles.
TEST(TextbookDraws, TheChiSquareTailIsRight)
{
    EXPECT_NEAR(chiSquareUpperTail(3.84145882069, 1), 0.05, 1e-11);
    EXPECT_NEAR(chiSquareUpperTail(23.20925115895, 10), 0.01, 1e-12);
    EXPECT_NEAR(chiSquareUpperTail(1072.20773384571, 933), 0.001, 1e-13);
}

TEST(TextbookDraws, EveryModelDrawsTheExactDistributionOfItsConstraints)
{
    using Draw = void (*)(const Margins&, StreamGenerator&, CellMatrix&, const StopRequest&);
    struct Case {
        const char* name;
        Rows observed;
        Kept kept;
        Draw draw;
        int weightPower;  // r1 and r2: the power of the column totals; else 0
    };
    const Case cases[] = {
        {"r00", {"1100", "0010", "0001"}, Kept::Fill, drawR00, 0},  // 495 matrices
        {"r00 of a full matrix", {"111", "110"}, Kept::Fill, drawR00, 0},
        {"r0", kSmall, Kept::Rows, drawR0, 0},
        {"c0", kSmall, Kept::Columns, drawC0, 0},
        {"r1", kSmall, Kept::Rows, drawR1, 1},
        {"r2", kSmall, Kept::Rows, drawR2, 2},
        // Weights 25, 1 and 1: a row of two presences that drew the first
        // column draws its second from the tree of the columns left.
        {"r2 through its tree", {"110", "100", "100", "101", "100"}, Kept::Rows, drawR2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Matrix observed = matrixOf(c.observed);
        const Margins margins = marginsOf(observed);
        const std::vector<MatrixMask> members = membersKeeping(c.kept, observed);
        const std::vector<double> chances =
            c.weightPower == 0 ? uniformOver(members) : weightedRowChances(members, margins, c.weightPower);
        StreamGenerator generator(2024);
        CellMatrix out;
        const CensusFit census = fitDraws(members, chances, kDraws, [&] {
            c.draw(margins, generator, out, {});
            return maskOf(out, margins.rows, margins.columns);
        });
        EXPECT_EQ(census.outside, 0);
        EXPECT_GT(census.fit.p, 0.001) << "chi-square " << census.fit.statistic << " on " << census.fit.degrees;
    }
}

// Mode N's classic position draw gives the first and the last position half
// the weight of the others: over the same matrices the test rejects it.
TEST(TextbookDraws, TheTestFindsTheClassicLiAndCoBiased)
{
    const Matrix observed = matrixOf(kSmall);
    const ClassicDrawPlan plan =
        planClassicDraws<NodfDrawRules>(cellMatrixOf(kSmall, 0), observed.rows(), observed.columns());
    struct Case {
        const char* name;
        Kept kept;
        void (*draw)(const ClassicDrawPlan&, Generator&, CellMatrix&, const StopRequest&);
    };
    const Case cases[] = {{"Li", Kept::Rows, drawLiMatrix<NodfDrawRules>},
                          {"Co", Kept::Columns, drawCoMatrix<NodfDrawRules>}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<MatrixMask> members = membersKeeping(c.kept, observed);
        Generator generator(2024);
        CellMatrix out;
        out.resize(plan.rows, plan.columns);
        const CensusFit census = fitDraws(members, uniformOver(members), kDraws, [&] {
            c.draw(plan, generator, out, {});
            return maskOf(out, plan.rows, plan.columns);
        });
        EXPECT_EQ(census.outside, 0);
        EXPECT_LT(census.fit.p, 1e-9);
    }
}
