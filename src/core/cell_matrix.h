// The working matrix of an analysis: 0/1 cells sized to the matrix at hand,
// with rows and columns numbered from 1 (the temperature's packing) or from
// 0 (the NODF): the storage has room for both, (rows + 1) x (columns + 1)
// cells, row by row.
#ifndef BRAVOLIN_CORE_CELL_MATRIX_H
#define BRAVOLIN_CORE_CELL_MATRIX_H

#include <cstddef>
#include <utility>
#include <vector>

namespace bravolin {

class CellMatrix {
public:
    // Room for rows x columns cells (from index 0 or 1); the contents are
    // kept where the size does not change, and are otherwise all 0.
    void resize(int rows, int columns)
    {
        const std::size_t stride = static_cast<std::size_t>(columns) + 1;
        const std::size_t size = (static_cast<std::size_t>(rows) + 1) * stride;
        if (stride == stride_ && size == cells_.size())
            return;
        stride_ = stride;
        cells_.assign(size, 0);
    }

    unsigned char* operator[](int row) { return cells_.data() + static_cast<std::size_t>(row) * stride_; }
    const unsigned char* operator[](int row) const
    {
        return cells_.data() + static_cast<std::size_t>(row) * stride_;
    }

    std::size_t stride() const { return stride_; }

    void swap(CellMatrix& other)
    {
        cells_.swap(other.cells_);
        std::swap(stride_, other.stride_);
    }

private:
    std::vector<unsigned char> cells_;
    std::size_t stride_ = 0;
};

// Whether row `row` of matrix holds no 1 in its columns columns counted from
// origin, and likewise column `column` in its rows rows.
inline bool rowIsEmpty(const CellMatrix& matrix, int row, int origin, int columns)
{
    const unsigned char* cells = matrix[row];
    for (int c = origin; c < origin + columns; c++)
        if (cells[c] == 1)
            return false;
    return true;
}

inline bool columnIsEmpty(const CellMatrix& matrix, int column, int origin, int rows)
{
    for (int r = origin; r < origin + rows; r++)
        if (matrix[r][column] == 1)
            return false;
    return true;
}

}  // namespace bravolin

#endif
