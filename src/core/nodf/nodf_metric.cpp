// NODF of rows, columns and in total.
//
// The overlap of two rows is counted on the rows packed into 64-bit words,
// one popcount per word of the AND of the two rows; columns likewise. The
// counts are exact integers, so every pair value is the same as one counted
// cell by cell, and the sums are still accumulated in single precision in
// table order, so every reported value is unchanged by the packing.
#include "core/nodf/nodf_metric.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/bits.h"

namespace bravolin {

namespace {

void countTotals(NodfContext& ctx, const CellMatrix& matrix, const StopRequest& stop)
{
    const int rows = ctx.rows, columns = ctx.columns;
    ctx.rowTotals.assign(static_cast<std::size_t>(rows), 0);
    ctx.columnTotals.assign(static_cast<std::size_t>(columns), 0);
    int* columnTotals = ctx.columnTotals.data();
    for (int r = 0; r < rows; r++) {
        stop.abandonAtLineIfRequested(r);
        const unsigned char* cells = matrix[r];
        int total = 0;
        for (int c = 0; c < columns; c++) {
            total += cells[c];
            columnTotals[c] += cells[c];
        }
        ctx.rowTotals[static_cast<std::size_t>(r)] = total;
    }
}

void setIdentity(std::vector<int>& source, int count)
{
    source.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; i++)
        source[static_cast<std::size_t>(i)] = i;
}

// Exchange sort into non-increasing totals. Position i is exchanged with
// every later position whose total beats the total now at i, so lines of
// equal total end in whatever order these exchanges leave them; the order
// measured is reported, so it is kept exactly.
//
// The exchanges of position i form a chain: the first later total that
// beats the one at i, the first after it that beats that one, and so on.
// Each link takes the place of the next, and the last comes to i; no other
// position changes. So the chain is found by reading alone, and only its
// few links are moved.
void orderByTotals(int* totals, int* source, int count, std::vector<int>& chain, const StopRequest& stop)
{
    for (int i = 0; i < count; i++) {
        stop.abandonAtLineIfRequested(i);
        chain.clear();
        int key = totals[i];
        for (int k = i + 1; k < count; k++) {
            if (totals[k] > key) {
                chain.push_back(k);
                key = totals[k];
            }
        }
        int heldTotal = totals[i], heldSource = source[i];
        for (int link : chain) {
            std::swap(heldTotal, totals[link]);
            std::swap(heldSource, source[link]);
        }
        totals[i] = heldTotal;
        source[i] = heldSource;
    }
}

// The rows in the order measured as packed lines, straight from the matrix
// measured: each row's cells are gathered eight at a time into a word of
// bytes, and the multiplication moves the low bit of every byte into the
// top byte, in order, without carries.
void packOrderedRows(NodfContext& ctx, const CellMatrix& matrix, const StopRequest& stop)
{
    const int columns = ctx.columns;
    ctx.rowWords = wordsFor(columns);
    ctx.packedRows.assign(static_cast<std::size_t>(ctx.rows) * static_cast<std::size_t>(ctx.rowWords), 0);
    const int* columnSource = ctx.columnSource.data();
    for (int i = 0; i < ctx.rows; i++) {
        stop.abandonAtLineIfRequested(i);
        const unsigned char* from = matrix[ctx.rowSource[static_cast<std::size_t>(i)]];
        std::uint64_t* words = ctx.packedRows.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(ctx.rowWords);
        for (int j = 0; j < columns; j += 8) {
            std::uint64_t bytes = 0;
            const int inGroup = std::min(8, columns - j);
            for (int b = 0; b < inGroup; b++)
                bytes |= static_cast<std::uint64_t>(from[columnSource[j + b]]) << (8 * b);
            words[j / kWordBits] |= ((bytes * 0x0102040810204080u) >> 56) << (j % kWordBits);
        }
    }
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

// The columns in the order measured as packed lines, transposed block by
// block from the packed rows.
void packColumns(NodfContext& ctx, const StopRequest& stop)
{
    const int rows = ctx.rows, columns = ctx.columns;
    ctx.columnWords = wordsFor(rows);
    ctx.packedColumns.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(ctx.columnWords), 0);
    std::uint64_t block[kWordBits];
    for (int v = 0; v * kWordBits < rows; v++) {
        stop.abandonIfRequested();
        int firstRow = v * kWordBits;
        int rowsInBlock = std::min(kWordBits, rows - firstRow);
        for (int w = 0; w * kWordBits < columns; w++) {
            for (int s = 0; s < kWordBits; s++)
                block[s] = s < rowsInBlock
                               ? ctx.packedRows[static_cast<std::size_t>(firstRow + s) * static_cast<std::size_t>(ctx.rowWords) +
                                                static_cast<std::size_t>(w)]
                               : 0;
            transposeBlock(block);
            int firstColumn = w * kWordBits;
            int columnsInBlock = std::min(kWordBits, columns - firstColumn);
            for (int t = 0; t < columnsInBlock; t++)
                ctx.packedColumns[static_cast<std::size_t>(firstColumn + t) * static_cast<std::size_t>(ctx.columnWords) +
                                  static_cast<std::size_t>(v)] = block[t];
        }
    }
}

// Cells set in both lines. Long lines keep four running counts, so that
// the popcounts of successive words overlap instead of waiting on one
// another; short lines gain nothing from it.
BRAVOLIN_ALWAYS_INLINE int sharedCells(const std::uint64_t* earlier, const std::uint64_t* later, int words)
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

// Fills ctx.shares for totals up to side. Every pair value of a matrix is
// one of these quotients, each of two whole numbers below 3001; they are
// worked out once per worker and size.
void prepareShares(NodfContext& ctx, int side)
{
    if (side <= ctx.shareSide)
        return;
    ctx.shares.resize(static_cast<std::size_t>(side + 1) * static_cast<std::size_t>(side + 2) / 2);
    for (int later = 1; later <= side; later++) {
        float* row = ctx.shares.data() + static_cast<std::size_t>(later) * static_cast<std::size_t>(later + 1) / 2;
        // A single-precision quotient of two floats is the double quotient
        // rounded to single precision: double has more than twice the bits.
        for (int shared = 0; shared <= later; shared++)
            row[shared] = static_cast<float>(shared) / static_cast<float>(later);
    }
    ctx.shareSide = side;
}

// The sum of the pair table of count lines, added in single precision by
// first index, then second index, and the table itself into table when it
// is given. Entry [k][i] (k > i) is the share of the later line's presences
// that the earlier line also holds, counted only when the earlier line is
// strictly fuller and the later one holds any; every other entry is 0, and
// the sum skips those, as adding 0 would change nothing. (The sum of two
// floats rounded to single precision is the single-precision sum, for the
// same reason as the quotients.)
//
// Lines of one or two words, the common short lines, are compiled apart
// (wordsKnown), so that their overlaps take a couple of instructions.
template <int wordsKnown>
BRAVOLIN_ALWAYS_INLINE float sumPairs(const NodfContext& ctx, float* table, const int* totals,
               const std::uint64_t* lines, int count, int words, const StopRequest& stop)
{
    if (wordsKnown > 0)
        words = wordsKnown;
    float sum = 0.0f;
    const std::uint64_t* laterLine = lines;
    for (int k = 0; k < count; k++, laterLine += words) {
        if (k % 64 == 63)
            stop.abandonIfRequested();
        const int later = totals[k];
        if (later == 0)
            continue;
        const float* shares = ctx.shares.data() + static_cast<std::size_t>(later) * static_cast<std::size_t>(later + 1) / 2;
        float* entries = table != nullptr ? table + static_cast<std::size_t>(k) * static_cast<std::size_t>(count) : nullptr;
        const std::uint64_t* earlierLine = lines;
        for (int i = 0; i < k; i++, earlierLine += words) {
            if (totals[i] <= later)
                continue;
            int shared;
            if (wordsKnown == 1)
                shared = popcount(earlierLine[0] & laterLine[0]);
            else if (wordsKnown == 2)
                shared = popcount(earlierLine[0] & laterLine[0]) + popcount(earlierLine[1] & laterLine[1]);
            else
                shared = sharedCells(earlierLine, laterLine, words);
            const float entry = shares[shared];
            if (entries != nullptr)
                entries[i] = entry;
            sum += entry;
        }
    }
    return sum;
}

// sumPairs for lines of words words.
BRAVOLIN_ALWAYS_INLINE float sumPairsOfLength(const NodfContext& ctx, float* entries, const int* totals,
                                              const std::uint64_t* lines, int count, int words,
                                              const StopRequest& stop)
{
    if (words == 1)
        return sumPairs<1>(ctx, entries, totals, lines, count, words, stop);
    if (words == 2)
        return sumPairs<2>(ctx, entries, totals, lines, count, words, stop);
    return sumPairs<0>(ctx, entries, totals, lines, count, words, stop);
}

#if BRAVOLIN_POPCNT_AT_RUN_TIME
// The same, compiled for processors with the popcnt instruction.
__attribute__((target("popcnt"))) float sumPairsWithPopcnt(const NodfContext& ctx, float* entries,
                                                           const int* totals, const std::uint64_t* lines,
                                                           int count, int words, const StopRequest& stop)
{
    return sumPairsOfLength(ctx, entries, totals, lines, count, words, stop);
}
#endif

float sumPairTable(const NodfContext& ctx, std::vector<float>* table, const std::vector<int>& totals,
                   const std::vector<std::uint64_t>& lines, int count, int words, const StopRequest& stop)
{
    float* entries = nullptr;
    if (table != nullptr) {
        table->assign(static_cast<std::size_t>(count) * static_cast<std::size_t>(count), 0.0f);
        entries = table->data();
    }
#if BRAVOLIN_POPCNT_AT_RUN_TIME
    if (__builtin_cpu_supports("popcnt"))
        return sumPairsWithPopcnt(ctx, entries, totals.data(), lines.data(), count, words, stop);
#endif
    return sumPairsOfLength(ctx, entries, totals.data(), lines.data(), count, words, stop);
}

float pairCount(int lines)
{
    return static_cast<float>(static_cast<double>(lines * (lines - 1)) / 2.0);
}

}  // namespace

