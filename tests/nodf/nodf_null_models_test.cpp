#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/random.h"
#include "common/shared_state.h"
#include "nodf/nodf_metric.h"
#include "nodf/nodf_null_models.h"
#include "support/random_draws.h"
#include "support/scratch.h"

using Rows = std::vector<std::string>;

namespace {

// The random matrix the models draw into.
CellMatrix drawn;

// Sets PresenceMatrix (from index 0) and the size of the observed matrix.
void setObservedMatrix(const Rows& rows)
{
    rowCount = static_cast<int>(rows.size());
    columnCount = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (int r = 0; r < rowCount; r++)
        for (int c = 0; c < columnCount; c++)
            PresenceMatrix[r][c] = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '1';
    drawn.resize(rowCount, columnCount);
}

int workingRowOnes(int r)
{
    int ones = 0;
    for (int c = 0; c < columnCount; c++)
        ones += drawn[r][c];
    return ones;
}

int workingColumnOnes(int c)
{
    int ones = 0;
    for (int r = 0; r < rowCount; r++)
        ones += drawn[r][c];
    return ones;
}

void expectNoEmptyLine()
{
    for (int r = 0; r < rowCount; r++)
        EXPECT_GE(workingRowOnes(r), 1) << "row " << r;
    for (int c = 0; c < columnCount; c++)
        EXPECT_GE(workingColumnOnes(c), 1) << "column " << c;
}

}  // namespace

TEST(NodfNullModels, DrawIndexCoversZeroToKMinusOne)
{
    seedForNextDraw(0);
    EXPECT_EQ(drawIndex(9), 0);
    seedForNextDraw(kRandomMax);
    EXPECT_EQ(drawIndex(9), 8);
    for (int draw : {0, 20000, kRandomMax}) {
        seedForNextDraw(draw);
        EXPECT_EQ(drawIndex(1), 0);
    }
    // 2 u just below and just above 0.5: halves go down.
    seedForNextDraw(8191);
    EXPECT_EQ(drawIndex(3), 0);
    seedForNextDraw(8193);
    EXPECT_EQ(drawIndex(3), 1);
}

TEST(NodfNullModels, ErAndCeAreRepairedUntilNoLineIsEmpty)
{
    setObservedMatrix({"0000", "0000", "0000"});
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        seedRandom(seed);
        drawNodfErMatrix(planNodfDraws(), drawn);
        EXPECT_EQ(workingRowOnes(0) + workingRowOnes(1) + workingRowOnes(2), 0);
        repairEmptyLines(planNodfDraws(), drawn);
        expectNoEmptyLine();
    }
    setObservedMatrix({"1100", "1000", "0000"});
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        seedRandom(seed);
        drawNodfCeMatrix(planNodfDraws(), drawn);
        repairEmptyLines(planNodfDraws(), drawn);
        expectNoEmptyLine();
    }
}

TEST(NodfNullModels, FullFillStillGivesZeroForTheLastDraw)
{
    setObservedMatrix({"111", "111"});
    seedForNextDraw(kRandomMax);
    drawNodfErMatrix(planNodfDraws(), drawn);
    EXPECT_EQ(fillFraction, 1.0f);
    EXPECT_EQ(drawn[0][0], 0);
    EXPECT_EQ(workingRowOnes(0) + workingRowOnes(1), 5);

    setObservedMatrix({"11", "10"});
    seedForNextDraw(kRandomMax);
    drawNodfCeMatrix(planNodfDraws(), drawn);
    EXPECT_EQ(drawn[0][0], 0);
    setObservedMatrix({"10", "00"});
    for (std::uint32_t seed = 1; seed <= 50; seed++) {
        seedRandom(seed);
        drawNodfCeMatrix(planNodfDraws(), drawn);
        EXPECT_EQ(drawn[1][1], 0);
    }
}

