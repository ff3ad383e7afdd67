#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/shared_state.h"
#include "packing/exchange_sort.h"
#include "packing/packing.h"
#include "support/mode_t_matrix.h"
#include "support/scratch.h"

using Rows = std::vector<std::string>;

namespace {

PackingContext packed;

// Packs rows as the observed matrix of ISLANDS.TXT in a scratch folder.
void pack(const ScratchDirectory& dir, const Rows& rows)
{
    dir.enter();
    loadObservedMatrix(packed, rows);
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(Packing, FourByFourExampleGivesItsPackedMatrixAndOrders)
{
    ScratchDirectory dir;
    pack(dir, {"0100", "1111", "0110", "1101"});
    EXPECT_EQ(workingRows(packed), (Rows{"1111", "1101", "1010", "1000"}));
    EXPECT_EQ(orderEntries(packed.rowOrder, 1, 4), (std::vector<int>{2, 4, 3, 1}));
    EXPECT_EQ(orderEntries(packed.columnOrder, 1, 4), (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(packed.removedFullRows, 0);
    EXPECT_EQ(packed.removedFullColumns, 0);
    EXPECT_EQ(packed.occupiedCount, 10);
    EXPECT_FLOAT_EQ(packed.packedPercentFill, 62.5f);
}

TEST(Packing, StaircaseMatricesAreLeftInTheirOrder)
{
    ScratchDirectory dir;
    pack(dir, {"1111", "1110", "1100", "1000"});
    EXPECT_EQ(workingRows(packed), (Rows{"1111", "1110", "1100", "1000"}));
    // Equal rows stay in place too; trimming then drops the empty column
    // and the leading full rows.
    for (const Rows& staircase : {Rows{"1111", "1110", "1100", "1000"}, Rows{"110", "110", "110", "100"}}) {
        pack(dir, staircase);
        for (int i = 1; i <= packed.rowCount; i++)
            EXPECT_EQ(packed.rowOrder[i], i);
        for (int j = 1; j <= packed.columnCount; j++)
            EXPECT_EQ(packed.columnOrder[j], j);
    }
    EXPECT_EQ(workingRows(packed), (Rows{"11", "10"}));
}

TEST(Packing, TrimmingDropsTheEmptyLastRowThenOneOfTwoFullLeadingRows)
{
    ScratchDirectory dir;
    pack(dir, {"111", "111", "100", "000"});
    EXPECT_EQ(workingRows(packed), (Rows{"111", "100"}));
    EXPECT_EQ(packed.removedFullRows, 1);
    EXPECT_EQ(packed.removedFullColumns, 0);
    EXPECT_EQ(packed.rowOrder[1 + packed.removedFullRows], 2);
    EXPECT_EQ(packed.rowOrder[2 + packed.removedFullRows], 3);
    EXPECT_EQ(packed.occupiedCount, 4);
    EXPECT_FLOAT_EQ(packed.packedPercentFill, 4 * 100.0f / 6);
}

TEST(Packing, EmptyAndFullMatricesShrinkToOneCell)
{
    ScratchDirectory dir;
    pack(dir, {"000", "000"});
    EXPECT_EQ(workingRows(packed), (Rows{"0"}));
    EXPECT_EQ(packed.packedPercentFill, 0);

    pack(dir, {"1111", "1111", "1111"});
    EXPECT_EQ(workingRows(packed), (Rows{"1"}));
    EXPECT_EQ(packed.removedFullRows, 2);
    EXPECT_EQ(packed.removedFullColumns, 3);
    EXPECT_EQ(packed.packedPercentFill, 100);

    pack(dir, {"1"});
    EXPECT_EQ(workingRows(packed), (Rows{"1"}));
    EXPECT_EQ(packed.packedPercentFill, 100);

    // A single full row on top is kept.
    pack(dir, {"11", "10"});
    EXPECT_EQ(workingRows(packed), (Rows{"11", "10"}));
}

TEST(Packing, SpinnerCountsEveryPassAndShowsTheSimulationNumber)
{
    ScratchDirectory dir;
    dir.enter();
    loadObservedMatrix(packed, {"10", "01"});
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    std::string spinner = testing::internal::GetCapturedStdout();
    std::string expected;
    const char* characters = "/-\\|";
    for (int pass = 0; pass < 16; pass++)
        expected += std::string("0000 - ") + characters[pass % 4] + "\r";
    EXPECT_EQ(spinner, expected);
    EXPECT_EQ(spinnerCount, 16);

    runNumber = 101;
    loadObservedMatrix(packed, {"10", "01"});
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 9), "0101 - /\r");
}

TEST(ExchangeSort, EqualKeysKeepTheOrderTheSwapsLeave)
{
    // Keys 2, 2, 1 of lines 1, 2, 3 come out as lines 3, 2, 1.
    std::int32_t keys[4] = {0, 2, 2, 1};
    int lines[4] = {0, 1, 2, 3};
    exchangeSort<SortOrder::Increasing>(keys, lines, 3);
    EXPECT_EQ(std::vector<int>(lines + 1, lines + 4), (std::vector<int>{3, 2, 1}));

    // Decreasing order: 5 7 5 7 (lines 1..4) gives lines 2 4 3 1.
    std::int32_t scores[5] = {0, scoreKey(5), scoreKey(7), scoreKey(5), scoreKey(7)};
    int scoreLines[5] = {0, 1, 2, 3, 4};
    exchangeSort<SortOrder::Decreasing>(scores, scoreLines, 4);
    EXPECT_EQ(std::vector<int>(scoreLines + 1, scoreLines + 5), (std::vector<int>{2, 4, 3, 1}));
}

TEST(Packing, PackedMatrixIsAPermutationOfTheRowsAndColumnsRead)
{
    ScratchDirectory dir;
    const Rows rows = randomRows(23, 31, 0.35, 5);
    pack(dir, rows);
    ASSERT_EQ(packed.removedFullRows + packed.removedFullColumns, 0);
    for (int i = 1; i <= packed.rowCount; i++)
        for (int j = 1; j <= packed.columnCount; j++)
            ASSERT_EQ(packed.matrix[i][j], rows[packed.rowOrder[i] - 1][packed.columnOrder[j] - 1] == '1');
}
