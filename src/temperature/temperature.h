// Matrix temperature: the isocline fitted to a packed matrix and the
// temperature of the matrix, of each row and of each column.
#ifndef BRAVOLIN_TEMPERATURE_TEMPERATURE_H
#define BRAVOLIN_TEMPERATURE_TEMPERATURE_H

// Sets every per-matrix scalar of the analysis to 0: the counts and fills of
// the matrix and of its packing, the isocline and the temperature. The
// matrices, the orders and the row and column temperatures are left alone.
void resetAnalysisState();

#endif
