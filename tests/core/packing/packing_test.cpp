// Packing, as the temperature's analysis reports it: the packed matrix,
// its orders and fill, and the trimming of lines without information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bravolin/temperature.h"
#include "core/packing/exchange_sort.h"
#include "support/matrices.h"

namespace {

struct Packed {
    Rows rows;
    std::vector<int> rowOrder, columnOrder;
    float fill;
};

Packed pack(const Rows& rows)
{
    const bravolin::Matrix matrix = matrixOf(rows);
    const bravolin::TemperatureResult result = bravolin::analyseTemperature(matrix);
    return {rowsOf(bravolin::packedMatrix(matrix, result)), result.rowOrder, result.columnOrder, result.packedFill};
}

}  // namespace

TEST(Packing, StaircaseMatricesAreLeftInTheirOrder)
{
    EXPECT_EQ(pack({"1111", "1110", "1100", "1000"}).rows, (Rows{"1111", "1110", "1100", "1000"}));
    // Equal rows stay in place too; trimming then drops the empty column
    // and the leading full rows.
    const Packed packed = pack({"110", "110", "110", "100"});
    EXPECT_EQ(packed.rows, (Rows{"11", "10"}));
    EXPECT_EQ(packed.rowOrder, (std::vector<int>{2, 3}));
    EXPECT_EQ(packed.columnOrder, (std::vector<int>{0, 1}));
}

TEST(Packing, TrimmingKeepsOneOfManyFullLeadingRowsAndColumns)
{
    // Four full rows and three full columns lead the packed matrix: all but
    // one of each go, and the rest keeps its order.
    const Packed packed = pack({"111111", "111111", "111111", "111111", "111100", "111000", "111000"});
    EXPECT_EQ(packed.rows, (Rows{"1111", "1100", "1000", "1000"}));
    EXPECT_EQ(packed.rowOrder, (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(packed.columnOrder, (std::vector<int>{2, 3, 4, 5}));
    // A matrix of presences only is trimmed to one cell.
    EXPECT_EQ(pack(Rows(9, "11111")).rows, (Rows{"1"}));
}

TEST(Packing, PackedMatrixIsAPermutationOfTheRowsAndColumnsRead)
{
    const Rows rows = randomRows(23, 31, 0.35, 5);
    const Packed packed = pack(rows);
    ASSERT_EQ(packed.rowOrder.size(), 23u);
    ASSERT_EQ(packed.columnOrder.size(), 31u);
    for (std::size_t i = 0; i < 23; i++)
        for (std::size_t j = 0; j < 31; j++)
            ASSERT_EQ(packed.rows[i][j], rows[static_cast<std::size_t>(packed.rowOrder[i])]
                                             [static_cast<std::size_t>(packed.columnOrder[j])]);
}

TEST(Packing, EveryPassIsReportedWithTheOrdersAfterIt)
{
    int passes = 0;
    bravolin::TemperatureOptions options;
    options.packingHistory = true;
    options.onPackingPass = [&passes] { passes++; };
    const bravolin::TemperatureResult result =
        bravolin::analyseTemperature(matrixOf({"011", "110"}), options);
    EXPECT_EQ(passes, bravolin::kPackingPasses);
    ASSERT_EQ(result.packingHistory.size(), static_cast<std::size_t>(bravolin::kPackingPasses));
    // Columns outnumber rows: every iteration starts with its column pass.
    EXPECT_TRUE(result.packingHistory[0].columnPass);
    EXPECT_FALSE(result.packingHistory[1].columnPass);
    EXPECT_EQ(result.packingHistory.back().iteration, 8);
    EXPECT_EQ(result.packingHistory.back().rowOrder.size(), 2u);
    EXPECT_EQ(result.packingHistory.back().columnOrder.size(), 3u);
}

TEST(ExchangeSort, EqualKeysKeepTheOrderTheSwapsLeave)
{
    using bravolin::SortOrder;
    // Keys 2, 2, 1 of lines 1, 2, 3 come out as lines 3, 2, 1.
    std::int32_t keys[4] = {0, 2, 2, 1};
    int lines[4] = {0, 1, 2, 3};
    bravolin::exchangeSort<SortOrder::Increasing>(keys, lines, 3);
    EXPECT_EQ(std::vector<int>(lines + 1, lines + 4), (std::vector<int>{3, 2, 1}));

    // Decreasing order: 5 7 5 7 (lines 1..4) gives lines 2 4 3 1.
    std::int32_t scores[5] = {0, bravolin::scoreKey(5), bravolin::scoreKey(7), bravolin::scoreKey(5),
                              bravolin::scoreKey(7)};
    int scoreLines[5] = {0, 1, 2, 3, 4};
    bravolin::exchangeSort<SortOrder::Decreasing>(scores, scoreLines, 4);
    EXPECT_EQ(std::vector<int>(scoreLines + 1, scoreLines + 5), (std::vector<int>{2, 4, 3, 1}));
}
