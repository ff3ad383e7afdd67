// Matrix temperature: the isocline fitted to a packed matrix and the
// temperature of the matrix, of each row and of each column.
//
// The matrix lies in a plane with its bottom-left corner at the origin; the
// cell in row i, column j has its centre at (j - 0.5, m - i + 0.5). The
// isocline is a cubic Bezier curve from the bottom-left to the top-right cell
// centre; presences are expected above it and absences on or below it. Every
// unexpected cell adds the square of its distance to the curve, measured
// along a line parallel to the matrix diagonal, to the temperature.
//
// Single-precision values are stored as float after every step while the
// arithmetic between stores is done in double; the counts near the curve,
// and so the temperature, depend on it.
#ifndef BRAVOLIN_TEMPERATURE_TEMPERATURE_H
#define BRAVOLIN_TEMPERATURE_TEMPERATURE_H

// Sets every per-matrix scalar of the analysis to 0: the counts and fills of
// the matrix and of its packing, the isocline and the temperature. The
// matrices, the orders and the row and column temperatures are left alone.
void resetAnalysisState();

// Fits the isocline to the packed workingMatrix (rowCount x columnCount,
// packedPercentFill set by packing) and measures matrixTemperature,
// rowTemperature[1..rowCount] and columnTemperature[1..columnCount].
void computeTemperature();

// The steps of computeTemperature, by name.
// The integer nearest v, ties going by the rule of the isocline coefficients.
int roundCoefficient(double v);
// Control points and rounded cubic coefficients of the isocline for p.
void setIsoclineShape(float p);
// Sets the curve point to the curve at t.
void evaluateIsocline(float t);
// Searches the t at which the curve reaches x0 from the left and sets the
// curve point there.
void isoclinePointAtColumn(float x0);
// Counts the unexpected presences and absences for the current shape. It
// reads the per-column counts of 1 cells that computeTemperature prepares
// for the matrix, so it serves the fit inside computeTemperature.
void countUnexpectedCells();
// Measures matrixTemperature and the row and column temperatures for the
// current shape, adding to temperatureSum.
void measureTemperature();

#endif
