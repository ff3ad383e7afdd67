// The temperature's null models: the draws of each model against their
// rules, the block they randomise, and the runs' tallies.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "core/null_models/temperature_draws.h"
#include "support/matrices.h"
#include "support/random_draws.h"

using namespace bravolin;

namespace {

PackingContext observedBlock;
TemperatureDrawPlan plan;
// The random matrix the models draw into.
CellMatrix drawn;

// Makes rows the block the models randomise.
void setObservedBlock(const Rows& rows)
{
    loadPacking(observedBlock, rows);
    plan = planTemperatureDraws(observedBlock.matrix, observedBlock.rowCount, observedBlock.columnCount);
    drawn.resize(plan.rows, plan.columns);
}

int workingRowOnes(int i)
{
    int ones = 0;
    for (int j = 1; j <= plan.columns; j++)
        ones += drawn[i][j];
    return ones;
}

int workingColumnOnes(int j)
{
    int ones = 0;
    for (int i = 1; i <= plan.rows; i++)
        ones += drawn[i][j];
    return ones;
}

}  // namespace

TEST(TemperatureNullModels, DrawPositionCoversOneToK)
{
    EXPECT_EQ(positionOfDraw(0, 7), 1);
    EXPECT_EQ(positionOfDraw(Generator::kMaxDraw, 7), 7);
    for (int draw : {0, 16384, Generator::kMaxDraw})
        EXPECT_EQ(positionOfDraw(draw, 1), 1);
    // 3 u just below and just above 1.5: halves go down.
    EXPECT_EQ(positionOfDraw(16383, 3), 1);
    EXPECT_EQ(positionOfDraw(16384, 3), 2);
}

TEST(TemperatureNullModels, ErRepairLeavesNoEmptyRowOrColumn)
{
    setObservedBlock({"0000", "0000", "0000"});
    EXPECT_EQ(plan.erThreshold, 0);
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        Generator generator(seed);
        drawErMatrix(plan, generator, drawn);
        int total = 0;
        for (int i = 1; i <= 3; i++) {
            EXPECT_GE(workingRowOnes(i), 1);
            total += workingRowOnes(i);
        }
        for (int j = 1; j <= 4; j++)
            EXPECT_GE(workingColumnOnes(j), 1);
        EXPECT_LE(total, 3 + 4 - 1);
    }
}

TEST(TemperatureNullModels, FullThresholdStillGivesZeroForTheLastDraw)
{
    setObservedBlock({"111", "111"});
    EXPECT_EQ(plan.erThreshold, 10000);
    Generator last = generatorDrawingNext(Generator::kMaxDraw);
    drawErMatrix(plan, last, drawn);
    EXPECT_EQ(drawn[1][1], 0);
    EXPECT_EQ(workingRowOnes(1) + workingRowOnes(2), 5);

    // Ce: a full row crossing a full column has threshold 10000; an empty
    // row crossing an empty column has threshold 0.
    setObservedBlock({"11", "10"});
    last = generatorDrawingNext(Generator::kMaxDraw);
    drawCeMatrix(plan, last, drawn);
    EXPECT_EQ(drawn[1][1], 0);
    Generator almostLast = generatorDrawingNext(Generator::kMaxDraw - 1);
    drawCeMatrix(plan, almostLast, drawn);
    EXPECT_EQ(drawn[1][1], 1);
    setObservedBlock({"10", "00"});
    for (std::uint32_t seed = 1; seed <= 50; seed++) {
        Generator generator(seed);
        drawCeMatrix(plan, generator, drawn);
        EXPECT_EQ(drawn[2][2], 0);
    }
}

