// NODF of rows, columns and in total.
//
// The overlap of two rows is counted on the rows packed into 64-bit words,
// one popcount per word of the AND of the two rows; columns likewise. The
// counts are exact integers, so every pair value is the same as one counted
// cell by cell, and the sums are still accumulated in single precision in
// table order, so every reported value is unchanged by the packing.
#include "nodf/nodf_metric.h"

#include <algorithm>
#include <cstdint>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "nodf/nodf_reports.h"

namespace {

constexpr int kWordBits = 64;
constexpr int kWordsPerLine = (kTableSide + kWordBits - 1) / kWordBits;

typedef std::uint64_t PackedLines[kTableSide][kWordsPerLine];

PackedLines packedRows;     // row i of nodfMatrix, cell j at bit j
PackedLines packedColumns;  // column j of nodfMatrix, cell i at bit i

// The row and column of workingMatrix now at each position of nodfMatrix.
// Ordering exchanges these numbers instead of whole rows and columns: an
// exchange sort of 3000 rows can make millions of exchanges.
int rowSource[kTableSide];
int columnSource[kTableSide];

inline int popcount(std::uint64_t word)
{
#if defined(_MSC_VER)
    return static_cast<int>(__popcnt64(word));
#else
    return __builtin_popcountll(word);
#endif
}

int wordsFor(int cells)
{
    return (cells + kWordBits - 1) / kWordBits;
}

void countTotals(int rows, int columns)
{
    std::fill(columnTotals, columnTotals + columns, 0);
    for (int r = 0; r < rows; r++) {
        const unsigned char* cells = workingMatrix[r];
        int total = 0;
        for (int c = 0; c < columns; c++) {
            total += cells[c];
            columnTotals[c] += cells[c];
        }
        rowTotals[r] = total;
    }
}

void setIdentity(int* source, int count)
{
    for (int i = 0; i < count; i++)
        source[i] = i;
}

// Exchange sort into non-increasing totals. Position i is exchanged with
// every later position whose total beats the total now at i, so lines of
// equal total end in whatever order these exchanges leave them; the reports
// show that order, so it is kept exactly.
void orderByTotals(int* totals, int* source, int count)
{
    for (int i = 0; i < count; i++) {
        // The line at i is held in key and keySource while the pass runs;
        // the exchanges are selects rather than branches, because whether a
        // line beats the key cannot be predicted.
        int key = totals[i];
        int keySource = source[i];
        for (int k = i + 1; k < count; k++) {
            int total = totals[k];
            int lineSource = source[k];
            bool beats = total > key;
            totals[k] = beats ? key : total;
            source[k] = beats ? keySource : lineSource;
            key = beats ? total : key;
            keySource = beats ? lineSource : keySource;
        }
        totals[i] = key;
        source[i] = keySource;
    }
}

void fillNodfMatrix(int rows, int columns)
{
    for (int i = 0; i < rows; i++) {
        const unsigned char* from = workingMatrix[rowSource[i]];
        unsigned char* to = nodfMatrix[i];
        for (int j = 0; j < columns; j++)
            to[j] = from[columnSource[j]];
    }
}

// The bits of eight cells (each 0 or 1), first cell at bit 0: the cells
// are gathered as the bytes of one word, and the multiplication moves the
// low bit of every byte into the top byte, in order, without carries.
std::uint64_t eightCellBits(const unsigned char* cells)
{
    std::uint64_t bytes = 0;
    for (int b = 0; b < 8; b++)
        bytes |= static_cast<std::uint64_t>(cells[b]) << (8 * b);
    return (bytes * 0x0102040810204080u) >> 56;
}

// Packs count cells into words, cell t of the line at bit t % 64 of word
// t / 64; the bits past count stay 0.
void packLine(const unsigned char* cells, int count, std::uint64_t* words)
{
    for (int w = 0; w * kWordBits < count; w++) {
        const unsigned char* first = cells + w * kWordBits;
        int inWord = std::min(kWordBits, count - w * kWordBits);
        std::uint64_t word = 0;
        int t = 0;
        for (; t + 8 <= inWord; t += 8)
            word |= eightCellBits(first + t) << t;
        for (; t < inWord; t++)
            word |= static_cast<std::uint64_t>(first[t]) << t;
        words[w] = word;
    }
}

void packRows(int rows, int columns)
{
    for (int i = 0; i < rows; i++)
        packLine(nodfMatrix[i], columns, packedRows[i]);
}

// Transposes a 64 by 64 bit block in place: bit t of block[s] trades
// places with bit s of block[t]. Each round swaps the off-diagonal
// quadrants of every sub-block, halving the sub-block size.
void transposeBlock(std::uint64_t* block)
{
    std::uint64_t mask = 0x00000000FFFFFFFFu;
    for (int half = 32; half != 0; half >>= 1, mask ^= mask << half) {
        for (int s = 0; s < kWordBits; s = ((s | half) + 1) & ~half) {
            std::uint64_t swapped = ((block[s] >> half) ^ block[s | half]) & mask;
            block[s] ^= swapped << half;
            block[s | half] ^= swapped;
        }
    }
}

// The columns of nodfMatrix as packed lines, transposed block by block from
// the packed rows.
void packColumns(int rows, int columns)
{
    std::uint64_t block[kWordBits];
    for (int v = 0; v * kWordBits < rows; v++) {
        int firstRow = v * kWordBits;
        int rowsInBlock = std::min(kWordBits, rows - firstRow);
        for (int w = 0; w * kWordBits < columns; w++) {
            for (int s = 0; s < kWordBits; s++)
                block[s] = s < rowsInBlock ? packedRows[firstRow + s][w] : 0;
            transposeBlock(block);
            int firstColumn = w * kWordBits;
            int columnsInBlock = std::min(kWordBits, columns - firstColumn);
            for (int t = 0; t < columnsInBlock; t++)
                packedColumns[firstColumn + t][v] = block[t];
        }
    }
}

// Cells set in both lines. Long lines keep four running counts, so that
// the popcounts of successive words overlap instead of waiting on one
// another; short lines gain nothing from it.
int sharedCells(const std::uint64_t* earlier, const std::uint64_t* later, int words)
{
    int shared = 0;
    int w = 0;
    if (words >= 8) {
        int counts[4] = {0, 0, 0, 0};
        for (; w + 4 <= words; w += 4)
            for (int lane = 0; lane < 4; lane++)
                counts[lane] += popcount(earlier[w + lane] & later[w + lane]);
        shared = counts[0] + counts[1] + counts[2] + counts[3];
    }
    for (; w < words; w++)
        shared += popcount(earlier[w] & later[w]);
    return shared;
}

// Fills the pair table of count lines and returns the sum of its entries,
// added in single precision by first index, then second index. Entry [k][i]
// (k > i) is the share of the later line's presences that the earlier line
// also holds, counted only when the earlier line is strictly fuller and the
// later one holds any; every other entry is 0, and the sum skips those, as
// adding 0 would change nothing.
float fillPairTable(float (*table)[kTableSide], const int* totals, const PackedLines& lines,
                    int count, int words)
{
    float sum = 0.0f;
    for (int k = 0; k < count; k++) {
        float* entries = table[k];
        std::fill(entries, entries + count, 0.0f);
        int later = totals[k];
        if (later == 0)
            continue;
        const std::uint64_t* laterLine = lines[k];
        for (int i = 0; i < k; i++) {
            if (totals[i] <= later)
                continue;
            int shared = sharedCells(lines[i], laterLine, words);
            float entry = static_cast<float>(static_cast<double>(shared) / later);
            entries[i] = entry;
            sum = static_cast<float>(static_cast<double>(sum) + entry);
        }
    }
    return sum;
}

float pairCount(int lines)
{
    return static_cast<float>(static_cast<double>(lines * (lines - 1)) / 2.0);
}

void addToNullModel(float& sum, int& exceedCount)
{
    sum = static_cast<float>(static_cast<double>(sum) + nodfTotal);
    if (nodfTotal > observedNodfTotal)
        exceedCount++;
}

void recordRunTotal(NodfRunKind kind)
{
    switch (kind) {
    case Observed:
        if (nullModelsEnabled)
            observedNodfTotal = nodfTotal;
        break;
    case Er:
        addToNullModel(erNodfSum, erExceedCount);
        break;
    case Ce:
        addToNullModel(ceNodfSum, ceExceedCount);
        break;
    case Li:
    case Co:
        break;
    }
}

}  // namespace

