// Definitions of the shared state declared in shared_state.h. Everything here
// is zero-initialised static storage except the initial matrix file name.
#include "common/shared_state.h"

#include <cstring>

MatrixTable PresenceMatrix;
MatrixTable workingMatrix;
int rowCount, columnCount;
int rowsRead, columnsRead;
int rowOrder[kTableSide];
int columnOrder[kTableSide];

char currentFileName[kNameBufferSize] = "MATRIZ.TXT";
char fileExpression[kNameBufferSize];
char answerBuffer[kAnswerBufferSize];

int printPackedMatrix;
int nullModelsEnabled;
int orderMatrix;
int simulationCount;
int debugMode;
int fileIndex;

int occupiedCount;
float percentFill;
float packedPercentFill;
int removedFullRows, removedFullColumns;
int simulationRunning;
float observedTemperature;
int savedRowCount, savedColumnCount;

char packReportFileName[kReportNameBufferSize];
char rowTemperatureFileName[kReportNameBufferSize];
char columnTemperatureFileName[kReportNameBufferSize];
char nullModelFileName[kReportNameBufferSize];

int spinnerCount;
int runNumber;

float isoclineParameter;
double controlX[4], controlY[4];
int curveCoefficientsX[3];
int curveCoefficientsY[3];
float curvePointT, curvePointX, curvePointY;
int unexpectedPresences, unexpectedAbsences;
float diagonalSlope;
float temperatureSum;
float matrixTemperature;
float rowTemperature[kTableSide];
float columnTemperature[kTableSide];

float fillFraction;
float rowFillFraction[kTableSide];
float columnFillFraction[kTableSide];
float erTemperatureSum, ceTemperatureSum;
int erColderCount, ceColderCount;
float erNodfSum, ceNodfSum;
int erExceedCount, ceExceedCount;
float observedNodfTotal;

MatrixTable nodfReadMatrix;
MatrixTable nodfMatrix;
int rowTotals[kTableSide];
int columnTotals[kTableSide];
float rowPairTable[kTableSide][kTableSide];
float columnPairTable[kTableSide][kTableSide];
float nodfRows, nodfColumns, nodfTotal;

// The matrices and the pair tables are left as they are: every analysis
// clears or fills what it reads of them first, so nothing of theirs carries
// over, and clearing them would cost a tenth of a second and a hundred
// megabytes at every start.
void resetSharedState()
{
    rowCount = columnCount = rowsRead = columnsRead = 0;
    std::memset(rowOrder, 0, sizeof rowOrder);
    std::memset(columnOrder, 0, sizeof columnOrder);

    std::strcpy(currentFileName, "MATRIZ.TXT");
    fileExpression[0] = answerBuffer[0] = '\0';

    printPackedMatrix = nullModelsEnabled = orderMatrix = simulationCount = debugMode = 0;
    fileIndex = 0;

    occupiedCount = 0;
    percentFill = packedPercentFill = 0;
    removedFullRows = removedFullColumns = 0;
    simulationRunning = 0;
    observedTemperature = 0;
    savedRowCount = savedColumnCount = 0;
    packReportFileName[0] = rowTemperatureFileName[0] = '\0';
    columnTemperatureFileName[0] = nullModelFileName[0] = '\0';
    spinnerCount = runNumber = 0;

    isoclineParameter = 0;
    for (int i = 0; i < 4; i++)
        controlX[i] = controlY[i] = 0;
    for (int i = 0; i < 3; i++)
        curveCoefficientsX[i] = curveCoefficientsY[i] = 0;
    curvePointT = curvePointX = curvePointY = 0;
    unexpectedPresences = unexpectedAbsences = 0;
    diagonalSlope = temperatureSum = matrixTemperature = 0;
    std::memset(rowTemperature, 0, sizeof rowTemperature);
    std::memset(columnTemperature, 0, sizeof columnTemperature);

    fillFraction = 0;
    std::memset(rowFillFraction, 0, sizeof rowFillFraction);
    std::memset(columnFillFraction, 0, sizeof columnFillFraction);
    erTemperatureSum = ceTemperatureSum = 0;
    erColderCount = ceColderCount = 0;
    erNodfSum = ceNodfSum = 0;
    erExceedCount = ceExceedCount = 0;
    observedNodfTotal = 0;

    std::memset(rowTotals, 0, sizeof rowTotals);
    std::memset(columnTotals, 0, sizeof columnTotals);
    nodfRows = nodfColumns = nodfTotal = 0;
}
