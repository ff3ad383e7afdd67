// Packing of the working matrix by rank scores, and the trimming after it.
//
// A reordering pass scores every line (a column in sortCols, a row in
// sortRows) by where its 1 cells and its 0 cells stand, ranks the lines by
// both scores with an exchange sort, and moves each line to the place given
// by the mean of its two ranks. The exchange sorts decide the order among
// equal scores and so the packed matrix itself (exchange_sort.h).
#include "packing/packing.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/shared_state.h"
#include "packing/exchange_sort.h"
#include "packing/pack_report.h"

namespace {

// Scratch storage of a pass; its contents mean nothing between passes.
// The three ranking lists hold line numbers and values side by side: the
// presence and absence scores, and the keys. A key is the mean of two ranks,
// a whole or half number; its double is kept, exactly, as an integer.
MatrixTable scratchMatrix;
int presenceLines[kTableSide];
int absenceLines[kTableSide];
int keyLines[kTableSide];
std::int32_t doubledKeys[kTableSide];
int presenceRank[kTableSide];
int absenceRank[kTableSide];
int scratchOrder[kTableSide];
float presenceScore[kTableSide];
float absenceScore[kTableSide];


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
void scoreColumns(int rows, int columns)
{
    static int presenceSum[kTableSide], absenceSum[kTableSide];
    const bool exact = scoresAreExactIntegers(rows);
    for (int c = 1; c <= columns; c++) {
        presenceScore[c] = absenceScore[c] = 0;
        presenceSum[c] = absenceSum[c] = 0;
    }
    for (int r = 1; r <= rows; r++) {
        const int presenceTerm = r * r;
        const int absenceTerm = (rows - r + 1) * (rows - r + 1);
        const unsigned char* cells = workingMatrix[r];
        if (exact) {
            for (int c = 1; c <= columns; c++) {
                presenceSum[c] += cells[c] * presenceTerm;
                absenceSum[c] += (1 - cells[c]) * absenceTerm;
            }
            continue;
        }
        for (int c = 1; c <= columns; c++) {
            presenceScore[c] = addTerm(presenceScore[c], cells[c] * presenceTerm);
            absenceScore[c] = addTerm(absenceScore[c], (1 - cells[c]) * absenceTerm);
        }
    }
    if (exact)
        for (int c = 1; c <= columns; c++) {
            presenceScore[c] = static_cast<float>(presenceSum[c]);
            absenceScore[c] = static_cast<float>(absenceSum[c]);
        }
}

void scoreRows(int rows, int columns)
{
    const bool exact = scoresAreExactIntegers(columns);
    for (int r = 1; r <= rows; r++) {
        const unsigned char* cells = workingMatrix[r];
        if (exact) {
            int presence = 0, absence = 0;
            for (int c = 1; c <= columns; c++) {
                presence += cells[c] * c * c;
                absence += (1 - cells[c]) * (columns - c + 1) * (columns - c + 1);
            }
            presenceScore[r] = static_cast<float>(presence);
            absenceScore[r] = static_cast<float>(absence);
            continue;
        }
        float presence = 0, absence = 0;
        for (int c = 1; c <= columns; c++) {
            presence = addTerm(presence, cells[c] * c * c);
            absence = addTerm(absence, (1 - cells[c]) * (columns - c + 1) * (columns - c + 1));
        }
        presenceScore[r] = presence;
        absenceScore[r] = absence;
    }
}

// Ranks the lines by their scores and orders them by the mean of their two
// ranks; afterwards keyLines[i] is the line to put at position i.
void rankLines(int count)
{
    static std::int32_t presenceKeys[kTableSide], absenceKeys[kTableSide];
    for (int l = 1; l <= count; l++) {
        presenceLines[l] = absenceLines[l] = keyLines[l] = l;
        presenceKeys[l] = scoreKey(presenceScore[l]);
        absenceKeys[l] = scoreKey(absenceScore[l]);
    }
    exchangeSort<SortOrder::Decreasing>(presenceKeys, presenceLines, count);
    exchangeSort<SortOrder::Increasing>(absenceKeys, absenceLines, count);
    // Ranks by line number: the lists hold every line once, so sorting them
    // back into line order is a direct placement.
    for (int i = 1; i <= count; i++) {
        presenceRank[presenceLines[i]] = i;
        absenceRank[absenceLines[i]] = i;
    }
    for (int l = 1; l <= count; l++)
        doubledKeys[l] = presenceRank[l] + absenceRank[l];
    exchangeSort<SortOrder::Increasing>(doubledKeys, keyLines, count);
}

bool orderUnchanged(int count)
{
    for (int i = 1; i <= count; i++)
        if (keyLines[i] != i)
            return false;
    return true;
}

// New order[i] = old order[keyLines[i]], read from a copy of the old order.
void permuteOrder(int* order, int count)
{
    for (int i = 1; i <= count; i++)
        scratchOrder[i] = order[keyLines[i]];
    std::memcpy(&order[1], &scratchOrder[1], sizeof(int) * static_cast<std::size_t>(count));
}

bool rowIsFull(int r, int columns)
{
    for (int c = 1; c <= columns; c++)
        if (workingMatrix[r][c] != 1)
            return false;
    return true;
}

bool columnIsFull(int c, int rows)
{
    for (int r = 1; r <= rows; r++)
        if (workingMatrix[r][c] != 1)
            return false;
    return true;
}

// Removes lines that say nothing about nestedness: trailing empty rows and
// columns, then all but one of the leading full rows and columns. At least
// one row and one column always stay. Leading lines are deleted by shifting
// the matrix; the orders stay, and removedFullRows / removedFullColumns give
// the offset at which they must be read.
void trimMatrix()
{
    removedFullRows = removedFullColumns = 0;
    while (rowCount > 1 && workingRowIsEmpty(rowCount, columnCount))
        rowCount--;
    while (columnCount > 1 && workingColumnIsEmpty(columnCount, rowCount))
        columnCount--;
    while (rowCount > 1 && rowIsFull(1, columnCount) && rowIsFull(2, columnCount)) {
        for (int r = 1; r < rowCount; r++)
            std::memcpy(&workingMatrix[r][1], &workingMatrix[r + 1][1],
                        static_cast<std::size_t>(columnCount));
        rowCount--;
        removedFullRows++;
    }
    while (columnCount > 1 && columnIsFull(1, rowCount) && columnIsFull(2, rowCount)) {
        for (int r = 1; r <= rowCount; r++)
            std::memmove(&workingMatrix[r][1], &workingMatrix[r][2],
                         static_cast<std::size_t>(columnCount - 1));
        columnCount--;
        removedFullColumns++;
    }
}

void countOccupiedCells()
{
    occupiedCount = 0;
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++)
            occupiedCount += workingMatrix[r][c];
}

