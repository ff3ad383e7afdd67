#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/random.h"
#include "common/shared_state.h"
#include "packing/pack_report.h"
#include "packing/packing.h"
#include "support/mode_t_matrix.h"
#include "support/random_draws.h"
#include "support/scratch.h"
#include "temperature/temperature.h"
#include "temperature/temperature_null_models.h"

using Rows = std::vector<std::string>;

namespace {

PackingContext packed;
TemperatureContext measured;
// The random matrix the models draw into.
CellMatrix drawn;

// Sets PresenceMatrix to rows as the null models' observed block.
void setObservedBlock(const Rows& rows)
{
    loadObservedMatrix(packed, rows);
    savedRowCount = rowCount;
    savedColumnCount = columnCount;
    drawn.resize(savedRowCount, savedColumnCount);
}

int workingRowOnes(int i)
{
    int ones = 0;
    for (int j = 1; j <= savedColumnCount; j++)
        ones += drawn[i][j];
    return ones;
}

int workingColumnOnes(int j)
{
    int ones = 0;
    for (int i = 1; i <= savedRowCount; i++)
        ones += drawn[i][j];
    return ones;
}

std::vector<std::string> presenceRows(int rows, int columns)
{
    std::vector<std::string> text;
    for (int i = 1; i <= rows; i++) {
        std::string row;
        for (int j = 1; j <= columns; j++)
            row += static_cast<char>('0' + PresenceMatrix[i][j]);
        text.push_back(row);
    }
    return text;
}

}  // namespace

TEST(TemperatureNullModels, DrawPositionCoversOneToK)
{
    seedForNextDraw(0);
    EXPECT_EQ(drawPosition(7), 1);
    seedForNextDraw(kRandomMax);
    EXPECT_EQ(drawPosition(7), 7);
    for (int draw : {0, 16384, kRandomMax}) {
        seedForNextDraw(draw);
        EXPECT_EQ(drawPosition(1), 1);
    }
    // 3 u just below and just above 1.5: halves go down.
    seedForNextDraw(16383);
    EXPECT_EQ(drawPosition(3), 1);
    seedForNextDraw(16384);
    EXPECT_EQ(drawPosition(3), 2);
}

TEST(TemperatureNullModels, ErRepairLeavesNoEmptyRowOrColumn)
{
    setObservedBlock({"0000", "0000", "0000"});
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        seedRandom(seed);
        drawErMatrix(planTemperatureDraws(), drawn);
        EXPECT_EQ(fillFraction, 0.0f);
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
    seedForNextDraw(kRandomMax);
    drawErMatrix(planTemperatureDraws(), drawn);
    EXPECT_EQ(fillFraction, 1.0f);
    EXPECT_EQ(drawn[1][1], 0);
    EXPECT_EQ(workingRowOnes(1) + workingRowOnes(2), 5);

    // Ce: a full row crossing a full column has threshold 10000; an empty
    // row crossing an empty column has threshold 0.
    setObservedBlock({"11", "10"});
    seedForNextDraw(kRandomMax);
    drawCeMatrix(planTemperatureDraws(), drawn);
    EXPECT_EQ(drawn[1][1], 0);
    seedForNextDraw(kRandomMax - 1);
    drawCeMatrix(planTemperatureDraws(), drawn);
    EXPECT_EQ(drawn[1][1], 1);
    setObservedBlock({"10", "00"});
    for (std::uint32_t seed = 1; seed <= 50; seed++) {
        seedRandom(seed);
        drawCeMatrix(planTemperatureDraws(), drawn);
        EXPECT_EQ(drawn[2][2], 0);
    }
}

TEST(TemperatureNullModels, LiKeepsRowTotalsAndCoColumnTotals)
{
    const Rows rows = randomRows(9, 13, 0.4, 3);
    setObservedBlock(rows);
    for (std::uint32_t seed = 1; seed <= 10; seed++) {
        seedRandom(seed);
        drawLiMatrix(planTemperatureDraws(), drawn);
        for (int i = 1; i <= 9; i++) {
            int expected = 0;
            for (char cell : rows[static_cast<std::size_t>(i - 1)])
                expected += cell == '1';
            EXPECT_EQ(workingRowOnes(i), expected);
        }
        drawCoMatrix(planTemperatureDraws(), drawn);
        for (int j = 1; j <= 13; j++) {
            int expected = 0;
            for (const std::string& row : rows)
                expected += row[static_cast<std::size_t>(j - 1)] == '1';
            EXPECT_EQ(workingColumnOnes(j), expected);
        }
    }
}

