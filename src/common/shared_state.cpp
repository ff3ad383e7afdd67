// Definitions of the shared state declared in shared_state.h. Everything here
// is zero-initialised static storage except the initial matrix file name.
#include "common/shared_state.h"

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
