// Definitions of the shared state declared in shared_state.h. Everything here
// is zero-initialised static storage except the initial matrix file name.
#include "common/shared_state.h"

#include <cstring>

MatrixTable PresenceMatrix;
int rowCount, columnCount;
int rowsRead, columnsRead;

char currentFileName[kNameBufferSize] = "MATRIZ.TXT";
char fileExpression[kNameBufferSize];
char answerBuffer[kAnswerBufferSize];

int printPackedMatrix;
int nullModelsEnabled;
int orderMatrix;
int simulationCount;
int debugMode;
int fileIndex;

float percentFill;
float observedTemperature;
int savedRowCount, savedColumnCount;

char packReportFileName[kReportNameBufferSize];
char rowTemperatureFileName[kReportNameBufferSize];
char columnTemperatureFileName[kReportNameBufferSize];
char nullModelFileName[kReportNameBufferSize];

int spinnerCount;
int runNumber;

float fillFraction;
float rowFillFraction[kTableSide];
float columnFillFraction[kTableSide];
float erTemperatureSum, ceTemperatureSum;
int erColderCount, ceColderCount;
float erNodfSum, ceNodfSum;
int erExceedCount, ceExceedCount;
float observedNodfTotal;

MatrixTable nodfReadMatrix;

// The matrices are left as they are: every analysis clears what it reads of
// them first, so nothing of theirs carries over, and clearing them would
// cost time and memory at every start.
void resetSharedState()
{
    rowCount = columnCount = rowsRead = columnsRead = 0;

    std::strcpy(currentFileName, "MATRIZ.TXT");
    fileExpression[0] = answerBuffer[0] = '\0';

    printPackedMatrix = nullModelsEnabled = orderMatrix = simulationCount = debugMode = 0;
    fileIndex = 0;

    percentFill = 0;
    observedTemperature = 0;
    savedRowCount = savedColumnCount = 0;
    packReportFileName[0] = rowTemperatureFileName[0] = '\0';
    columnTemperatureFileName[0] = nullModelFileName[0] = '\0';
    spinnerCount = runNumber = 0;

    fillFraction = 0;
    std::memset(rowFillFraction, 0, sizeof rowFillFraction);
    std::memset(columnFillFraction, 0, sizeof columnFillFraction);
    erTemperatureSum = ceTemperatureSum = 0;
    erColderCount = ceColderCount = 0;
    erNodfSum = ceNodfSum = 0;
    erExceedCount = ceExceedCount = 0;
    observedNodfTotal = 0;
}
