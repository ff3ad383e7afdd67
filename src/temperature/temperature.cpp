// Isocline fitting and temperature measurement.
#include "temperature/temperature.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "common/shared_state.h"

namespace {

// Refinement steps of the searches along the curve: 0.1, then each step a
// tenth of the last, stored in single precision, until the quotient falls
// below this single-precision bound. That gives exactly four levels (0.1,
// 0.01, 0.001, 0.0001): the fifth quotient is just below 0.00001f.
constexpr float kFirstStep = 0.1f;
constexpr float kSmallestStep = 0.00001f;
constexpr float kTemperatureScale = 2412.0f;

constexpr float nextStep(float step)
{
    return static_cast<float>(static_cast<double>(step) / 10);
}

// onesAbove[i][j]: the 1 cells of column j in rows 1..i. With it the fit
// counts the cells on either side of the curve in a column at once, instead
// of testing every cell for every value of the parameter.
std::uint16_t onesAbove[kTableSide][kTableSide];

void countOnesAbove(int rows, int columns)
{
    std::memset(onesAbove[0], 0, sizeof onesAbove[0]);
    for (int i = 1; i <= rows; i++)
        for (int j = 1; j <= columns; j++)
            onesAbove[i][j] = static_cast<std::uint16_t>(onesAbove[i - 1][j] + workingMatrix[i][j]);
}

inline double curveX(double t)
{
    return curveCoefficientsX[0] * t * t * t + curveCoefficientsX[1] * t * t +
           curveCoefficientsX[2] * t + controlX[0];
}

inline double curveY(double t)
{
    return curveCoefficientsY[0] * t * t * t + curveCoefficientsY[1] * t * t +
           curveCoefficientsY[2] * t + controlY[0];
}

// How many of the m cell centres of a column, heights 0.5, 1.5, ...,
// m - 0.5, lie on or below the height y: the bottom rows of the column.
int rowsOnOrBelow(float y, int rows)
{
    double highest = std::floor(static_cast<double>(y) - 0.5);
    if (highest < 0)
        return 0;
    return highest >= rows - 1 ? rows : static_cast<int>(highest) + 1;
}

// The fit runs the column search of isoclinePointAtColumn for every column
// and every value of the parameter. All columns walk the same points at the
// first level (0.1, 0.2, ...), and columns that overshoot there at the same
// point walk the same points at the second level; those points and the
// curve's x there are computed once per shape and shared. The third and
// fourth levels are walked column by column. Every column still gets
// exactly the t of its own search.
constexpr float kLevelSteps[4] = {kFirstStep, nextStep(kFirstStep), nextStep(nextStep(kFirstStep)),
                                  nextStep(nextStep(nextStep(kFirstStep)))};
static_assert(nextStep(kLevelSteps[3]) < kSmallestStep, "the searches run four levels");
static_assert(!(kLevelSteps[3] < kSmallestStep), "the searches run four levels");

constexpr int kGridCapacity = 127;

// The points start + step, start + 2 step, ... of one search level (each
// sum stored in single precision) and the curve's x at each, computed on
// demand for the current shape. A level walks at most 101 points before t
// reaches 1, so the capacity is never exceeded; were it, the points beyond
// would simply be computed again at each walk.
struct SearchGrid {
    std::uint32_t shape;
    float start;
    float step;
    int count;
    float t[kGridCapacity + 1];
    float x[kGridCapacity + 1];
};

// Shapes are numbered as setIsoclineShape sets them; 0 is none.
std::uint32_t currentShape;
SearchGrid firstLevelGrid;
// Second-level grids by the index of the first-level overshoot (at most 11).
constexpr int kSecondLevelGrids = 16;
SearchGrid secondLevelGrids[kSecondLevelGrids];

void prepareGrid(SearchGrid& grid, float start, float step)
{
    if (grid.shape == currentShape && grid.start == start && grid.step == step)
        return;
    grid.shape = currentShape;
    grid.start = start;
    grid.step = step;
    grid.count = 0;
}

// Walks the grid until the curve overshoots x0 (or t reaches 1); returns
// the point one step back from there, where the next level starts, and the
// index of the overshooting point.
float walkGridToOvershoot(SearchGrid& grid, float x0, int* index)
{
    float t = grid.start;
    for (int i = 1;; i++) {
        float x;
        if (i <= grid.count) {
            t = grid.t[i];
            x = grid.x[i];
        } else {
            t = static_cast<float>(static_cast<double>(t) + grid.step);
            x = static_cast<float>(curveX(t));
            if (i <= kGridCapacity) {
                grid.t[i] = t;
                grid.x[i] = x;
                grid.count = i;
            }
        }
        if (x > x0 || t >= 1) {
            *index = i;
            return static_cast<float>(static_cast<double>(t) - grid.step);
        }
    }
}

// The t that isoclinePointAtColumn(x0) finds, for the current shape.
float searchColumnT(float x0)
{
    int index;
    prepareGrid(firstLevelGrid, 0, kLevelSteps[0]);
    float t = walkGridToOvershoot(firstLevelGrid, x0, &index);
    SearchGrid& second = secondLevelGrids[index % kSecondLevelGrids];
    prepareGrid(second, t, kLevelSteps[1]);
    t = walkGridToOvershoot(second, x0, &index);
    for (int level = 2; level < 4; level++) {
        const float step = kLevelSteps[level];
        for (;;) {
            const float next = static_cast<float>(static_cast<double>(t) + step);
            if (static_cast<float>(curveX(next)) > x0 || next >= 1) {
                t = static_cast<float>(static_cast<double>(next) - step);
                break;
            }
            t = next;
        }
    }
    return t;
}

// The stop rule of the fit: the unexpected presences have caught up with
// the unexpected absences (or, for a matrix at least half full, the other
// way round).
bool fitIsDone()
{
    if (packedPercentFill < 50)
        return unexpectedPresences >= unexpectedAbsences;
    return unexpectedPresences <= unexpectedAbsences;
}

// Raises the isocline parameter in steps of 0.01 until the unexpected
// presences and absences cross. A matrix that packing has trimmed always
// gets there; should one that was not trimmed be handed over, the loop
// stops once adding 0.01 no longer changes the single-precision parameter,
// for from then on every pass would repeat the last one.
void fitIsocline()
{
    float p = 0;
    for (;;) {
        setIsoclineShape(p);
        countUnexpectedCells();
        if (fitIsDone())
            break;
        float next = static_cast<float>(static_cast<double>(p) + 0.01f);
        if (next == p)
            break;
        p = next;
    }
    isoclineParameter = p;
}

// Whether a walk moves on from the curve point (t, x, y): the line
// ly = diagonalSlope x + b is still above the curve (forward) or below it
// (backward), and the next step stays inside (0, 1).
inline bool walkAdvances(float t, float x, float y, float b, float step, bool forward)
{
    const float ly = static_cast<float>(static_cast<double>(diagonalSlope) * x + b);
    return forward ? ly > y && static_cast<double>(t) + step < 1
                   : ly < y && static_cast<double>(t) - step > 0;
}

inline float stepFrom(float t, float step, bool forward)
{
    return static_cast<float>(forward ? static_cast<double>(t) + step : static_cast<double>(t) - step);
}

// The points of one walk level, point 0 being where it starts, with the
// curve's x and y there. A level advances at most 1 / step times before
// t + step leaves (0, 1), so the first level has at most 11 points and the
// second at most 101.
template <int capacity>
struct WalkLevelPoints {
    int count;
    float t[capacity], x[capacity], y[capacity];
};

constexpr int kFirstLevelPoints = 12;
constexpr int kSecondLevelPoints = 102;

// The walks of the unexpected cells of a column all start at the column's
// t*, forward or backward, so their first levels visit the same points, and
// walks that leave the first level at the same point visit the same points
// at the second. Those points are evaluated once per column; each walk
// compares them with its own line.
WalkLevelPoints<kFirstLevelPoints> firstLevelPoints[2];
WalkLevelPoints<kSecondLevelPoints> secondLevelPoints[2][kFirstLevelPoints];

template <int capacity>
void startLevel(WalkLevelPoints<capacity>& level, float t, float x, float y)
{
    level.count = 1;
    level.t[0] = t;
    level.x[0] = x;
    level.y[0] = y;
}

// Walks a level of shared points; returns the index of the point where the
// walk stops (it advanced from every point before it).
template <int capacity>
int walkSharedLevel(WalkLevelPoints<capacity>& level, float step, bool forward, float b)
{
    for (int i = 0;; i++) {
        if (i == level.count) {
            const float t = stepFrom(level.t[i - 1], step, forward);
            level.t[i] = t;
            level.x[i] = static_cast<float>(curveX(t));
            level.y[i] = static_cast<float>(curveY(t));
            level.count++;
        }
        if (!walkAdvances(level.t[i], level.x[i], level.y[i], b, step, forward))
            return i;
    }
}

void startColumnWalks(float tStar, float xStar, float yStar)
{
    for (int side = 0; side < 2; side++) {
        startLevel(firstLevelPoints[side], tStar, xStar, yStar);
        for (auto& level : secondLevelPoints[side])
            level.count = 0;
    }
}

// Walks along the curve from the column's t* to where it meets the line of
// slope diagonalSlope and intercept b: forward for an unexpected absence
// (the line lies above the curve until then), backward for an unexpected
// presence. Each level goes back to the last point it advanced from and
// refines the step; the meeting point is the one that ended the fourth
// level, left in the curve point. A level starts where the curve is already
// known, so that point is not evaluated again.
void walkToIsocline(float b, bool forward)
{
    const int side = forward ? 1 : 0;
    auto& first = firstLevelPoints[side];
    const int firstStop = walkSharedLevel(first, kLevelSteps[0], forward, b);
    const int firstResume = firstStop > 0 ? firstStop - 1 : 0;
    auto& second = secondLevelPoints[side][firstStop];
    if (second.count == 0)
        startLevel(second, first.t[firstResume], first.x[firstResume], first.y[firstResume]);
    const int secondStop = walkSharedLevel(second, kLevelSteps[1], forward, b);
    const int secondResume = secondStop > 0 ? secondStop - 1 : 0;

    float t = second.t[secondResume], x = second.x[secondResume], y = second.y[secondResume];
    float previousT = t, previousX = x, previousY = y;
    for (int level = 2; level < 4; level++) {
        const float step = kLevelSteps[level];
        for (bool known = true;; known = false) {
            if (!known) {
                x = static_cast<float>(curveX(t));
                y = static_cast<float>(curveY(t));
            }
            if (!walkAdvances(t, x, y, b, step, forward))
                break;
            previousT = t;
            previousX = x;
            previousY = y;
            t = stepFrom(t, step, forward);
        }
        if (level < 3) {
            t = previousT;
            x = previousX;
            y = previousY;
        }
    }
    curvePointT = t;
    curvePointX = x;
    curvePointY = y;
}

// The contribution of one unexpected cell, centred at (cx0, cy0), to the
// sums, given the isocline point (x*, y*) at its column.
void addUnexpectedCell(int i, int j, float xStar, float cx0, float cy0, bool forward)
{
    const int m = rowCount, n = columnCount;
    // The line through the cell parallel to the diagonal, its length D
    // inside the matrix, and the relative distance d to the curve along it.
    float b = static_cast<float>(static_cast<double>(cy0) - static_cast<double>(diagonalSlope) * xStar);
    float h = b > m ? static_cast<float>(2.0 * m - b) : b;
    float w = static_cast<float>(-static_cast<double>(h) / diagonalSlope);
    float D = static_cast<float>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(w) * w));
    walkToIsocline(b, forward);
    double dx = static_cast<double>(curvePointX) - cx0;
    double dy = static_cast<double>(curvePointY) - cy0;
    float d = static_cast<float>(std::sqrt(dx * dx + dy * dy) / D);
    if (d > 0) {
        const double weight = static_cast<double>(kTemperatureScale) * d * d;
        temperatureSum = static_cast<float>(temperatureSum + weight / (m * n));
        columnTemperature[j] = static_cast<float>(columnTemperature[j] + weight / m);
        rowTemperature[i] = static_cast<float>(rowTemperature[i] + weight / n);
    }
}

}  // namespace

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