TEST(TemperatureNullModels, LiKeepsRowTotalsAndCoColumnTotals)
{
    const Rows rows = randomRows(9, 13, 0.4, 3);
    setObservedBlock(rows);
    for (std::uint32_t seed = 1; seed <= 10; seed++) {
        Generator generator(seed);
        drawLiMatrix(plan, generator, drawn);
        for (int i = 1; i <= 9; i++) {
            int expected = 0;
            for (char cell : rows[static_cast<std::size_t>(i - 1)])
                expected += cell == '1';
            EXPECT_EQ(workingRowOnes(i), expected);
        }
        drawCoMatrix(plan, generator, drawn);
        for (int j = 1; j <= 13; j++) {
            int expected = 0;
            for (const std::string& row : rows)
                expected += row[static_cast<std::size_t>(j - 1)] == '1';
            EXPECT_EQ(workingColumnOnes(j), expected);
        }
    }
}

TEST(TemperatureNullModels, ModelsDrawFromTheRowsAndColumnsThatWereAnalysed)
{
    // Trimmed matrices keep the rows and columns that survived, in the
    // matrix's order; without trimming the block is the matrix as read.
    const Rows observed[] = {{"111", "111", "100", "000"}, {"110", "100", "000"}, {"0100", "1111", "0110", "1101"}};
    const Rows kept[] = {{"111", "100"}, {"11", "10"}, {"0100", "1111", "0110", "1101"}};
    for (int example = 0; example < 3; example++) {
        const Matrix matrix = matrixOf(observed[example]);
        int rows = 0, columns = 0;
        const CellMatrix block = analysedBlock(matrix, analyseTemperature(matrix), &rows, &columns);
        EXPECT_EQ(matrixRows(block, rows, columns), kept[example]);
    }
}

TEST(TemperatureNullModels, MeansAndColderCountsOverTheSimulations)
{
    // On three threads: the means and counts are those of the simulations
    // in order, summed in single precision.
    const Matrix matrix = matrixOf(randomRows(12, 15, 0.35, 8));
    const TemperatureResult observed = analyseTemperature(matrix);
    Generator generator(11);
    NullModelSettings settings;
    settings.simulations = 6;
    settings.threads = 3;
    const TemperatureNullModels null = runTemperatureNullModels(matrix, observed, generator, settings);
    ASSERT_EQ(null.temperatures.size(), 6u);
    float erSum = 0, ceSum = 0;
    int erColder = 0, ceColder = 0;
    for (const auto& simulation : null.temperatures) {
        erSum = static_cast<float>(static_cast<double>(erSum) + simulation[Er]);
        ceSum = static_cast<float>(static_cast<double>(ceSum) + simulation[Ce]);
        erColder += simulation[Er] <= observed.temperature;
        ceColder += simulation[Ce] <= observed.temperature;
    }
    EXPECT_EQ(null.meanEr, static_cast<float>(static_cast<double>(erSum) / 6));
    EXPECT_EQ(null.meanCe, static_cast<float>(static_cast<double>(ceSum) / 6));
    EXPECT_EQ(null.colderEr, erColder);
    EXPECT_EQ(null.colderCe, ceColder);
}

