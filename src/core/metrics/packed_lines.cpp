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

}  // namespace

PackedLines packedRows(const Matrix& matrix)
{
    PackedLines packed = emptyLines(matrix.rows(), matrix.columns());
    for (int r = 0; r < matrix.rows(); r++) {
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < matrix.columns(); c++)
            if (cells[c] != 0)
                setCell(packed, r, c);
    }
    return packed;
}

PackedLines packedColumns(const Matrix& matrix)
{
    PackedLines packed = emptyLines(matrix.columns(), matrix.rows());
    for (int r = 0; r < matrix.rows(); r++) {
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < matrix.columns(); c++)
            if (cells[c] != 0)
                setCell(packed, c, r);
    }
    return packed;
}

}  // namespace bravolin
