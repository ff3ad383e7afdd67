// The NODF's null models: the draws of each model against their rules, the
// repair of empty lines, and the runs' tallies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "core/null_models/nodf_draws.h"
#include "support/matrices.h"
#include "support/random_draws.h"

using namespace bravolin;

namespace {

NodfDrawPlan plan;
// The random matrix the models draw into.
CellMatrix drawn;

// Makes rows the observed matrix the models draw from.
void setObservedMatrix(const Rows& rows)
{
    plan = planNodfDraws(matrixOf(rows));
    drawn.resize(plan.rows, plan.columns);
}

int workingRowOnes(int r)
{
    int ones = 0;
    for (int c = 0; c < plan.columns; c++)
        ones += drawn[r][c];
    return ones;
}

int workingColumnOnes(int c)
{
    int ones = 0;
    for (int r = 0; r < plan.rows; r++)
        ones += drawn[r][c];
    return ones;
}

void expectNoEmptyLine()
{
    for (int r = 0; r < plan.rows; r++)
        EXPECT_GE(workingRowOnes(r), 1) << "row " << r;
    for (int c = 0; c < plan.columns; c++)
        EXPECT_GE(workingColumnOnes(c), 1) << "column " << c;
}

}  // namespace

TEST(NodfNullModels, DrawIndexCoversZeroToKMinusOne)
{
    EXPECT_EQ(indexOfDraw(0, 9), 0);
    EXPECT_EQ(indexOfDraw(Generator::kMaxDraw, 9), 8);
    for (int draw : {0, 20000, Generator::kMaxDraw})
        EXPECT_EQ(indexOfDraw(draw, 1), 0);
    // 2 u just below and just above 0.5: halves go down.
    EXPECT_EQ(indexOfDraw(8191, 3), 0);
    EXPECT_EQ(indexOfDraw(8193, 3), 1);
}

TEST(NodfNullModels, ErAndCeAreRepairedUntilNoLineIsEmpty)
{
    setObservedMatrix({"0000", "0000", "0000"});
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        Generator generator(seed);
        drawNodfErMatrix(plan, generator, drawn);
        EXPECT_EQ(workingRowOnes(0) + workingRowOnes(1) + workingRowOnes(2), 0);
        repairEmptyLines(plan, generator, drawn);
        expectNoEmptyLine();
    }
    setObservedMatrix({"1100", "1000", "0000"});
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        Generator generator(seed);
        drawNodfCeMatrix(plan, generator, drawn);
        repairEmptyLines(plan, generator, drawn);
        expectNoEmptyLine();
    }
}

TEST(NodfNullModels, FullFillStillGivesZeroForTheLastDraw)
{
    setObservedMatrix({"111", "111"});
    EXPECT_EQ(plan.erThreshold, 10000);
    Generator last = generatorDrawingNext(Generator::kMaxDraw);
    drawNodfErMatrix(plan, last, drawn);
    EXPECT_EQ(drawn[0][0], 0);
    EXPECT_EQ(workingRowOnes(0) + workingRowOnes(1), 5);

    setObservedMatrix({"11", "10"});
    last = generatorDrawingNext(Generator::kMaxDraw);
    drawNodfCeMatrix(plan, last, drawn);
    EXPECT_EQ(drawn[0][0], 0);
    setObservedMatrix({"10", "00"});
    for (std::uint32_t seed = 1; seed <= 50; seed++) {
        Generator generator(seed);
        drawNodfCeMatrix(plan, generator, drawn);
        EXPECT_EQ(drawn[1][1], 0);
    }
}

TEST(NodfNullModels, LiKeepsRowTotalsAndCoColumnTotalsWithoutRepair)
{
    const Rows rows = {"0110100", "0000000", "1111111", "0010001", "1000000"};
    setObservedMatrix(rows);
    Generator generator(1);
    for (std::uint32_t seed = 1; seed <= 10; seed++) {
        generator = Generator(seed);
        drawNodfLiMatrix(plan, generator, drawn);
        for (int r = 0; r < plan.rows; r++) {
            int expected = 0;
            for (char cell : rows[static_cast<std::size_t>(r)])
                expected += cell == '1';
            EXPECT_EQ(workingRowOnes(r), expected);
        }
        drawNodfCoMatrix(plan, generator, drawn);
        for (int c = 0; c < plan.columns; c++) {
            int expected = 0;
            for (const std::string& row : rows)
                expected += row[static_cast<std::size_t>(c)] == '1';
            EXPECT_EQ(workingColumnOnes(c), expected);
        }
    }
    // The empty row of the observed matrix stays empty in Li.
    drawNodfLiMatrix(plan, generator, drawn);
    EXPECT_EQ(workingRowOnes(1), 0);
}

TEST(NodfNullModels, MatricesWithoutCellsDrawNothing)
{
    for (const Rows& rows : {Rows{}, Rows{""}}) {
        setObservedMatrix(rows);
        Generator generator(3);
        drawNodfErMatrix(plan, generator, drawn);
        repairEmptyLines(plan, generator, drawn);
        drawNodfCeMatrix(plan, generator, drawn);
        repairEmptyLines(plan, generator, drawn);
        drawNodfLiMatrix(plan, generator, drawn);
        drawNodfCoMatrix(plan, generator, drawn);
        // Not a single draw was taken.
        EXPECT_EQ(generator.state(), 3u);
    }
}