TEST(TemperatureNullModels, SameSeedSameMatrices)
{
    setObservedBlock(randomRows(8, 11, 0.3, 4));
    std::vector<std::string> first, second;
    for (std::vector<std::string>* out : {&first, &second}) {
        seedRandom(99);
        for (auto draw : {drawErMatrix, drawCeMatrix, drawLiMatrix, drawCoMatrix}) {
            draw(planTemperatureDraws(), drawn);
            for (const std::string& row : matrixRows(drawn, savedRowCount, savedColumnCount))
                out->push_back(row);
        }
    }
    EXPECT_EQ(first, second);
}

TEST(TemperatureNullModels, ModelsDrawFromTheRowsAndColumnsThatWereAnalysed)
{
    ScratchDirectory dir;
    dir.enter();
    // Trimmed matrices keep the rows and columns that survived, in file
    // order; without trimming the block is the matrix as read.
    const Rows observed[] = {{"111", "111", "100", "000"}, {"110", "100", "000"}, {"0100", "1111", "0110", "1101"}};
    const Rows kept[] = {{"111", "100"}, {"11", "10"}, {"0100", "1111", "0110", "1101"}};
    for (int example = 0; example < 3; example++) {
        loadObservedMatrix(packed, observed[example]);
        testing::internal::CaptureStdout();
        packMatrix(packed, PackRun::Observed);
        testing::internal::GetCapturedStdout();
        savedRowCount = packed.rowCount;
        savedColumnCount = packed.columnCount;
        keepAnalysedBlock(packed);
        EXPECT_EQ(presenceRows(savedRowCount, savedColumnCount), kept[example]);
    }
}

namespace {

// Analyses rows as the observed matrix of fileName, then runs its null
// models from seed; returns the console text.
std::string runNullModelsOf(const Rows& rows, const char* fileName, int simulations, std::uint32_t seed,
                            int threads = 1)
{
    loadObservedMatrix(packed, rows, fileName);
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    computeTemperature(measured, packed);
    observedTemperature = measured.matrixTemperature;
    savedRowCount = packed.rowCount;
    savedColumnCount = packed.columnCount;
    simulationCount = simulations;
    seedRandom(seed);
    runTemperatureNullModels(packed, SimulationThreads{threads});
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(TemperatureNullModels, OneSimulationOfAOneCellMatrix)
{
    // Every random matrix of one full cell is that cell: temperature 0.00,
    // equal to the observed one, which counts toward P.
    ScratchDirectory dir;
    dir.enter();
    const std::string progress = runNullModelsOf({"1"}, "ONE.TXT", 1, 5);
    EXPECT_EQ(progress.substr(0, 9), "0000 - /\r");
    EXPECT_NE(progress.find("0001 - "), std::string::npos);
    EXPECT_EQ(dir.read("ONE.NULL"), "Er    Ce    Li    Co    \n00.00 00.00 00.00 00.00\n");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "0.00 1.00 0.00 1.00\n");
    EXPECT_EQ(runNumber, 2);
}

TEST(TemperatureNullModels, MeansAndColderCountsOverTheSimulations)
{
    ScratchDirectory dir;
    dir.enter();
    // On three threads, in this process: the means and counts are those of
    // the simulations in order.
    runNullModelsOf(randomRows(12, 15, 0.35, 8), "R.TXT", 6, 11, 3);

    std::vector<std::string> lines = splitLines(dir.read("R.NULL"));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Er    Ce    Li    Co    ");
    lines.erase(lines.begin());
    double erSum = 0, ceSum = 0;
    int erColder = 0, ceColder = 0;
    for (const std::string& line : lines) {
        float er, ce, li, co;
        ASSERT_EQ(std::sscanf(line.c_str(), "%f %f %f %f", &er, &ce, &li, &co), 4) << line;
        ASSERT_EQ(line.size(), 23u) << line;
        erSum += er;
        ceSum += ce;
        erColder += er <= observedTemperature;
        ceColder += ce <= observedTemperature;
    }
    char expected[64];
    std::snprintf(expected, sizeof expected, "%02.2f %02.2f %02.2f %02.2f\n", erSum / 6, erColder / 6.0,
                  ceSum / 6, ceColder / 6.0);
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), expected);
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
            const TemperatureDrawPlan plan = planTemperatureDraws();
            seedRandom(seed);
            Rows drawnRows;
            for (auto draw : {drawErMatrix, drawCeMatrix, drawLiMatrix, drawCoMatrix}) {
                draw(plan, drawn);
                for (const std::string& row : matrixRows(drawn, savedRowCount, savedColumnCount))
                    drawnRows.push_back(row);
            }
            EXPECT_EQ(drawnRows, plainModels(observed, seed)) << observed.size() << " rows, seed " << seed;
        }
    }
}
