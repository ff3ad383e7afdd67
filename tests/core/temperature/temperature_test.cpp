#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/packing/packing.h"
#include "core/temperature/isocline.h"
#include "support/isocline_search.h"
#include "support/matrices.h"

using namespace bravolin;

namespace {

PackingContext packed;
TemperatureContext measured;

// Loads rows as they stand, with their fill.
void loadUnpacked(const Rows& rows)
{
    loadPacking(packed, rows);
    packed.packedPercentFill = fillPercentage(packed.occupiedCount, packed.rowCount, packed.columnCount);
}

// The temperature of rows as they stand, without packing them first.
float unpackedTemperature(const Rows& rows)
{
    loadUnpacked(rows);
    computeTemperature(measured, packed);
    return measured.matrixTemperature;
}

float packedTemperature(const Rows& rows)
{
    loadPacking(packed, rows);
    packMatrix(packed);
    computeTemperature(measured, packed);
    return measured.matrixTemperature;
}

Rows staircase(int size)
{
    Rows rows;
    for (int r = 0; r < size; r++)
        rows.push_back(std::string(static_cast<std::size_t>(size - r), '1') + std::string(static_cast<std::size_t>(r), '0'));
    return rows;
}

}  // namespace

TEST(Isocline, CoefficientRoundingTable)
{
    const double values[] = {-1.5, -2.5, 2.5, 19.5, 20.5, 22.5, 100.5, 101.5, 0.4, 0.6, -0.4, -0.6, 3.0, -3.0};
    const int rounded[] = {-2, -3, 2, 20, 21, 23, 100, 102, 0, 1, 0, -1, 3, -3};
    for (std::size_t i = 0; i < std::size(values); i++)
        EXPECT_EQ(roundCoefficient(values[i]), rounded[i]) << values[i];
}

TEST(Isocline, OneCellMatricesHaveTemperatureZeroAtParameterZero)
{
    for (const char* cell : {"0", "1"}) {
        EXPECT_EQ(unpackedTemperature({cell}), 0.0f) << cell;
        EXPECT_EQ(measured.isoclineParameter, 0.0f);
    }
    // The empty cell lies exactly on the curve: the search stops just below
    // t = 1 and the height there rounds to the cell's own 0.5.
    loadUnpacked({"0"});
    prepareTemperature(measured, packed);
    setIsoclineShape(measured, 0);
    isoclinePointAtColumn(measured, 0.5f);
    EXPECT_EQ(measured.curvePointT, 0.99999988f);
    EXPECT_EQ(measured.curvePointY, 0.5f);
}

TEST(Isocline, HalfFullMatrixTakesTheShapeOfFullerMatrices)
{
    loadUnpacked({"1100", "1100", "1100", "1100"});
    prepareTemperature(measured, packed);
    measured.packedPercentFill = 50;
    setIsoclineShape(measured, 0.25f);
    EXPECT_DOUBLE_EQ(measured.controlX[1], 3 * 0.25);
    EXPECT_DOUBLE_EQ(measured.controlY[1], 0.5);
    EXPECT_DOUBLE_EQ(measured.controlX[2], 3.5);
    EXPECT_DOUBLE_EQ(measured.controlY[2], 3 * 0.75);
    measured.packedPercentFill = 49.99f;
    setIsoclineShape(measured, 0.25f);
    EXPECT_DOUBLE_EQ(measured.controlX[1], 0.5);
    EXPECT_DOUBLE_EQ(measured.controlY[1], 3 * 0.25);
}

TEST(Isocline, CurveEndsAtTheTopRightCellCentre)
{
    loadUnpacked(randomRows(17, 29, 0.3, 2));
    prepareTemperature(measured, packed);
    for (float p : {0.0f, 0.37f, 1.5f}) {
        measured.packedPercentFill = 30;
        setIsoclineShape(measured, p);
        evaluateIsocline(measured, 1);
        EXPECT_EQ(measured.curvePointX, 28.5f);
        EXPECT_EQ(measured.curvePointY, 16.5f);
    }
}

TEST(Temperature, StaircaseIsNearZeroAndItsMirrorImageFarHigher)
{
    const Rows nested = staircase(12);
    const float cold = packedTemperature(nested);
    EXPECT_LT(cold, 1.0f);
    Rows mirror;
    for (auto it = nested.rbegin(); it != nested.rend(); ++it)
        mirror.emplace_back(it->rbegin(), it->rend());
    EXPECT_GT(unpackedTemperature(mirror), 50.0f);
}

