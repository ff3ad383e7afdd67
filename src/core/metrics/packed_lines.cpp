// Packing the rows or the columns of a matrix into bits. Both read the
// matrix row by row, in the order it is stored.
#include "core/metrics/packed_lines.h"

namespace bravolin {

namespace {

PackedLines emptyLines(int lines, int length)
{
    PackedLines packed;
    packed.count = lines;
    packed.words = wordsFor(length);
    packed.bits.assign(static_cast<std::size_t>(lines) * static_cast<std::size_t>(packed.words), 0);
    packed.totals.assign(static_cast<std::size_t>(lines), 0);
    return packed;
}

void setCell(PackedLines& packed, int line, int position)
{
    packed.bits[static_cast<std::size_t>(line) * static_cast<std::size_t>(packed.words) +
                static_cast<std::size_t>(position / kWordBits)] |= std::uint64_t{1} << (position % kWordBits);
    packed.totals[static_cast<std::size_t>(line)]++;
}

// The rows, or the columns (byColumns), of matrix.
PackedLines packed(const Matrix& matrix, bool byColumns)
{
    PackedLines lines = byColumns ? emptyLines(matrix.columns(), matrix.rows()) : emptyLines(matrix.rows(), matrix.columns());
    for (int r = 0; r < matrix.rows(); r++) {
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < matrix.columns(); c++)
            if (cells[c] != 0)
                setCell(lines, byColumns ? c : r, byColumns ? r : c);
    }
    return lines;
}

}  // namespace

PackedLines packedRows(const Matrix& matrix)
{
    return packed(matrix, false);
}

PackedLines packedColumns(const Matrix& matrix)
{
    return packed(matrix, true);
}

}  // namespace bravolin
