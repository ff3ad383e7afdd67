// Isocline fitting and temperature measurement.
#include "temperature/temperature.h"

#include "common/shared_state.h"

void resetAnalysisState()
{
    rowCount = columnCount = 0;
    occupiedCount = 0;
    packedPercentFill = 0;
    removedFullRows = removedFullColumns = 0;
    isoclineParameter = 0;
    for (int i = 0; i < 4; i++)
        controlX[i] = controlY[i] = 0;
    for (int i = 0; i < 3; i++)
        curveCoefficientsX[i] = curveCoefficientsY[i] = 0;
    curvePointT = curvePointX = curvePointY = 0;
    unexpectedPresences = unexpectedAbsences = 0;
    diagonalSlope = 0;
    temperatureSum = 0;
    matrixTemperature = 0;
}