// A column pass without its spinner; returns whether it moved any column.
bool reorderColumns()
{
    const int rows = rowCount, columns = columnCount;
    scoreColumns(rows, columns);
    rankLines(columns);
    if (orderUnchanged(columns))
        return false;
    for (int r = 1; r <= rows; r++) {
        unsigned char* cells = workingMatrix[r];
        unsigned char* moved = scratchMatrix[r];
        for (int i = 1; i <= columns; i++)
            moved[i] = cells[keyLines[i]];
        std::memcpy(&cells[1], &moved[1], static_cast<std::size_t>(columns));
    }
    permuteOrder(columnOrder, columns);
    return true;
}

// A row pass without its spinner; returns whether it moved any row.
bool reorderRows()
{
    const int rows = rowCount, columns = columnCount;
    scoreRows(rows, columns);
    rankLines(rows);
    if (orderUnchanged(rows))
        return false;
    for (int i = 1; i <= rows; i++)
        std::memcpy(&scratchMatrix[i][1], &workingMatrix[keyLines[i]][1],
                    static_cast<std::size_t>(columns));
    for (int i = 1; i <= rows; i++)
        std::memcpy(&workingMatrix[i][1], &scratchMatrix[i][1], static_cast<std::size_t>(columns));
    permuteOrder(rowOrder, rows);
    return true;
}

}  // namespace

void showSpinner()
{
    static const char spinner[] = "|/-\\";
    spinnerCount++;
    if (progressLinesShown())
        std::printf("%04d - %c\r", runNumber, spinner[spinnerCount % 4]);
}

bool workingRowIsEmpty(int row, int columns)
{
    for (int c = 1; c <= columns; c++)
        if (workingMatrix[row][c] == 1)
            return false;
    return true;
}

bool workingColumnIsEmpty(int column, int rows)
{
    for (int r = 1; r <= rows; r++)
        if (workingMatrix[r][column] == 1)
            return false;
    return true;
}

float fillPercentage(int ones, int rows, int columns)
{
    return static_cast<float>(static_cast<double>(ones) / (rows * columns) * 1000.0 / 10.0);
}

void sortCols()
{
    showSpinner();
    reorderColumns();
}

void sortRows()
{
    showSpinner();
    reorderRows();
}

void packMatrix()
{
    writePackReport(0, 0);
    // The order inside an iteration is fixed by the shape on entry.
    const bool columnsFirst = columnCount > rowCount;
    // A pass depends on nothing but the matrix. Once two passes in a row (a
    // row pass and a column pass) have both left it as it was, every later
    // pass would leave it too: those only show the spinner and report.
    int unchangedPasses = 0;
    for (int iteration = 1; iteration <= 8; iteration++) {
        for (int half = 0; half < 2; half++) {
            const bool columnPass = (half == 0) == columnsFirst;
            showSpinner();
            if (unchangedPasses < 2) {
                const bool moved = columnPass ? reorderColumns() : reorderRows();
                unchangedPasses = moved ? 0 : unchangedPasses + 1;
            }
            writePackReport(columnPass ? 0 : 1, iteration);
        }
    }
    trimMatrix();
    countOccupiedCells();
    packedPercentFill = fillPercentage(occupiedCount, rowCount, columnCount);
    writePackReport(2, 0);
}