int roundCoefficient(double v)
{
    const int k = static_cast<int>(v);
    const double f = v - k;
    if (f > 0.5)
        return k + 1;
    if (f == 0.5) {
        if (v > 20 && v < 100)
            return k + 1;
        return k % 2 != 0 ? k + 1 : k;
    }
    if (f > 0)
        return k;
    return f <= -0.5 ? k - 1 : k;
}

void setIsoclineShape(float p)
{
    const int m = rowCount, n = columnCount;
    const double q = static_cast<double>(p);
    controlX[0] = controlY[0] = 0.5;
    controlX[3] = n - 0.5;
    controlY[3] = m - 0.5;
    if (packedPercentFill < 50) {
        controlX[1] = 0.5;
        controlY[1] = (m - 1) * q;
        controlX[2] = (n - 1) * (1 - q);
        controlY[2] = m - 0.5;
    } else {
        controlX[1] = (n - 1) * q;
        controlY[1] = 0.5;
        controlX[2] = n - 0.5;
        controlY[2] = (m - 1) * (1 - q);
    }
    if (++currentShape == 0)
        currentShape = 1;
    int& ax = curveCoefficientsX[0];
    int& bx = curveCoefficientsX[1];
    int& cx = curveCoefficientsX[2];
    int& ay = curveCoefficientsY[0];
    int& by = curveCoefficientsY[1];
    int& cy = curveCoefficientsY[2];
    cx = roundCoefficient(3 * (controlX[1] - controlX[0]));
    bx = roundCoefficient(3 * (controlX[2] - controlX[1]) - cx);
    ax = roundCoefficient(controlX[3] - controlX[0] - bx - cx);
    cy = roundCoefficient(3 * (controlY[1] - controlY[0]));
    // Here the rounding comes before cy is taken off, unlike bx.
    by = roundCoefficient(3 * (controlY[2] - controlY[1])) - cy;
    ay = roundCoefficient(controlY[3] - controlY[0] - by - cy);
}

