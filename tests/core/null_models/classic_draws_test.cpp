// The classic null models of both analyses: their positions, repairs,
// thresholds and totals, and every draw against the definitions read one
// draw at a time.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "core/null_models/classic_draws.h"
#include "support/classic_draws_reference.h"
#include "support/matrices.h"
#include "support/random_draws.h"

using namespace bravolin;

TEST(ClassicDraws, PositionsCoverTheLinesOfEachIndexBase)
{
    struct Case {
        int (*position)(int, int);
        int draw, k, expected;
    };
    const int last = Generator::kMaxDraw;
    const Case cases[] = {
        // The temperature's: 1 to k; 3 u just below and above 1.5: halves go down.
        {TemperatureDrawRules::position, 0, 7, 1}, {TemperatureDrawRules::position, last, 7, 7},
        {TemperatureDrawRules::position, 0, 1, 1}, {TemperatureDrawRules::position, 16384, 1, 1},
        {TemperatureDrawRules::position, last, 1, 1}, {TemperatureDrawRules::position, 16383, 3, 1},
        {TemperatureDrawRules::position, 16384, 3, 2},
        // The NODF's: 0 to k - 1; 2 u just below and above 0.5.
        {NodfDrawRules::position, 0, 9, 0}, {NodfDrawRules::position, last, 9, 8},
        {NodfDrawRules::position, 0, 1, 0}, {NodfDrawRules::position, 20000, 1, 0},
        {NodfDrawRules::position, last, 1, 0}, {NodfDrawRules::position, 8191, 3, 0},
        {NodfDrawRules::position, 8193, 3, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.position(c.draw, c.k), c.expected) << "draw " << c.draw << ", k " << c.k;
}

namespace {

template <typename Rules>
class ClassicDrawsOf : public testing::Test {
protected:
    static constexpr int o = Rules::kOrigin;

    // Makes rows the block the models randomise.
    void observe(const Rows& rows)
    {
        plan = planClassicDraws<Rules>(cellMatrixOf(rows, o), static_cast<int>(rows.size()),
                                       rows.empty() ? 0 : static_cast<int>(rows[0].size()));
        drawn[0].resize(plan.rows, plan.columns);
    }

    Rows rowsOf(const CellMatrix& matrix) const { return matrixRows(matrix, plan.rows, plan.columns, o); }

    static int ones(const std::string& line)
    {
        int count = 0;
        for (char cell : line)
            count += cell == '1';
        return count;
    }

    static std::string column(const Rows& rows, std::size_t j)
    {
        std::string cells;
        for (const std::string& row : rows)
            cells += row[j];
        return cells;
    }

    void expectNoEmptyLine(const CellMatrix& matrix) const
    {
        const Rows rows = rowsOf(matrix);
        for (const std::string& row : rows)
            EXPECT_GE(ones(row), 1);
        for (std::size_t j = 0; j < static_cast<std::size_t>(plan.columns); j++)
            EXPECT_GE(ones(column(rows, j)), 1) << "column " << j;
    }

    static ClassicDefinition definition()
    {
        return std::is_same<Rules, TemperatureDrawRules>::value ? temperatureDefinition() : nodfDefinition();
    }

    ClassicDrawPlan plan;
    CellMatrix drawn[4];
};

using BothAnalyses = testing::Types<TemperatureDrawRules, NodfDrawRules>;
TYPED_TEST_SUITE(ClassicDrawsOf, BothAnalyses);

}  // namespace

TYPED_TEST(ClassicDrawsOf, ErIsRepairedUntilNoLineIsEmptyAndCeWhereTheRulesSaySo)
{
    this->observe({"0000", "0000", "0000"});
    EXPECT_EQ(this->plan.erThreshold, 0);
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        Generator generator(seed);
        drawErCells<TypeParam>(this->plan, generator, this->drawn[0]);
        EXPECT_EQ(this->rowsOf(this->drawn[0]), (Rows{"0000", "0000", "0000"}));
        repairEmptyLines<TypeParam>(this->plan, generator, this->drawn[0]);
        this->expectNoEmptyLine(this->drawn[0]);
        int total = 0;
        for (const std::string& row : this->rowsOf(this->drawn[0]))
            total += this->ones(row);
        EXPECT_LE(total, 3 + 4 - 1);
    }
    // Row 3 and columns 3 and 4 are empty, so Ce's cells can leave lines
    // empty: only the NODF's rules repair them.
    this->observe({"1100", "1000", "0000"});
    bool leftEmpty = false;
    for (std::uint32_t seed = 1; seed <= 20; seed++) {
        Generator generator(seed);
        drawClassicModels<TypeParam>(this->plan, generator, this->drawn);
        if (TypeParam::kRepairsCe) {
            this->expectNoEmptyLine(this->drawn[1]);
        } else {
            const Rows ce = this->rowsOf(this->drawn[1]);
            leftEmpty = leftEmpty || this->ones(ce[2]) == 0 || this->ones(this->column(ce, 3)) == 0;
        }
    }
    EXPECT_EQ(leftEmpty, !TypeParam::kRepairsCe);
}