void measureNodf()
{
    const int rows = rowCount;
    const int columns = columnCount;
    countTotals(rows, columns);
    setIdentity(rowSource, rows);
    setIdentity(columnSource, columns);
    if (orderMatrix) {
        orderByTotals(rowTotals, rowSource, rows);
        orderByTotals(columnTotals, columnSource, columns);
    }
    fillNodfMatrix(rows, columns);
    packRows(rows, columns);
    packColumns(rows, columns);

    float rowSum = fillPairTable(rowPairTable, rowTotals, packedRows, rows, wordsFor(columns));
    float rowPairs = pairCount(rows);
    nodfRows = static_cast<float>(static_cast<double>(rowSum) / rowPairs);

    float columnSum =
        fillPairTable(columnPairTable, columnTotals, packedColumns, columns, wordsFor(rows));
    float columnPairs = pairCount(columns);
    nodfColumns = static_cast<float>(static_cast<double>(columnSum) / columnPairs);

    // Pooled over all row and column pairs, not the mean of the two sides.
    nodfTotal = static_cast<float>(
        (static_cast<double>(columnSum) + static_cast<double>(rowSum)) /
        (static_cast<double>(rowPairs) + static_cast<double>(columnPairs)));
}

void computeNodf(NodfRunKind kind)
{
    measureNodf();
    if (kind == Observed)
        writeObservedNodfReports();
    recordRunTotal(kind);
}
