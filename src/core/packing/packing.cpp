// Packing of the working matrix by rank scores, and the trimming after it.
//
// A reordering pass scores every line (a column in sortCols, a row in
// sortRows) by where its 1 cells and its 0 cells stand, ranks the lines by
// both scores with an exchange sort, and moves each line to the place given
// by the mean of its two ranks. The exchange sorts decide the order among
// equal scores and so the packed matrix itself (exchange_sort.h).
#include "core/packing/packing.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

#include "core/packing/exchange_sort.h"

namespace bravolin {

namespace {

// Adds a whole-number term to a single-precision running score: the sum is
// rounded to single precision after every addition.
inline float addTerm(float score, int term)
{
    return static_cast<float>(static_cast<double>(score) + term);
}

// Whether every partial score of lines of this many cells is a whole number
// below 2^24, which single precision holds exactly: the largest score is the
// sum of k squared for k = 1..cellsPerLine. Such scores can be summed as
// integers with the very same result as the rounded single-precision sums.
bool scoresAreExactIntegers(int cellsPerLine)
{
    const long long n = cellsPerLine;
    return n * (n + 1) * (2 * n + 1) / 6 < (1LL << 24);
}

// Scores of the lines of a pass. Line l's cells are cell(l, k) for
// k = 1..cellsPerLine; a 1 at k adds k squared to the presence score, a 0
// adds (cellsPerLine - k + 1) squared to the absence score, in order of k.
// Adding 0 leaves a score unchanged, so both sums take a term at every cell
// without a branch.
//
// The column pass walks the matrix row by row, so that it reads memory in
// order; each column's scores still receive their terms in order of rows.
void scoreColumns(PackingContext& ctx, int rows, int columns, const StopRequest& stop)
{
    PackingScratch& s = ctx.scratch;
    const bool exact = scoresAreExactIntegers(rows);
    for (int c = 1; c <= columns; c++) {
        s.presenceScore[c] = s.absenceScore[c] = 0;
        s.presenceSum[c] = s.absenceSum[c] = 0;
    }
    for (int r = 1; r <= rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const int presenceTerm = r * r;
        const int absenceTerm = (rows - r + 1) * (rows - r + 1);
        const unsigned char* cells = ctx.matrix[r];
        if (exact) {
            int* presenceSum = s.presenceSum.data();
            int* absenceSum = s.absenceSum.data();
            for (int c = 1; c <= columns; c++) {
                presenceSum[c] += cells[c] * presenceTerm;
                absenceSum[c] += (1 - cells[c]) * absenceTerm;
            }
            continue;
        }
        for (int c = 1; c <= columns; c++) {
            s.presenceScore[c] = addTerm(s.presenceScore[c], cells[c] * presenceTerm);
            s.absenceScore[c] = addTerm(s.absenceScore[c], (1 - cells[c]) * absenceTerm);
        }
    }
    if (exact)
        for (int c = 1; c <= columns; c++) {
            s.presenceScore[c] = static_cast<float>(s.presenceSum[c]);
            s.absenceScore[c] = static_cast<float>(s.absenceSum[c]);
        }
}

void scoreRows(PackingContext& ctx, int rows, int columns, const StopRequest& stop)
{
    PackingScratch& s = ctx.scratch;
    const bool exact = scoresAreExactIntegers(columns);
    for (int r = 1; r <= rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const unsigned char* cells = ctx.matrix[r];
        if (exact) {
            int presence = 0, absence = 0;
            for (int c = 1; c <= columns; c++) {
                presence += cells[c] * c * c;
                absence += (1 - cells[c]) * (columns - c + 1) * (columns - c + 1);
            }
            s.presenceScore[r] = static_cast<float>(presence);
            s.absenceScore[r] = static_cast<float>(absence);
            continue;
        }
        float presence = 0, absence = 0;
        for (int c = 1; c <= columns; c++) {
            presence = addTerm(presence, cells[c] * c * c);
            absence = addTerm(absence, (1 - cells[c]) * (columns - c + 1) * (columns - c + 1));
        }
        s.presenceScore[r] = presence;
        s.absenceScore[r] = absence;
    }
}

// Ranks the lines by their scores and orders them by the mean of their two
// ranks; afterwards keyLines[i] is the line to put at position i. A key is
// the mean of two ranks, a whole or half number; its double is kept,
// exactly, as an integer.
void rankLines(PackingScratch& s, int count, const StopRequest& stop)
{
    for (int l = 1; l <= count; l++) {
        s.presenceLines[l] = s.absenceLines[l] = s.keyLines[l] = l;
        s.presenceKeys[l] = scoreKey(s.presenceScore[l]);
        s.absenceKeys[l] = scoreKey(s.absenceScore[l]);
    }
    exchangeSort<SortOrder::Decreasing>(s.presenceKeys.data(), s.presenceLines.data(), count, stop);
    exchangeSort<SortOrder::Increasing>(s.absenceKeys.data(), s.absenceLines.data(), count, stop);
    // Ranks by line number: the lists hold every line once, so sorting them
    // back into line order is a direct placement.
    for (int i = 1; i <= count; i++) {
        s.presenceRank[s.presenceLines[i]] = i;
        s.absenceRank[s.absenceLines[i]] = i;
    }
    for (int l = 1; l <= count; l++)
        s.doubledKeys[l] = s.presenceRank[l] + s.absenceRank[l];
    exchangeSort<SortOrder::Increasing>(s.doubledKeys.data(), s.keyLines.data(), count, stop);
}

bool orderUnchanged(const PackingScratch& s, int count)
{
    for (int i = 1; i <= count; i++)
        if (s.keyLines[i] != i)
            return false;
    return true;
}

// New order[i] = old order[keyLines[i]], read from a copy of the old order.
void permuteOrder(PackingScratch& s, std::vector<int>& order, int count)
{
    for (int i = 1; i <= count; i++)
        s.order[i] = order[s.keyLines[i]];
    std::memcpy(&order[1], &s.order[1], sizeof(int) * static_cast<std::size_t>(count));
}

bool rowIsFull(const CellMatrix& matrix, int r, int columns)
{
    for (int c = 1; c <= columns; c++)
        if (matrix[r][c] != 1)
            return false;
    return true;
}

bool columnIsFull(const CellMatrix& matrix, int c, int rows)
{
    for (int r = 1; r <= rows; r++)
        if (matrix[r][c] != 1)
            return false;
    return true;
}

// The leading lines of the matrix that are full, counted while fewer than
// limit: rows (or columns) 1, 2, ... holding only presences.
int leadingFullRows(const CellMatrix& matrix, int rows, int columns)
{
    int full = 0;
    while (full < rows && rowIsFull(matrix, full + 1, columns))
        full++;
    return full;
}

int leadingFullColumns(const CellMatrix& matrix, int rows, int columns)
{
    int full = 0;
    while (full < columns && columnIsFull(matrix, full + 1, rows))
        full++;
    return full;
}

// Removes lines that say nothing about nestedness: trailing empty rows and
// columns, then all but one of the leading full rows and columns. At least
// one row and one column always stay. Leading lines are deleted by shifting
// the matrix; the orders stay, and removedFullRows / removedFullColumns give
// the offset at which they must be read.
//
// The lines are deleted in one shift, and the cells past the new end are
// left as deleting them one at a time leaves them: each of the vacated rows
// (columns) holds a copy of the last one, while the last keeps its own. The
// matrix is reused for the next matrix of a run, so its cells outside the
// analysed block are kept exactly as they always were.
void trimMatrix(PackingContext& ctx, const StopRequest& stop)
{
    CellMatrix& m = ctx.matrix;
    ctx.removedFullRows = ctx.removedFullColumns = 0;
    while (ctx.rowCount > 1 && rowIsEmpty(m, ctx.rowCount, 1, ctx.columnCount))
        ctx.rowCount--;
    while (ctx.columnCount > 1 && columnIsEmpty(m, ctx.columnCount, 1, ctx.rowCount))
        ctx.columnCount--;
    stop.abandonIfRequested();
    const int rows = ctx.rowCount, columns = ctx.columnCount;
    const int removedRows = std::max(0, leadingFullRows(m, rows, columns) - 1);
    if (removedRows > 0) {
        const std::size_t width = static_cast<std::size_t>(columns);
        for (int r = 1; r <= rows - removedRows; r++)
            std::memcpy(&m[r][1], &m[r + removedRows][1], width);
        for (int r = rows - removedRows + 1; r < rows; r++)
            std::memcpy(&m[r][1], &m[rows][1], width);
        ctx.rowCount -= removedRows;
        ctx.removedFullRows = removedRows;
    }
    stop.abandonIfRequested();
    const int removedColumns = std::max(0, leadingFullColumns(m, ctx.rowCount, columns) - 1);
    if (removedColumns > 0) {
        for (int r = 1; r <= ctx.rowCount; r++) {
            unsigned char* row = m[r];
            std::memmove(&row[1], &row[1 + removedColumns], static_cast<std::size_t>(columns - removedColumns));
            std::memset(&row[columns - removedColumns + 1], row[columns], static_cast<std::size_t>(removedColumns - 1));
        }
        ctx.columnCount -= removedColumns;
        ctx.removedFullColumns = removedColumns;
    }
}

void countOccupiedCells(PackingContext& ctx)
{
    ctx.occupiedCount = 0;
    for (int r = 1; r <= ctx.rowCount; r++)
        for (int c = 1; c <= ctx.columnCount; c++)
            ctx.occupiedCount += ctx.matrix[r][c];
}

void sizeScratch(PackingScratch& s, int rows, int columns)
{
    const std::size_t lines = static_cast<std::size_t>(rows > columns ? rows : columns) + 1;
    s.moved.resize(rows, columns);
    for (std::vector<int>* list : {&s.presenceLines, &s.absenceLines, &s.keyLines, &s.presenceRank,
                                   &s.absenceRank, &s.order, &s.presenceSum, &s.absenceSum})
        list->resize(lines);
    for (std::vector<std::int32_t>* keys : {&s.presenceKeys, &s.absenceKeys, &s.doubledKeys})
        keys->resize(lines);
    s.presenceScore.resize(lines);
    s.absenceScore.resize(lines);
}

// The orders of ctx as indices from 0.
std::vector<int> indexOrder(const std::vector<int>& order, int count)
{
    std::vector<int> indices(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; i++)
        indices[static_cast<std::size_t>(i - 1)] = order[static_cast<std::size_t>(i)] - 1;
    return indices;
}

}  // namespace

bool reorderColumns(PackingContext& ctx, const StopRequest& stop)
{
    PackingScratch& s = ctx.scratch;
    const int rows = ctx.rowCount, columns = ctx.columnCount;
    scoreColumns(ctx, rows, columns, stop);
    rankLines(s, columns, stop);
    if (orderUnchanged(s, columns))
        return false;
    const int* keyLines = s.keyLines.data();
    for (int r = 1; r <= rows; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* cells = ctx.matrix[r];
        unsigned char* moved = s.moved[r];
        for (int i = 1; i <= columns; i++)
            moved[i] = cells[keyLines[i]];
        std::memcpy(&cells[1], &moved[1], static_cast<std::size_t>(columns));
    }
    permuteOrder(s, ctx.columnOrder, columns);
    return true;
}

bool reorderRows(PackingContext& ctx, const StopRequest& stop)
{
    PackingScratch& s = ctx.scratch;
    const int rows = ctx.rowCount, columns = ctx.columnCount;
    scoreRows(ctx, rows, columns, stop);
    rankLines(s, rows, stop);
    if (orderUnchanged(s, rows))
        return false;
    for (int i = 1; i <= rows; i++)
        std::memcpy(&s.moved[i][1], &ctx.matrix[s.keyLines[i]][1], static_cast<std::size_t>(columns));
    for (int i = 1; i <= rows; i++)
        std::memcpy(&ctx.matrix[i][1], &s.moved[i][1], static_cast<std::size_t>(columns));
    permuteOrder(s, ctx.rowOrder, rows);
    return true;
}

void startMatrix(PackingContext& ctx, int rows, int columns)
{
    ctx.matrix.resize(rows, columns);
    ctx.rowCount = rows;
    ctx.columnCount = columns;
    ctx.rowOrder.resize(static_cast<std::size_t>(rows) + 1);
    ctx.columnOrder.resize(static_cast<std::size_t>(columns) + 1);
    for (int i = 0; i <= rows; i++)
        ctx.rowOrder[i] = i;
    for (int i = 0; i <= columns; i++)
        ctx.columnOrder[i] = i;
    ctx.removedFullRows = ctx.removedFullColumns = 0;
    ctx.occupiedCount = 0;
    ctx.packedPercentFill = 0;
    sizeScratch(ctx.scratch, rows, columns);
}

float fillPercentage(long long ones, int rows, int columns)
{
    return static_cast<float>(static_cast<double>(ones) / (rows * columns) * 1000.0 / 10.0);
}

void packMatrix(PackingContext& ctx, const StopRequest& stop, const PackingWatch* watch)
{
    // The order inside an iteration is fixed by the shape on entry.
    const bool columnsFirst = ctx.columnCount > ctx.rowCount;
    // A pass depends on nothing but the matrix. Once two passes in a row (a
    // row pass and a column pass) have both left it as it was, every later
    // pass would leave it too.
    int unchangedPasses = 0;
    for (int iteration = 1; iteration <= kPackingPasses / 2; iteration++) {
        for (int half = 0; half < 2; half++) {
            const bool columnPass = (half == 0) == columnsFirst;
            stop.abandonIfRequested();
            if (watch != nullptr && watch->beforePass)
                watch->beforePass();
            if (unchangedPasses < 2) {
                const bool moved = columnPass ? reorderColumns(ctx, stop) : reorderRows(ctx, stop);
                unchangedPasses = moved ? 0 : unchangedPasses + 1;
            }
            if (watch != nullptr && watch->history != nullptr)
                watch->history->push_back({iteration, columnPass, indexOrder(ctx.rowOrder, ctx.rowCount),
                                           indexOrder(ctx.columnOrder, ctx.columnCount)});
        }
    }
    trimMatrix(ctx, stop);
    countOccupiedCells(ctx);
    ctx.packedPercentFill = fillPercentage(ctx.occupiedCount, ctx.rowCount, ctx.columnCount);
}

}  // namespace bravolin
