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
#ifndef BRAVOLIN_CORE_TEMPERATURE_ISOCLINE_H
#define BRAVOLIN_CORE_TEMPERATURE_ISOCLINE_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/packing/packing.h"
#include "core/stop_request.h"

namespace bravolin {

// The points start + step, start + 2 step, ... of one level of the column
// search (each sum stored in single precision) and the curve's x at each,
// computed on demand for the current shape and shared by every column that
// walks the same level.
constexpr int kGridCapacity = 127;
struct SearchGrid {
    std::uint32_t shape = 0;
    float start = 0;
    float step = 0;
    int count = 0;
    float t[kGridCapacity + 1];
    float x[kGridCapacity + 1];
};

// The points of one level of the walks from a column's isocline point to
// the isocline, point 0 being where the level starts, with the curve there.
template <int capacity>
struct WalkLevelPoints {
    int count = 0;
    float t[capacity], x[capacity], y[capacity];
};
constexpr int kFirstLevelPoints = 12;
constexpr int kSecondLevelPoints = 102;
constexpr int kSecondLevelGrids = 16;

// What the isocline of one shape gives regardless of the matrix's cells:
// the point the column search finds at every column, and the relative
// distance of every cell that can be unexpected under it (a cell above the
// curve can only be an unexpected absence, one on or below it only an
// unexpected presence). A shape is fixed by the size of the matrix and the
// six rounded coefficients, so random matrices of one size that reach the
// same shape share all of it; the null models' matrices mostly do.
struct IsoclineShape {
    std::vector<float> columnT, columnX, columnY;  // 1..n
    std::vector<int> rowsAbove;                    // rows above the curve, 1..n
    // distance[i * (n + 1) + j], NaN until first needed; empty when the
    // matrix is too large to keep it.
    std::vector<float> distance;
};

struct IsoclineShapeKey {
    int rows, columns;
    int coefficients[6];
    bool operator==(const IsoclineShapeKey& other) const;
};

struct IsoclineShapeKeyHash {
    std::size_t operator()(const IsoclineShapeKey& key) const;
};

// The isocline and temperature of one packed matrix, and the storage they
// are computed with. The observed matrix has one; so has every worker that
// measures random matrices.
struct TemperatureContext {
    // The packed matrix, bound by computeTemperature (or prepareTemperature).
    const CellMatrix* matrix = nullptr;
    int rows = 0;            // m
    int columns = 0;         // n
    float packedPercentFill = 0;

    // The isocline: its parameter, control points, rounded cubic
    // coefficients (ax, bx, cx and ay, by, cy) and the working curve point.
    float isoclineParameter = 0;
    double controlX[4] = {}, controlY[4] = {};
    int curveCoefficientsX[3] = {}, curveCoefficientsY[3] = {};
    float curvePointT = 0, curvePointX = 0, curvePointY = 0;
    int unexpectedPresences = 0, unexpectedAbsences = 0;
    float diagonalSlope = 0;

    // When set, measureTemperature also keeps every cell's part in the
    // temperature (cell (i, j) at i * (n + 1) + j), for a picture of the
    // matrix; the results do not change.
    bool keepCellParts = false;
    std::vector<float> cellPart;
    std::vector<unsigned char> cellUnexpected;

    // The results.
    float temperatureSum = 0;
    float matrixTemperature = 0;
    std::vector<float> rowTemperature;     // by packed position, 1..m
    std::vector<float> columnTemperature;  // 1..n

    // onesAbove[i * (n + 1) + j]: the 1 cells of column j in rows 1..i.
    // With it the fit counts the cells on either side of the curve in a
    // column at once, instead of testing every cell for every parameter.
    std::vector<std::uint16_t> onesAbove;

    // The shapes met so far, and the bytes they hold; the one in force.
    std::unordered_map<IsoclineShapeKey, IsoclineShape, IsoclineShapeKeyHash> shapes;
    std::size_t shapeBytes = 0;
    IsoclineShape* currentShape = nullptr;

    // Shared points of the column searches and of the walks (see
    // temperature.cpp); shapes are numbered as setIsoclineShape sets them.
    std::uint32_t shape = 0;
    SearchGrid firstLevelGrid;
    SearchGrid secondLevelGrids[kSecondLevelGrids];
    WalkLevelPoints<kFirstLevelPoints> firstLevelPoints[2];
    WalkLevelPoints<kSecondLevelPoints> secondLevelPoints[2][kFirstLevelPoints];
};

// Fits the isocline to ctx's packed matrix (packing has set its counts and
// packedPercentFill) and measures matrixTemperature, rowTemperature and
// columnTemperature.
// A random matrix's measurement gives up between two steps of the fit, or
// two blocks of columns, once stop is requested.
void computeTemperature(TemperatureContext& ctx, const PackingContext& packed, const StopRequest& stop = {});

// The steps of computeTemperature, by name.
// Binds ctx to the packed matrix and clears every value of the analysis.
void prepareTemperature(TemperatureContext& ctx, const PackingContext& packed);
// The integer nearest v, ties going by the rule of the isocline coefficients.
int roundCoefficient(double v);
// Control points and rounded cubic coefficients of the isocline for p.
void setIsoclineShape(TemperatureContext& ctx, float p);
// Sets the curve point to the curve at t.
void evaluateIsocline(TemperatureContext& ctx, float t);
// Counts the unexpected presences and absences for the current shape; it
// reads onesAbove, which computeTemperature prepares for the matrix.
void countUnexpectedCells(TemperatureContext& ctx);
// Measures matrixTemperature and the row and column temperatures for the
// current shape, adding to temperatureSum.
void measureTemperature(TemperatureContext& ctx, const StopRequest& stop = {});

// Points of the fitted isocline in the matrix's plane (origin at its
// bottom-left corner): count + 1 points at evenly spaced t from 0 to 1 and
// the point found at every column, in order of t. For pictures.
std::vector<std::pair<double, double>> isoclinePoints(const TemperatureContext& ctx, int count);

}  // namespace bravolin

#endif
