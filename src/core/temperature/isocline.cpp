// Isocline fitting and temperature measurement.
#include "core/temperature/isocline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace bravolin {

namespace {

// Refinement steps of the searches along the curve: 0.1, then each step a
// tenth of the last, stored in single precision, until the quotient falls
// below this single-precision bound. That gives exactly four levels (0.1,
// 0.01, 0.001, 0.0001): the fifth quotient is just below 0.00001f.
constexpr float kFirstStep = 0.1f;
constexpr float kSmallestStep = 0.00001f;
constexpr float kTemperatureScale = 2412.0f;

// The shapes a context keeps (their column points, and the cell distances
// of matrices up to kMostDistanceCells cells), before it starts afresh.
constexpr std::size_t kShapeCacheBytes = std::size_t{64} << 20;
constexpr std::size_t kMostDistanceCells = std::size_t{2} << 20;

constexpr float nextStep(float step)
{
    return static_cast<float>(static_cast<double>(step) / 10);
}

std::uint16_t& onesAbove(TemperatureContext& ctx, int i, int j)
{
    return ctx.onesAbove[static_cast<std::size_t>(i) * static_cast<std::size_t>(ctx.columns + 1) +
                         static_cast<std::size_t>(j)];
}

void countOnesAbove(TemperatureContext& ctx, const StopRequest& stop)
{
    const int rows = ctx.rows, columns = ctx.columns;
    const std::size_t width = static_cast<std::size_t>(columns) + 1;
    ctx.onesAbove.assign((static_cast<std::size_t>(rows) + 1) * width, 0);
    const CellMatrix& matrix = *ctx.matrix;
    for (int i = 1; i <= rows; i++) {
        stop.abandonAtLineIfRequested(i);
        const std::uint16_t* above = ctx.onesAbove.data() + static_cast<std::size_t>(i - 1) * width;
        std::uint16_t* here = ctx.onesAbove.data() + static_cast<std::size_t>(i) * width;
        const unsigned char* cells = matrix[i];
        for (int j = 1; j <= columns; j++)
            here[j] = static_cast<std::uint16_t>(above[j] + cells[j]);
    }
}

inline double curveX(const TemperatureContext& ctx, double t)
{
    return ctx.curveCoefficientsX[0] * t * t * t + ctx.curveCoefficientsX[1] * t * t +
           ctx.curveCoefficientsX[2] * t + ctx.controlX[0];
}

inline double curveY(const TemperatureContext& ctx, double t)
{
    return ctx.curveCoefficientsY[0] * t * t * t + ctx.curveCoefficientsY[1] * t * t +
           ctx.curveCoefficientsY[2] * t + ctx.controlY[0];
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

// The column search finds the isocline's point at a column's centre x0: t
// walks up from 0 in steps of 0.1, 0.01, 0.001 and 0.0001, stepping back
// and refining at every overshoot (x(t) beyond x0, or t reaching 1); the
// point is the last t reached with x(t) <= x0 and t < 1.
//
// The fit runs the column search for every column and every value of the
// parameter. All columns walk the same points at the
// first level (0.1, 0.2, ...), and columns that overshoot there at the same
// point walk the same points at the second level; those points and the
// curve's x there are computed once per shape and shared. The third and
// fourth levels are walked column by column. Every column still gets
// exactly the t of its own search.
constexpr float kLevelSteps[4] = {kFirstStep, nextStep(kFirstStep), nextStep(nextStep(kFirstStep)),
                                  nextStep(nextStep(nextStep(kFirstStep)))};
static_assert(nextStep(kLevelSteps[3]) < kSmallestStep, "the searches run four levels");
static_assert(!(kLevelSteps[3] < kSmallestStep), "the searches run four levels");

// A level walks at most 101 points before t reaches 1, so a grid's capacity
// is never exceeded; were it, the points beyond would simply be computed
// again at each walk.
void prepareGrid(SearchGrid& grid, std::uint32_t shape, float start, float step)
{
    if (grid.shape == shape && grid.start == start && grid.step == step)
        return;
    grid.shape = shape;
    grid.start = start;
    grid.step = step;
    grid.count = 0;
}

// Walks the grid until the curve overshoots x0 (or t reaches 1); returns
// the point one step back from there, where the next level starts, and the
// index of the overshooting point.
float walkGridToOvershoot(const TemperatureContext& ctx, SearchGrid& grid, float x0, int* index)
{
    float t = grid.start;
    for (int i = 1;; i++) {
        float x;
        if (i <= grid.count) {
            t = grid.t[i];
            x = grid.x[i];
        } else {
            t = static_cast<float>(static_cast<double>(t) + grid.step);
            x = static_cast<float>(curveX(ctx, t));
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

// The t that the column search finds for x0, for the current shape.
float searchColumnT(TemperatureContext& ctx, float x0)
{
    int index;
    prepareGrid(ctx.firstLevelGrid, ctx.shape, 0, kLevelSteps[0]);
    float t = walkGridToOvershoot(ctx, ctx.firstLevelGrid, x0, &index);
    SearchGrid& second = ctx.secondLevelGrids[index % kSecondLevelGrids];
    prepareGrid(second, ctx.shape, t, kLevelSteps[1]);
    t = walkGridToOvershoot(ctx, second, x0, &index);
    for (int level = 2; level < 4; level++) {
        const float step = kLevelSteps[level];
        for (;;) {
            const float next = static_cast<float>(static_cast<double>(t) + step);
            if (static_cast<float>(curveX(ctx, next)) > x0 || next >= 1) {
                t = static_cast<float>(static_cast<double>(next) - step);
                break;
            }
            t = next;
        }
    }
    return t;
}

// The points of every column for the shape in force, and the rows above
// the curve there.
void findColumnPoints(TemperatureContext& ctx, IsoclineShape& shape)
{
    const int m = ctx.rows, n = ctx.columns;
    const std::size_t size = static_cast<std::size_t>(n) + 1;
    shape.columnT.resize(size);
    shape.columnX.resize(size);
    shape.columnY.resize(size);
    shape.rowsAbove.resize(size);
    for (int j = 1; j <= n; j++) {
        const float t = searchColumnT(ctx, static_cast<float>(j - 0.5));
        shape.columnT[j] = t;
        shape.columnX[j] = static_cast<float>(curveX(ctx, t));
        shape.columnY[j] = static_cast<float>(curveY(ctx, t));
        shape.rowsAbove[j] = m - rowsOnOrBelow(shape.columnY[j], m);
    }
    ctx.shapeBytes += 4 * size * sizeof(float);
}

// The shape of the current coefficients, found or made.
IsoclineShape& shapeInForce(TemperatureContext& ctx)
{
    IsoclineShapeKey key = {ctx.rows, ctx.columns, {}};
    for (int i = 0; i < 3; i++) {
        key.coefficients[i] = ctx.curveCoefficientsX[i];
        key.coefficients[3 + i] = ctx.curveCoefficientsY[i];
    }
    auto found = ctx.shapes.find(key);
    if (found != ctx.shapes.end())
        return found->second;
    IsoclineShape& shape = ctx.shapes[key];
    findColumnPoints(ctx, shape);
    return shape;
}

// The stop rule of the fit: the unexpected presences have caught up with
// the unexpected absences (or, for a matrix at least half full, the other
// way round).
bool fitIsDone(const TemperatureContext& ctx)
{
    if (ctx.packedPercentFill < 50)
        return ctx.unexpectedPresences >= ctx.unexpectedAbsences;
    return ctx.unexpectedPresences <= ctx.unexpectedAbsences;
}

// Raises the isocline parameter in steps of 0.01 until the unexpected
// presences and absences cross. A matrix that packing has trimmed always
// gets there; should one that was not trimmed be handed over, the loop
// stops once adding 0.01 no longer changes the single-precision parameter,
// for from then on every pass would repeat the last one.
void fitIsocline(TemperatureContext& ctx, const StopRequest& stop)
{
    float p = 0;
    for (;;) {
        stop.abandonIfRequested();
        setIsoclineShape(ctx, p);
        countUnexpectedCells(ctx);
        if (fitIsDone(ctx))
            break;
        float next = static_cast<float>(static_cast<double>(p) + 0.01f);
        if (next == p)
            break;
        p = next;
    }
    ctx.isoclineParameter = p;
}

// Whether a walk moves on from the curve point (t, x, y): the line
// ly = diagonalSlope x + b is still above the curve (forward) or below it
// (backward), and the next step stays inside (0, 1).
inline bool walkAdvances(float slope, float t, float x, float y, float b, float step, bool forward)
{
    const float ly = static_cast<float>(static_cast<double>(slope) * x + b);
    return forward ? ly > y && static_cast<double>(t) + step < 1
                   : ly < y && static_cast<double>(t) - step > 0;
}

inline float stepFrom(float t, float step, bool forward)
{
    return static_cast<float>(forward ? static_cast<double>(t) + step : static_cast<double>(t) - step);
}

// The walks of the unexpected cells of a column all start at the column's
// t*, forward or backward, so their first levels visit the same points, and
// walks that leave the first level at the same point visit the same points
// at the second. Those points are evaluated once per column; each walk
// compares them with its own line. A level advances at most 1 / step times
// before t + step leaves (0, 1), so the first level has at most 11 points
// and the second at most 101.
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
int walkSharedLevel(const TemperatureContext& ctx, WalkLevelPoints<capacity>& level, float step,
                    bool forward, float b)
{
    for (int i = 0;; i++) {
        if (i == level.count) {
            const float t = stepFrom(level.t[i - 1], step, forward);
            level.t[i] = t;
            level.x[i] = static_cast<float>(curveX(ctx, t));
            level.y[i] = static_cast<float>(curveY(ctx, t));
            level.count++;
        }
        if (!walkAdvances(ctx.diagonalSlope, level.t[i], level.x[i], level.y[i], b, step, forward))
            return i;
    }
}

void startColumnWalks(TemperatureContext& ctx, float tStar, float xStar, float yStar)
{
    for (int side = 0; side < 2; side++) {
        startLevel(ctx.firstLevelPoints[side], tStar, xStar, yStar);
        for (auto& level : ctx.secondLevelPoints[side])
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
void walkToIsocline(TemperatureContext& ctx, float b, bool forward)
{
    const int side = forward ? 1 : 0;
    auto& first = ctx.firstLevelPoints[side];
    const int firstStop = walkSharedLevel(ctx, first, kLevelSteps[0], forward, b);
    const int firstResume = firstStop > 0 ? firstStop - 1 : 0;
    auto& second = ctx.secondLevelPoints[side][firstStop];
    if (second.count == 0)
        startLevel(second, first.t[firstResume], first.x[firstResume], first.y[firstResume]);
    const int secondStop = walkSharedLevel(ctx, second, kLevelSteps[1], forward, b);
    const int secondResume = secondStop > 0 ? secondStop - 1 : 0;

    float t = second.t[secondResume], x = second.x[secondResume], y = second.y[secondResume];
    float previousT = t, previousX = x, previousY = y;
    for (int level = 2; level < 4; level++) {
        const float step = kLevelSteps[level];
        for (bool known = true;; known = false) {
            if (!known) {
                x = static_cast<float>(curveX(ctx, t));
                y = static_cast<float>(curveY(ctx, t));
            }
            if (!walkAdvances(ctx.diagonalSlope, t, x, y, b, step, forward))
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
    ctx.curvePointT = t;
    ctx.curvePointX = x;
    ctx.curvePointY = y;
}

// The relative distance of an unexpected cell, centred at (cx0, cy0), to
// the isocline, given the isocline point (x*, y*) at its column: along the
// line through the cell parallel to the diagonal, divided by that line's
// length D inside the matrix.
float unexpectedCellDistance(TemperatureContext& ctx, float xStar, float cx0, float cy0, bool forward)
{
    const int m = ctx.rows;
    const double slope = ctx.diagonalSlope;
    float b = static_cast<float>(static_cast<double>(cy0) - slope * xStar);
    float h = b > m ? static_cast<float>(2.0 * m - b) : b;
    float w = static_cast<float>(-static_cast<double>(h) / slope);
    float D = static_cast<float>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(w) * w));
    walkToIsocline(ctx, b, forward);
    double dx = static_cast<double>(ctx.curvePointX) - cx0;
    double dy = static_cast<double>(ctx.curvePointY) - cy0;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy) / D);
}

// Adds an unexpected cell at distance d to the sums.
void addUnexpectedCell(TemperatureContext& ctx, int i, int j, float d)
{
    const int m = ctx.rows, n = ctx.columns;
    if (d > 0) {
        const double weight = static_cast<double>(kTemperatureScale) * d * d;
        ctx.temperatureSum = static_cast<float>(ctx.temperatureSum + weight / (m * n));
        ctx.columnTemperature[j] = static_cast<float>(ctx.columnTemperature[j] + weight / m);
        ctx.rowTemperature[i] = static_cast<float>(ctx.rowTemperature[i] + weight / n);
    }
}

}  // namespace

void prepareTemperature(TemperatureContext& ctx, const PackingContext& packed)
{
    ctx.matrix = &packed.matrix;
    ctx.rows = packed.rowCount;
    ctx.columns = packed.columnCount;
    ctx.packedPercentFill = packed.packedPercentFill;
    ctx.isoclineParameter = 0;
    for (int i = 0; i < 4; i++)
        ctx.controlX[i] = ctx.controlY[i] = 0;
    for (int i = 0; i < 3; i++)
        ctx.curveCoefficientsX[i] = ctx.curveCoefficientsY[i] = 0;
    ctx.curvePointT = ctx.curvePointX = ctx.curvePointY = 0;
    ctx.unexpectedPresences = ctx.unexpectedAbsences = 0;
    ctx.diagonalSlope = 0;
    ctx.temperatureSum = 0;
    ctx.matrixTemperature = 0;
    ctx.currentShape = nullptr;
    if (ctx.shapeBytes > kShapeCacheBytes) {
        ctx.shapes.clear();
        ctx.shapeBytes = 0;
    }
}

bool IsoclineShapeKey::operator==(const IsoclineShapeKey& other) const
{
    if (rows != other.rows || columns != other.columns)
        return false;
    for (int i = 0; i < 6; i++)
        if (coefficients[i] != other.coefficients[i])
            return false;
    return true;
}

std::size_t IsoclineShapeKeyHash::operator()(const IsoclineShapeKey& key) const
{
    std::size_t hash = static_cast<std::size_t>(key.rows) * 1000003u + static_cast<std::size_t>(key.columns);
    for (int coefficient : key.coefficients)
        hash = hash * 31u + static_cast<std::size_t>(static_cast<unsigned>(coefficient));
    return hash;
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

void setIsoclineShape(TemperatureContext& ctx, float p)
{
    const int m = ctx.rows, n = ctx.columns;
    const double q = static_cast<double>(p);
    double* controlX = ctx.controlX;
    double* controlY = ctx.controlY;
    controlX[0] = controlY[0] = 0.5;
    controlX[3] = n - 0.5;
    controlY[3] = m - 0.5;
    if (ctx.packedPercentFill < 50) {
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
    if (++ctx.shape == 0)
        ctx.shape = 1;
    int& ax = ctx.curveCoefficientsX[0];
    int& bx = ctx.curveCoefficientsX[1];
    int& cx = ctx.curveCoefficientsX[2];
    int& ay = ctx.curveCoefficientsY[0];
    int& by = ctx.curveCoefficientsY[1];
    int& cy = ctx.curveCoefficientsY[2];
    cx = roundCoefficient(3 * (controlX[1] - controlX[0]));
    bx = roundCoefficient(3 * (controlX[2] - controlX[1]) - cx);
    ax = roundCoefficient(controlX[3] - controlX[0] - bx - cx);
    cy = roundCoefficient(3 * (controlY[1] - controlY[0]));
    // Here the rounding comes before cy is taken off, unlike bx.
    by = roundCoefficient(3 * (controlY[2] - controlY[1])) - cy;
    ay = roundCoefficient(controlY[3] - controlY[0] - by - cy);
    ctx.currentShape = &shapeInForce(ctx);
}

void evaluateIsocline(TemperatureContext& ctx, float t)
{
    ctx.curvePointT = t;
    ctx.curvePointX = static_cast<float>(curveX(ctx, t));
    ctx.curvePointY = static_cast<float>(curveY(ctx, t));
}

void countUnexpectedCells(TemperatureContext& ctx)
{
    const int m = ctx.rows, n = ctx.columns;
    ctx.unexpectedPresences = ctx.unexpectedAbsences = 0;
    const int* rowsAbove = ctx.currentShape->rowsAbove.data();
    for (int j = 1; j <= n; j++) {
        // Rows above + 1 .. m lie on or below the curve, rows 1..above above it.
        const int above = rowsAbove[j];
        ctx.unexpectedPresences += onesAbove(ctx, m, j) - onesAbove(ctx, above, j);
        ctx.unexpectedAbsences += above - onesAbove(ctx, above, j);
    }
}

void measureTemperature(TemperatureContext& ctx, const StopRequest& stop)
{
    const int m = ctx.rows, n = ctx.columns;
    const CellMatrix& matrix = *ctx.matrix;
    IsoclineShape& shape = *ctx.currentShape;
    const std::size_t width = static_cast<std::size_t>(n) + 1;
    const bool keepDistances = (static_cast<std::size_t>(m) + 1) * width <= kMostDistanceCells;
    if (keepDistances && shape.distance.empty()) {
        shape.distance.assign((static_cast<std::size_t>(m) + 1) * width, std::nanf(""));
        ctx.shapeBytes += shape.distance.size() * sizeof(float);
    }
    ctx.rowTemperature.assign(static_cast<std::size_t>(m) + 1, 0.0f);
    ctx.columnTemperature.assign(width, 0.0f);
    if (ctx.keepCellParts) {
        ctx.cellPart.assign((static_cast<std::size_t>(m) + 1) * width, 0.0f);
        ctx.cellUnexpected.assign((static_cast<std::size_t>(m) + 1) * width, 0);
    }
    ctx.diagonalSlope = static_cast<float>(-static_cast<double>(m) / n);
    for (int j = 1; j <= n; j++) {
        if (j % 64 == 0)
            stop.abandonIfRequested();
        // The point the column search finds.
        const float tStar = shape.columnT[j], xStar = shape.columnX[j], yStar = shape.columnY[j];
        bool walksStarted = false;
        for (int i = m; i >= 1; i--) {
            const float yy = static_cast<float>((m - i) + 0.5);
            const unsigned char cell = matrix[i][j];
            const bool absence = yStar < yy && cell == 0;
            if (!absence && !(yStar >= yy && cell == 1))
                continue;
            float* known = keepDistances ? shape.distance.data() + static_cast<std::size_t>(i) * width + static_cast<std::size_t>(j)
                                         : nullptr;
            float d;
            if (known != nullptr && !std::isnan(*known)) {
                d = *known;
            } else {
                if (!walksStarted) {
                    startColumnWalks(ctx, tStar, xStar, yStar);
                    walksStarted = true;
                }
                const float cx0 = static_cast<float>(absence ? j - 0.501 : j - 0.5);
                d = unexpectedCellDistance(ctx, xStar, cx0, yy, absence);
                if (known != nullptr)
                    *known = d;
            }
            addUnexpectedCell(ctx, i, j, d);
            if (ctx.keepCellParts) {
                const std::size_t cell = static_cast<std::size_t>(i) * width + static_cast<std::size_t>(j);
                ctx.cellUnexpected[cell] = 1;
                ctx.cellPart[cell] = static_cast<float>(static_cast<double>(kTemperatureScale) * d * d / (m * n));
            }
        }
        evaluateIsocline(ctx, tStar);
    }
    ctx.matrixTemperature =
        static_cast<float>(std::trunc(static_cast<double>(ctx.temperatureSum) * 100 + 0.5) / 100);
}

std::vector<std::pair<double, double>> isoclinePoints(const TemperatureContext& ctx, int count)
{
    std::vector<double> ts;
    for (int k = 0; k <= count; k++)
        ts.push_back(static_cast<double>(k) / count);
    if (ctx.currentShape != nullptr)
        for (int j = 1; j <= ctx.columns; j++)
            ts.push_back(ctx.currentShape->columnT[static_cast<std::size_t>(j)]);
    std::sort(ts.begin(), ts.end());
    std::vector<std::pair<double, double>> points;
    // In single precision, as the analysis holds the column points.
    for (double t : ts) {
        const float single = static_cast<float>(t);
        points.emplace_back(static_cast<float>(curveX(ctx, single)), static_cast<float>(curveY(ctx, single)));
    }
    return points;
}

void computeTemperature(TemperatureContext& ctx, const PackingContext& packed, const StopRequest& stop)
{
    prepareTemperature(ctx, packed);
    countOnesAbove(ctx, stop);
    fitIsocline(ctx, stop);
    measureTemperature(ctx, stop);
}

}  // namespace bravolin
