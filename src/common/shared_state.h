// The program's shared state: every table, setting and per-matrix value that
// the subsystems pass to one another. All of it is fixed-size static storage
// that lives for the whole program; nothing is allocated per matrix file.
//
// Mode T numbers rows and columns from 1 and leaves index 0 unused; mode N
// numbers them from 0. Every table is dimensioned for both: 3001 per side.
#ifndef BRAVOLIN_COMMON_SHARED_STATE_H
#define BRAVOLIN_COMMON_SHARED_STATE_H

#include <cstddef>

constexpr int kMaxMatrixSide = 3000;               // rows or columns of a matrix
constexpr int kTableSide = kMaxMatrixSide + 1;     // entries per table side
constexpr int kMaxNameLength = 260;                // characters of a file name
constexpr int kNameBufferSize = kMaxNameLength + 1;
constexpr int kAnswerBufferSize = kNameBufferSize;
// A report name is a matrix file name with a suffix in place of its
// extension; the longest suffix is "_ColumnNestedness_COL.TXT".
constexpr int kReportNameBufferSize = kNameBufferSize + 32;

typedef unsigned char MatrixTable[kTableSide][kTableSide];

// ---- Matrices and their shape -------------------------------------------
extern MatrixTable PresenceMatrix;   // the matrix as read; null models read it
extern MatrixTable workingMatrix;    // the matrix under analysis
extern int rowCount, columnCount;    // size of the matrix under analysis
extern int rowsRead, columnsRead;    // size as read, kept while packing trims
extern int rowOrder[kTableSide];     // file number of the row at each position
extern int columnOrder[kTableSide];  // file number of the column at each position

// ---- Names and console buffers ------------------------------------------
extern char currentFileName[kNameBufferSize];
extern char fileExpression[kNameBufferSize];
extern char answerBuffer[kAnswerBufferSize];

// ---- Run settings, asked once per run -------------------------------------
extern int printPackedMatrix;
extern int nullModelsEnabled;
extern int orderMatrix;
extern int simulationCount;
extern int debugMode;
extern int fileIndex;

// ---- Per-matrix values of mode T ----------------------------------------
extern int occupiedCount;
extern float percentFill;
extern float packedPercentFill;
extern int removedFullRows, removedFullColumns;
extern int simulationRunning;
extern float observedTemperature;
extern int savedRowCount, savedColumnCount;

// The four report names of mode T, derived from currentFileName.
extern char packReportFileName[kReportNameBufferSize];
extern char rowTemperatureFileName[kReportNameBufferSize];
extern char columnTemperatureFileName[kReportNameBufferSize];
extern char nullModelFileName[kReportNameBufferSize];

// Progress line of mode T: never reset, shared by packing and null models.
extern int spinnerCount;
extern int runNumber;

// ---- Isocline and temperature -------------------------------------------
extern float isoclineParameter;
extern double controlX[4], controlY[4];
extern int curveCoefficientsX[3];    // ax, bx, cx
extern int curveCoefficientsY[3];    // ay, by, cy
extern float curvePointT, curvePointX, curvePointY;
extern int unexpectedPresences, unexpectedAbsences;
extern float diagonalSlope;
extern float temperatureSum;
extern float matrixTemperature;
extern float rowTemperature[kTableSide];
extern float columnTemperature[kTableSide];

// ---- Null models of both modes ------------------------------------------
extern float fillFraction;
extern float rowFillFraction[kTableSide];
extern float columnFillFraction[kTableSide];
extern float erTemperatureSum, ceTemperatureSum;
extern int erColderCount, ceColderCount;
extern float erNodfSum, ceNodfSum;
extern int erExceedCount, ceExceedCount;
extern float observedNodfTotal;

// ---- NODF ---------------------------------------------------------------
enum NodfRunKind { Observed = 0, Er = 1, Ce = 2, Li = 3, Co = 4 };

extern MatrixTable nodfReadMatrix;   // filled by the mode N reader
extern MatrixTable nodfMatrix;       // the copy that ordering rearranges
extern int rowTotals[kTableSide];
extern int columnTotals[kTableSide];
extern float rowPairTable[kTableSide][kTableSide];
extern float columnPairTable[kTableSide][kTableSide];
extern float nodfRows, nodfColumns, nodfTotal;

// Sets every value above back to its state at program start, except the
// contents of the matrices and pair tables, which every analysis clears or
// fills before it reads them.
void resetSharedState();

#endif
