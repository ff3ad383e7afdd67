// A matrix of 0/1 cells sized to the matrix at hand rather than to the
// 3001-per-side maximum of the shared tables, so that a worker analysing a
// 50 x 50 matrix holds 2.6 KB instead of 9 MB. Rows and columns can be
// numbered from 1 (mode T) or from 0 (mode N): the storage has room for
// both, (rows + 1) x (columns + 1) cells, row by row.
#ifndef BRAVOLIN_COMMON_CELL_MATRIX_H
#define BRAVOLIN_COMMON_CELL_MATRIX_H

#include <cstddef>
#include <utility>
#include <vector>

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

#endif
