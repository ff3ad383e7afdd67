// A presence/absence matrix: sites as rows, species as columns, each cell
// 1 (present) or 0 (absent), with optional names for the rows and the
// columns. Rows and columns are numbered from 0.
#ifndef BRAVOLIN_MATRIX_H
#define BRAVOLIN_MATRIX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bravolin/limits.h"

namespace bravolin {

class Matrix {
public:
    // An empty matrix of no rows and no columns.
    Matrix() = default;
    // rows x columns absences. Throws Error beyond kMaxMatrixSide.
    Matrix(int rows, int columns);
    // rows x columns cells, row by row. Throws Error beyond
    // kMaxMatrixSide, for a cell that is neither 0 nor 1, or for a number
    // of cells other than rows x columns.
    Matrix(int rows, int columns, std::vector<std::uint8_t> cells);

    int rows() const { return rows_; }
    int columns() const { return columns_; }

    std::uint8_t at(int row, int column) const
    {
        return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                      static_cast<std::size_t>(column)];
    }
    // Throws Error for a value other than 0 or 1, or a cell outside the
    // matrix. Error messages name cells as (row, column), from 0.
    void set(int row, int column, int value);

    // The cells, row by row.
    const std::vector<std::uint8_t>& cells() const { return cells_; }
    // The cells of one row.
    const std::uint8_t* row(int row) const
    {
        return cells_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
    }

    // Names of the rows and of the columns: empty, or one per line. Every
    // result that reorders the matrix reports its lines by index, so the
    // names follow them. Throws Error for a list of the wrong length.
    const std::vector<std::string>& rowNames() const { return rowNames_; }
    const std::vector<std::string>& columnNames() const { return columnNames_; }
    void setRowNames(std::vector<std::string> names);
    void setColumnNames(std::vector<std::string> names);

    // The name of a row or column, or its number from 1 as text when the
    // matrix has no names.
    std::string rowName(int row) const;
    std::string columnName(int column) const;

    // The number of presences.
    long long presences() const;

    // The matrix of rows rowOrder[0], rowOrder[1], ... and columns
    // columnOrder[0], ... of this one, with their names: a packed or
    // ordered matrix from the orders an analysis reports. Throws Error for
    // an index outside the matrix.
    Matrix reordered(const std::vector<int>& rowOrder, const std::vector<int>& columnOrder) const;

private:
    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::uint8_t> cells_;
    std::vector<std::string> rowNames_;
    std::vector<std::string> columnNames_;
};

}  // namespace bravolin

#endif