TEST(NodfNullModels, OnlyTotalsAboveTheObservedOneCount)
{
    const Matrix matrix = matrixOf(randomRows(10, 12, 0.4, 21));
    const NodfResult observed = analyseNodf(matrix, false);
    Generator generator(4);
    NullModelSettings settings;
    settings.simulations = 8;
    const NodfNullModels null = runNodfNullModels(matrix, observed, generator, settings);
    float erSum = 0;
    int above = 0;
    for (const auto& simulation : null.values) {
        erSum = static_cast<float>(static_cast<double>(erSum) + simulation[Er].total);
        above += simulation[Er].total > observed.nodf.total;
    }
    EXPECT_EQ(null.meanTotalEr, static_cast<float>(static_cast<double>(erSum) / 8));
    EXPECT_EQ(null.aboveEr, above);
}

namespace {

// The four models of mode N as their rules read, one draw at a time from a
// plain generator, with the repair of Er and Ce.
struct PlainGenerator {
    std::uint32_t state;
    int draw()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    int index(int k)
    {
        const float u = static_cast<float>(static_cast<double>(draw()) / 32767);
        const double scaled = (k - 1) * static_cast<double>(u);
        const int i = static_cast<int>(scaled);
        return i + 0.5 < scaled && i < k - 1 ? i + 1 : i;
    }
    bool cell(int threshold) { return static_cast<int>(10000 * (static_cast<double>(draw()) / 32767)) < threshold; }
};

int thresholdOf(double fraction)
{
    return fraction >= 0 && fraction <= 1 ? static_cast<int>(10000 * fraction) : 0;
}

Rows plainNodfModels(const Rows& observed, std::uint32_t seed)
{
    const int n = static_cast<int>(observed.size()), m = static_cast<int>(observed[0].size());
    PlainGenerator g{seed};
    Rows out, matrix(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(m), '0'));
    auto cellOf = [&](int r, int c) -> char& { return matrix[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
    auto at = [&](int r, int c) { return observed[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '1'; };
    auto repair = [&]() {
        for (int r = 0; r < n; r++)
            if (matrix[static_cast<std::size_t>(r)].find('1') == std::string::npos)
                cellOf(r, g.index(m)) = '1';
        for (int c = 0; c < m; c++) {
            bool empty = true;
            for (int r = 0; r < n; r++)
                empty = empty && cellOf(r, c) == '0';
            if (empty)
                cellOf(g.index(n), c) = '1';
        }
    };
    int ones = 0;
    for (int r = 0; r < n; r++)
        for (int c = 0; c < m; c++)
            ones += at(r, c);
    const float fill = static_cast<float>(static_cast<double>(ones) / (n * m));
    for (int r = 0; r < n; r++)
        for (int c = 0; c < m; c++)
            cellOf(r, c) = g.cell(thresholdOf(fill)) ? '1' : '0';
    repair();
    out.insert(out.end(), matrix.begin(), matrix.end());
    std::vector<float> rowFill(static_cast<std::size_t>(n)), columnFill(static_cast<std::size_t>(m));
    for (int r = 0; r < n; r++) {
        int count = 0;
        for (int c = 0; c < m; c++)
            count += at(r, c);
        rowFill[static_cast<std::size_t>(r)] = static_cast<float>(static_cast<double>(count) / m);
    }
    for (int c = 0; c < m; c++) {
        int count = 0;
        for (int r = 0; r < n; r++)
            count += at(r, c);
        columnFill[static_cast<std::size_t>(c)] = static_cast<float>(static_cast<double>(count) / n);
    }
    for (int r = 0; r < n; r++)
        for (int c = 0; c < m; c++)
            cellOf(r, c) = g.cell(thresholdOf((static_cast<double>(rowFill[static_cast<std::size_t>(r)]) +
                                               columnFill[static_cast<std::size_t>(c)]) / 2))
                               ? '1' : '0';
    repair();
    out.insert(out.end(), matrix.begin(), matrix.end());
    for (int r = 0; r < n; r++) {
        for (int c = 0; c < m; c++)
            cellOf(r, c) = '0';
        for (int c = 0; c < m; c++)
            if (at(r, c)) {
                int at;
                do
                    at = g.index(m);
                while (cellOf(r, at) == '1');
                cellOf(r, at) = '1';
            }
    }
    out.insert(out.end(), matrix.begin(), matrix.end());
    for (int c = 0; c < m; c++) {
        for (int r = 0; r < n; r++)
            cellOf(r, c) = '0';
        for (int r = 0; r < n; r++)
            if (at(r, c)) {
                int at;
                do
                    at = g.index(n);
                while (cellOf(at, c) == '1');
                cellOf(at, c) = '1';
            }
    }
    out.insert(out.end(), matrix.begin(), matrix.end());
    return out;
}

}  // namespace

TEST(NodfNullModels, DrawsMatchTheirRulesReadOneDrawAtATime)
{
    for (const Rows& observed : {Rows{"0110101", "1111000", "0000000", "1010101"}, Rows{"000", "000"},
                                 Rows{"1", "0", "1"}, Rows{"11011"}}) {
        for (std::uint32_t seed : {3u, 99u, 3000000000u}) {
            setObservedMatrix(observed);
            Generator generator(seed);
            Rows drawnRows;
            auto keep = [&drawnRows]() {
                for (int r = 0; r < plan.rows; r++)
                    drawnRows.push_back(std::string(drawn[r], drawn[r] + plan.columns));
            };
            drawNodfErMatrix(plan, generator, drawn);
            repairEmptyLines(plan, generator, drawn);
            keep();
            drawNodfCeMatrix(plan, generator, drawn);
            repairEmptyLines(plan, generator, drawn);
            keep();
            for (auto draw : {drawNodfLiMatrix, drawNodfCoMatrix}) {
                draw(plan, generator, drawn, {});
                keep();
            }
            for (std::string& row : drawnRows)
                for (char& cell : row)
                    cell = static_cast<char>('0' + cell);
            EXPECT_EQ(drawnRows, plainNodfModels(observed, seed)) << observed.size() << " rows, seed " << seed;
        }
    }
}
