// The null models of mode T. For every simulation four random matrices are
// drawn from the observed one, in the order Er, Ce, Li, Co, and each is
// packed and measured like the observed matrix:
//   Er keeps the overall fill (empty rows and columns then get one 1 each),
//   Ce keeps row and column fills on average,
//   Li keeps every row's number of 1s, Co every column's.
// Their temperatures go to the matrix's null-model file, one line per
// simulation; the means and P values of Er and Ce end its summary line.
#ifndef BRAVOLIN_TEMPERATURE_TEMPERATURE_NULL_MODELS_H
#define BRAVOLIN_TEMPERATURE_TEMPERATURE_NULL_MODELS_H

// Runs simulationCount simulations for the observed matrix of the current
// file. The driver has analysed that matrix (its packing orders and trimming
// offsets are still in place), set observedTemperature, savedRowCount and
// savedColumnCount, and written the header of nullModelFileName.
void runTemperatureNullModels();

// Replaces the top-left block of PresenceMatrix by the matrix that was
// analysed: the rows and the columns that survived the packing and trimming
// of the observed matrix (rowOrder[i + removedFullRows] for i = 1 ..
// savedRowCount, likewise the columns), in their order in the file, as rows
// 1..m' and columns 1..n'. Without trimming that is the matrix as read. The
// null models then randomise the cells that were analysed, not a corner of
// the file of the same size.
void keepAnalysedBlock();

// The random matrices of the four models, drawn from PresenceMatrix (rows
// 1..savedRowCount, columns 1..savedColumnCount) into the same block of
// workingMatrix, each consuming its draws in a fixed order.
void drawErMatrix();
void drawCeMatrix();
void drawLiMatrix();
void drawCoMatrix();

// A random position from 1 to k for one draw: k times the draw's fraction,
// rounded to the nearest integer with halves down, and 0 taken as 1.
int drawPosition(int k);

#endif
