// The fit's cell counts and the temperature against plain transcriptions of
// the procedure, which test every cell against the curve and walk every
// unexpected cell to the curve from scratch.
#include <gtest/gtest.h>

#include <cmath>

#include "core/packing/packing.h"
#include "core/temperature/isocline.h"
#include "support/isocline_search.h"
#include "support/matrices.h"

using namespace bravolin;

namespace {

PackingContext packed;
TemperatureContext measured;

void referenceCounts(int* presences, int* absences)
{
    *presences = *absences = 0;
    for (int j = 1; j <= packed.columnCount; j++) {
        isoclinePointAtColumn(measured, static_cast<float>(j - 0.5));
        const float height = measured.curvePointY;
        for (int i = 1; i <= packed.rowCount; i++) {
            const float yy = static_cast<float>((packed.rowCount - i) + 0.5);
            if (yy <= height && packed.matrix[i][j] == 1)
                ++*presences;
            if (yy > height && packed.matrix[i][j] == 0)
                ++*absences;
        }
    }
}

void referenceWalk(float tStar, float b, bool forward)
{
    float t = tStar, previous = tStar, step = 0.1f;
    for (;;) {
        evaluateIsocline(measured, t);
        const float ly = static_cast<float>(static_cast<double>(measured.diagonalSlope) * measured.curvePointX + b);
        if (forward && ly > measured.curvePointY && static_cast<double>(t) + step < 1) {
            previous = t;
            t = static_cast<float>(static_cast<double>(t) + step);
        } else if (!forward && ly < measured.curvePointY && static_cast<double>(t) - step > 0) {
            previous = t;
            t = static_cast<float>(static_cast<double>(t) - step);
        } else {
            t = previous;
            step = static_cast<float>(static_cast<double>(step) / 10);
            if (step < 0.00001f)
                return;
        }
    }
}

// The sum of the contributions of all unexpected cells, for the fitted shape.
float referenceSum()
{
    const int m = packed.rowCount, n = packed.columnCount;
    float sum = 0;
    const float slope = static_cast<float>(-static_cast<double>(m) / n);
    for (int j = 1; j <= n; j++) {
        isoclinePointAtColumn(measured, static_cast<float>(j - 0.5));
        const float tStar = measured.curvePointT, xStar = measured.curvePointX, yStar = measured.curvePointY;
        for (int i = m; i >= 1; i--) {
            const float yy = static_cast<float>((m - i) + 0.5);
            const bool absence = yStar < yy && packed.matrix[i][j] == 0;
            const bool presence = yStar >= yy && packed.matrix[i][j] == 1;
            if (!absence && !presence)
                continue;
            const float cx0 = static_cast<float>(absence ? j - 0.501 : j - 0.5);
            const float b = static_cast<float>(yy - static_cast<double>(slope) * xStar);
            const float h = b > m ? static_cast<float>(2.0 * m - b) : b;
            const float w = static_cast<float>(-h / static_cast<double>(slope));
            const float D = static_cast<float>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(w) * w));
            referenceWalk(tStar, b, absence);
            const double dx = measured.curvePointX - static_cast<double>(cx0), dy = measured.curvePointY - static_cast<double>(yy);
            const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy) / D);
            if (d > 0)
                sum = static_cast<float>(sum + 2412.0 * d * d / (m * n));
            evaluateIsocline(measured, tStar);
        }
    }
    return sum;
}

}  // namespace

TEST(TemperatureReference, CountsAndSumMatchThePlainProcedure)
{
    for (unsigned seed = 1; seed <= 10; seed++) {
        const int rows = 3 + static_cast<int>(seed * 7 % 40), columns = 2 + static_cast<int>(seed * 11 % 45);
        loadPacking(packed, randomRows(rows, columns, 0.1 * seed - 0.05, seed));
        packed.packedPercentFill = fillPercentage(packed.occupiedCount, rows, columns);
        computeTemperature(measured, packed);
        const float sum = measured.temperatureSum;
        EXPECT_EQ(referenceSum(), sum) << "seed " << seed;

        for (float p : {0.0f, 0.13f, 0.5f, 0.87f, 1.4f}) {
            setIsoclineShape(measured, p);
            countUnexpectedCells(measured);
            int presences, absences;
            referenceCounts(&presences, &absences);
            EXPECT_EQ(measured.unexpectedPresences, presences) << "seed " << seed << " p " << p;
            EXPECT_EQ(measured.unexpectedAbsences, absences) << "seed " << seed << " p " << p;
        }
    }
}