namespace {

// The four models as their rules read, one draw at a time from a plain
// generator: the tables, plans and batched generator must give these very
// matrices.
struct PlainGenerator {
    std::uint32_t state;
    int draw()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    int position(int k)
    {
        const float u = static_cast<float>(static_cast<double>(draw()) / 32767);
        const double scaled = k * static_cast<double>(u);
        int p = static_cast<int>(scaled);
        if (p + 0.5 < scaled && p < k)
            p++;
        return p == 0 ? 1 : p;
    }
    int cell(int threshold) { return static_cast<int>(static_cast<double>(draw()) / 32767 * 10000) < threshold; }
};

Rows plainModels(const Rows& observed, std::uint32_t seed)
{
    const int m = static_cast<int>(observed.size()), n = static_cast<int>(observed[0].size());
    auto at = [&](int i, int j) { return observed[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] == '1'; };
    PlainGenerator g{seed};
    Rows out;
    std::vector<std::string> matrix(static_cast<std::size_t>(m), std::string(static_cast<std::size_t>(n), '0'));
    auto cellOf = [&](int i, int j) -> char& { return matrix[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)]; };
    int ones = 0;
    for (int i = 1; i <= m; i++)
        for (int j = 1; j <= n; j++)
            ones += at(i, j);
    const float fill = static_cast<float>(static_cast<double>(ones) / (m * n));
    for (int i = 1; i <= m; i++)
        for (int j = 1; j <= n; j++)
            cellOf(i, j) = g.cell(static_cast<int>(static_cast<double>(fill) * 10000)) ? '1' : '0';
    for (int i = 1; i <= m; i++)
        if (matrix[static_cast<std::size_t>(i - 1)].find('1') == std::string::npos)
            cellOf(i, g.position(n)) = '1';
    for (int j = 1; j <= n; j++) {
        bool empty = true;
        for (int i = 1; i <= m; i++)
            empty = empty && cellOf(i, j) == '0';
        if (empty)
            cellOf(g.position(m), j) = '1';
    }
    out.insert(out.end(), matrix.begin(), matrix.end());
    std::vector<float> rowFill(static_cast<std::size_t>(m) + 1), columnFill(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= m; i++) {
        int count = 0;
        for (int j = 1; j <= n; j++)
            count += at(i, j);
        rowFill[static_cast<std::size_t>(i)] = static_cast<float>(static_cast<double>(count) / n);
    }
    for (int j = 1; j <= n; j++) {
        int count = 0;
        for (int i = 1; i <= m; i++)
            count += at(i, j);
        columnFill[static_cast<std::size_t>(j)] = static_cast<float>(static_cast<double>(count) / m);
    }
    for (int i = 1; i <= m; i++)
        for (int j = 1; j <= n; j++)
            cellOf(i, j) = g.cell(static_cast<int>((static_cast<double>(rowFill[static_cast<std::size_t>(i)]) +
                                                    columnFill[static_cast<std::size_t>(j)]) / 2 * 10000))
                               ? '1' : '0';
    out.insert(out.end(), matrix.begin(), matrix.end());
    for (int i = 1; i <= m; i++) {
        for (int j = 1; j <= n; j++)
            cellOf(i, j) = '0';
        for (int j = 1; j <= n; j++)
            if (at(i, j)) {
                int c;
                do
                    c = g.position(n);
                while (cellOf(i, c) == '1');
                cellOf(i, c) = '1';
            }
    }
    out.insert(out.end(), matrix.begin(), matrix.end());
    for (int j = 1; j <= n; j++) {
        for (int i = 1; i <= m; i++)
            cellOf(i, j) = '0';
        for (int i = 1; i <= m; i++)
            if (at(i, j)) {
                int r;
                do
                    r = g.position(m);
                while (cellOf(r, j) == '1');
                cellOf(r, j) = '1';
            }
    }
    out.insert(out.end(), matrix.begin(), matrix.end());
    return out;
}

}  // namespace

TEST(TemperatureNullModels, DrawsMatchTheirRulesReadOneDrawAtATime)
{
    for (const Rows& observed : {randomRows(17, 23, 0.3, 1), randomRows(40, 9, 0.8, 2),
                                 Rows{"0000", "0000"}, Rows{"1", "1"}, Rows{"10110"}}) {
        for (std::uint32_t seed : {1u, 77u, 4000000000u}) {
            setObservedBlock(observed);
            Generator generator(seed);
            Rows drawnRows;
            for (auto draw : {drawErMatrix, drawCeMatrix, drawLiMatrix, drawCoMatrix}) {
                draw(plan, generator, drawn, {});
                for (const std::string& row : matrixRows(drawn, plan.rows, plan.columns))
                    drawnRows.push_back(row);
            }
            EXPECT_EQ(drawnRows, plainModels(observed, seed)) << observed.size() << " rows, seed " << seed;
        }
    }
}