void evaluateIsocline(float t)
{
    curvePointT = t;
    curvePointX = static_cast<float>(curveX(t));
    curvePointY = static_cast<float>(curveY(t));
}

// Walks t up from 0 in steps of 0.1, 0.01, 0.001 and 0.0001, stepping back
// and refining at every overshoot (x(t) beyond x0, or t reaching 1). The
// result is the last t reached with x(t) <= x0 and t < 1.
void isoclinePointAtColumn(float x0)
{
    float t = 0, step = kFirstStep;
    for (;;) {
        t = static_cast<float>(static_cast<double>(t) + step);
        float x = static_cast<float>(curveX(t));
        if (x > x0 || t >= 1) {
            t = static_cast<float>(static_cast<double>(t) - step);
            step = nextStep(step);
            if (step < kSmallestStep)
                break;
        }
    }
    evaluateIsocline(t);
}

void countUnexpectedCells()
{
    const int m = rowCount, n = columnCount;
    unexpectedPresences = unexpectedAbsences = 0;
    for (int j = 1; j <= n; j++) {
        const float height = static_cast<float>(curveY(searchColumnT(static_cast<float>(j - 0.5))));
        // Rows above + 1 .. m lie on or below the curve, rows 1..above above it.
        const int above = m - rowsOnOrBelow(height, m);
        unexpectedPresences += onesAbove[m][j] - onesAbove[above][j];
        unexpectedAbsences += above - onesAbove[above][j];
    }
}

