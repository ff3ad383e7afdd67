// The program's shared state: the matrix as read, the settings and the
// per-file values that the subsystems pass to one another. All of it is
// fixed-size static storage that lives for the whole program. The working
// tables of an analysis belong to its context (PackingContext,
// TemperatureContext, NodfContext), sized to the matrix, one per worker.
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

// ---- The matrix as read --------------------------------------------------
extern MatrixTable PresenceMatrix;   // the matrix as read; null models read it
extern int rowCount, columnCount;    // its size
extern int rowsRead, columnsRead;    // its size as read by mode T's reader

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
extern float percentFill;            // of the matrix as read
extern float observedTemperature;
extern int savedRowCount, savedColumnCount;  // size of the packed observed matrix

// The four report names of mode T, derived from currentFileName.
extern char packReportFileName[kReportNameBufferSize];
extern char rowTemperatureFileName[kReportNameBufferSize];
extern char columnTemperatureFileName[kReportNameBufferSize];
extern char nullModelFileName[kReportNameBufferSize];

// Progress line of mode T: never reset, shared by packing and null models.
extern int spinnerCount;
extern int runNumber;

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

// Sets every value above back to its state at program start, except the
// contents of the two matrices, which every analysis clears before it
// reads them.
void resetSharedState();

#endif