TEST(Temperature, MatrixTemperatureIsTheMeanOfRowAndOfColumnTemperatures)
{
    for (unsigned seed = 1; seed <= 5; seed++) {
        const float t = packedTemperature(randomRows(20 + static_cast<int>(seed), 35, 0.2 + 0.1 * seed, seed));
        double rowSum = 0, columnSum = 0;
        for (int i = 1; i <= packed.rowCount; i++)
            rowSum += measured.rowTemperature[i];
        for (int j = 1; j <= packed.columnCount; j++)
            columnSum += measured.columnTemperature[j];
        EXPECT_NEAR(rowSum / packed.rowCount, t, 0.006);
        EXPECT_NEAR(columnSum / packed.columnCount, t, 0.006);
        EXPECT_EQ(t, static_cast<float>(std::trunc(static_cast<double>(measured.temperatureSum) * 100 + 0.5) / 100));
        EXPECT_EQ(measured.rowTemperature.size(), static_cast<std::size_t>(packed.rowCount) + 1);
    }
}

TEST(Temperature, SumIsRoundedHalfUpToTwoDecimalsFromDouble)
{
    // Measuring the one-cell matrix adds nothing to the sum it starts from.
    const float sums[] = {12.346f, 12.344f, 0.004f, 0.015f, 0.145f};
    const float expected[] = {12.35f, 12.34f, 0.0f, 0.01f, 0.14f};
    for (std::size_t i = 0; i < std::size(sums); i++) {
        loadUnpacked({"0"});
        computeTemperature(measured, packed);
        measured.temperatureSum = sums[i];
        measureTemperature(measured);
        EXPECT_EQ(measured.matrixTemperature, expected[i]) << sums[i];
    }
}

TEST(Temperature, RowsAndColumnsWithoutUnexpectedCellsAreExactlyZero)
{
    Rows rows = staircase(12);
    rows[7][10] = '1';
    rows[2][5] = '0';
    packedTemperature(rows);
    ASSERT_GT(measured.matrixTemperature, 0.0f);
    // The fitted shape stays in force: find the unexpected cells again.
    std::vector<int> rowHits(static_cast<std::size_t>(packed.rowCount) + 1), columnHits(static_cast<std::size_t>(packed.columnCount) + 1);
    for (int j = 1; j <= packed.columnCount; j++) {
        isoclinePointAtColumn(measured, static_cast<float>(j - 0.5));
        for (int i = 1; i <= packed.rowCount; i++) {
            const float yy = static_cast<float>(packed.rowCount - i + 0.5);
            const bool below = yy <= measured.curvePointY;
            if (below == (packed.matrix[i][j] == 1)) {
                rowHits[static_cast<std::size_t>(i)]++;
                columnHits[static_cast<std::size_t>(j)]++;
            }
        }
    }
    int quietRows = 0;
    for (int i = 1; i <= packed.rowCount; i++) {
        // A cell right on the curve (the bottom-left one here) is
        // unexpected but at distance 0, so only one direction holds.
        if (rowHits[static_cast<std::size_t>(i)] == 0) {
            EXPECT_EQ(measured.rowTemperature[i], 0.0f) << "row " << i;
            quietRows++;
        }
    }
    for (int j = 1; j <= packed.columnCount; j++) {
        if (columnHits[static_cast<std::size_t>(j)] == 0) {
            EXPECT_EQ(measured.columnTemperature[j], 0.0f) << "column " << j;
        }
    }
    EXPECT_GT(quietRows, 0);
    EXPECT_LT(quietRows, packed.rowCount);
}

TEST(Isocline, PointsForPicturesPassThroughEveryColumnPointOfTheFit)
{
    packedTemperature(randomRows(14, 19, 0.4, 6));
    const auto points = isoclinePoints(measured, 50);
    ASSERT_GT(points.size(), 51u);
    for (int j = 1; j <= packed.columnCount; j++) {
        isoclinePointAtColumn(measured, static_cast<float>(j - 0.5));
        const std::pair<double, double> point(measured.curvePointX, measured.curvePointY);
        EXPECT_NE(std::find(points.begin(), points.end(), point), points.end()) << "column " << j;
    }
    EXPECT_EQ(points.front(), std::make_pair(0.5, 0.5));
    EXPECT_EQ(points.back(), std::make_pair(packed.columnCount - 0.5, packed.rowCount - 0.5));
}