void measureTemperature()
{
    const int m = rowCount, n = columnCount;
    std::memset(rowTemperature, 0, sizeof rowTemperature);
    std::memset(columnTemperature, 0, sizeof columnTemperature);
    diagonalSlope = static_cast<float>(-static_cast<double>(m) / n);
    for (int j = 1; j <= n; j++) {
        // The same point as isoclinePointAtColumn, from the fit's shared
        // search points of this shape.
        evaluateIsocline(searchColumnT(static_cast<float>(j - 0.5)));
        const float tStar = curvePointT, xStar = curvePointX, yStar = curvePointY;
        startColumnWalks(tStar, xStar, yStar);
        for (int i = m; i >= 1; i--) {
            const float yy = static_cast<float>((m - i) + 0.5);
            const unsigned char cell = workingMatrix[i][j];
            if (yStar < yy && cell == 0)
                addUnexpectedCell(i, j, xStar, static_cast<float>(j - 0.501), yy, true);
            else if (yStar >= yy && cell == 1)
                addUnexpectedCell(i, j, xStar, static_cast<float>(j - 0.5), yy, false);
            else
                continue;
            evaluateIsocline(tStar);
        }
    }
    matrixTemperature =
        static_cast<float>(std::trunc(static_cast<double>(temperatureSum) * 100 + 0.5) / 100);
}

void computeTemperature()
{
    countOnesAbove(rowCount, columnCount);
    fitIsocline();
    measureTemperature();
}