TEST(NodfNullModels, LiKeepsRowTotalsAndCoColumnTotalsWithoutRepair)
{
    const Rows rows = {"0110100", "0000000", "1111111", "0010001", "1000000"};
    setObservedMatrix(rows);
    for (std::uint32_t seed = 1; seed <= 10; seed++) {
        seedRandom(seed);
        drawNodfLiMatrix(planNodfDraws(), drawn);
        for (int r = 0; r < rowCount; r++) {
            int expected = 0;
            for (char cell : rows[static_cast<std::size_t>(r)])
                expected += cell == '1';
            EXPECT_EQ(workingRowOnes(r), expected);
        }
        drawNodfCoMatrix(planNodfDraws(), drawn);
        for (int c = 0; c < columnCount; c++) {
            int expected = 0;
            for (const std::string& row : rows)
                expected += row[static_cast<std::size_t>(c)] == '1';
            EXPECT_EQ(workingColumnOnes(c), expected);
        }
    }
    // The empty row of the observed matrix stays empty in Li.
    drawNodfLiMatrix(planNodfDraws(), drawn);
    EXPECT_EQ(workingRowOnes(1), 0);
}

TEST(NodfNullModels, MatricesWithoutCellsDrawNothing)
{
    for (const Rows& rows : {Rows{}, Rows{""}}) {
        setObservedMatrix(rows);
        seedRandom(3);
        drawNodfErMatrix(planNodfDraws(), drawn);
        repairEmptyLines(planNodfDraws(), drawn);
        drawNodfCeMatrix(planNodfDraws(), drawn);
        repairEmptyLines(planNodfDraws(), drawn);
        drawNodfLiMatrix(planNodfDraws(), drawn);
        drawNodfCoMatrix(planNodfDraws(), drawn);
        // Not a single draw was taken.
        const int next = drawRandom();
        seedRandom(3);
        EXPECT_EQ(next, drawRandom());
    }
}

TEST(NodfNullModels, EqualTotalsDoNotCountAndOneRunGivesItsOwnMeans)
{
    // Every random matrix of a full matrix is full (unless a draw is
    // 32767), with a total NODF of 0, equal to the observed one.
    ScratchDirectory dir;
    dir.enter();
    setObservedMatrix({"111", "111", "111"});
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
            drawn[r][c] = 1;
    std::strcpy(currentFileName, "FULL.TXT");
    orderMatrix = 1;
    nullModelsEnabled = 1;
    simulationCount = 1;
    testing::internal::CaptureStdout();
    NodfContext observed;
    computeObservedNodf(observed, drawn, 3, 3);
    seedRandom(12);
    runNodfNullModels(SimulationThreads{1});
    completeNodfSummaryLine();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console.rfind("Run: 0001 (Last run: 0.5 s - Remaining: 00:16:39 - Elapsed: 00:00:00)  \r", 0), 0u);
    EXPECT_EQ(erExceedCount + ceExceedCount, 0);
    // The observed values, then the Er mean and P value, the Ce mean and P value.
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "0.00 0.00 0.00 0.00 0.00 0.00 0.00\n");
    EXPECT_EQ(splitLines(dir.read("FULL_TotalNestedness_ER.TXT")), (std::vector<std::string>{"0.00"}));
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
            const NodfDrawPlan plan = planNodfDraws();
            seedRandom(seed);
            Rows drawnRows;
            drawNodfErMatrix(plan, drawn);
            repairEmptyLines(plan, drawn);
            for (int r = 0; r < rowCount; r++)
                drawnRows.push_back(std::string(drawn[r], drawn[r] + columnCount));
            drawNodfCeMatrix(plan, drawn);
            repairEmptyLines(plan, drawn);
            for (int r = 0; r < rowCount; r++)
                drawnRows.push_back(std::string(drawn[r], drawn[r] + columnCount));
            for (auto draw : {drawNodfLiMatrix, drawNodfCoMatrix}) {
                draw(plan, drawn);
                for (int r = 0; r < rowCount; r++)
                    drawnRows.push_back(std::string(drawn[r], drawn[r] + columnCount));
            }
            for (std::string& row : drawnRows)
                for (char& cell : row)
                    cell = static_cast<char>('0' + cell);
            EXPECT_EQ(drawnRows, plainNodfModels(observed, seed)) << observed.size() << " rows, seed " << seed;
        }
    }
}