TYPED_TEST(ClassicDrawsOf, FullThresholdStillGivesZeroForTheLastDraw)
{
    constexpr int o = TypeParam::kOrigin;
    this->observe({"111", "111"});
    EXPECT_EQ(this->plan.erThreshold, 10000);
    Generator last = generatorDrawingNext(Generator::kMaxDraw);
    drawErCells<TypeParam>(this->plan, last, this->drawn[0]);
    EXPECT_EQ(this->rowsOf(this->drawn[0]), (Rows{"011", "111"}));

    // Ce: a full row crossing a full column has threshold 10000; an empty
    // row crossing an empty column has threshold 0.
    this->observe({"11", "10"});
    last = generatorDrawingNext(Generator::kMaxDraw);
    drawCeCells<TypeParam>(this->plan, last, this->drawn[0]);
    EXPECT_EQ(this->drawn[0][o][o], 0);
    Generator almostLast = generatorDrawingNext(Generator::kMaxDraw - 1);
    drawCeCells<TypeParam>(this->plan, almostLast, this->drawn[0]);
    EXPECT_EQ(this->drawn[0][o][o], 1);
    this->observe({"10", "00"});
    for (std::uint32_t seed = 1; seed <= 50; seed++) {
        Generator generator(seed);
        drawCeCells<TypeParam>(this->plan, generator, this->drawn[0]);
        EXPECT_EQ(this->drawn[0][o + 1][o + 1], 0);
    }
}

TYPED_TEST(ClassicDrawsOf, LiKeepsRowTotalsAndCoColumnTotalsWithoutRepair)
{
    for (const Rows& rows : {randomRows(9, 13, 0.4, 3), Rows{"0110100", "0000000", "1111111", "0010001", "1000000"}}) {
        this->observe(rows);
        for (std::uint32_t seed = 1; seed <= 10; seed++) {
            Generator generator(seed);
            drawLiMatrix<TypeParam>(this->plan, generator, this->drawn[0]);
            const Rows li = this->rowsOf(this->drawn[0]);
            for (std::size_t i = 0; i < rows.size(); i++)
                EXPECT_EQ(this->ones(li[i]), this->ones(rows[i]));
            drawCoMatrix<TypeParam>(this->plan, generator, this->drawn[0]);
            const Rows co = this->rowsOf(this->drawn[0]);
            for (std::size_t j = 0; j < rows[0].size(); j++)
                EXPECT_EQ(this->ones(this->column(co, j)), this->ones(this->column(rows, j)));
        }
    }
}

TYPED_TEST(ClassicDrawsOf, DrawsMatchTheDefinitionReadOneDrawAtATime)
{
    for (const Rows& observed : {randomRows(17, 23, 0.3, 1), randomRows(40, 9, 0.8, 2), Rows{"0000", "0000"},
                                 Rows{"1", "1"}, Rows{"10110"}, Rows{"0110101", "1111000", "0000000", "1010101"},
                                 Rows{"1", "0", "1"}}) {
        for (std::uint32_t seed : {1u, 99u, 4000000000u}) {
            this->observe(observed);
            Generator generator(seed);
            drawClassicModels<TypeParam>(this->plan, generator, this->drawn);
            std::vector<Rows> drawnRows;
            for (const CellMatrix& matrix : this->drawn)
                drawnRows.push_back(this->rowsOf(matrix));
            const ReferenceDraws reference = referenceClassicDraws(observed, seed, this->definition());
            EXPECT_EQ(drawnRows, reference.matrices) << observed.size() << " rows, seed " << seed;
            EXPECT_EQ(generator.state(), reference.state) << observed.size() << " rows, seed " << seed;
        }
    }
}

TEST(ClassicDraws, BlocksWithoutCellsDrawNothing)
{
    for (const Rows& rows : {Rows{}, Rows{""}}) {
        const ClassicDrawPlan plan =
            planClassicDraws<NodfDrawRules>(cellMatrixOf(rows, 0), static_cast<int>(rows.size()), 0);
        Generator generator(3);
        CellMatrix out[4];
        drawClassicModels<NodfDrawRules>(plan, generator, out);
        EXPECT_EQ(generator.state(), 3u);
    }
}