void measureNodf(NodfContext& ctx, const CellMatrix& matrix, int rows, int columns, bool order,
                 bool keepPairTables, const StopRequest& stop)
{
    ctx.rows = rows;
    ctx.columns = columns;
    countTotals(ctx, matrix, stop);
    setIdentity(ctx.rowSource, rows);
    setIdentity(ctx.columnSource, columns);
    if (order) {
        orderByTotals(ctx.rowTotals.data(), ctx.rowSource.data(), rows, ctx.chain, stop);
        orderByTotals(ctx.columnTotals.data(), ctx.columnSource.data(), columns, ctx.chain, stop);
    }
    packOrderedRows(ctx, matrix, stop);
    packColumns(ctx, stop);

    prepareShares(ctx, std::max(rows, columns));
    float rowSum = sumPairTable(ctx, keepPairTables ? &ctx.rowPairTable : nullptr, ctx.rowTotals,
                                ctx.packedRows, rows, ctx.rowWords, stop);
    float rowPairs = pairCount(rows);
    ctx.nodfRows = static_cast<float>(static_cast<double>(rowSum) / rowPairs);

    float columnSum = sumPairTable(ctx, keepPairTables ? &ctx.columnPairTable : nullptr, ctx.columnTotals,
                                   ctx.packedColumns, columns, ctx.columnWords, stop);
    float columnPairs = pairCount(columns);
    ctx.nodfColumns = static_cast<float>(static_cast<double>(columnSum) / columnPairs);

    // Pooled over all row and column pairs, not the mean of the two sides.
    ctx.nodfTotal = static_cast<float>(
        (static_cast<double>(columnSum) + static_cast<double>(rowSum)) /
        (static_cast<double>(rowPairs) + static_cast<double>(columnPairs)));
}

}  // namespace bravolin
