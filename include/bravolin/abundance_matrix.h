// A matrix of abundances: sites as rows, species as columns, each cell a
// count or another non-negative measure of abundance (0 for absent), with
// optional names for the rows and the columns, and the presence/absence
// matrix it gives (a cell is present when its abundance is above 0).
#ifndef BRAVOLIN_ABUNDANCE_MATRIX_H
#define BRAVOLIN_ABUNDANCE_MATRIX_H

#include <string>
#include <utility>
#include <vector>

#include "bravolin/matrix.h"

namespace bravolin {

class AbundanceMatrix {
public:
    // An empty matrix of no rows and no columns.
    AbundanceMatrix() = default;
    // rows x columns zeros. Throws Error beyond kMaxMatrixSide.
    AbundanceMatrix(int rows, int columns);
    // rows x columns cells, row by row. Throws Error beyond kMaxMatrixSide,
    // for a cell that is negative, infinite or not a number, or for a
    // number of cells other than rows x columns.
    AbundanceMatrix(int rows, int columns, std::vector<double> cells);
    // The 0s and 1s of presences as abundances (each 1 a count of one),
    // with its names.
    explicit AbundanceMatrix(const Matrix& presences);

    int rows() const { return presences_.rows(); }
    int columns() const { return presences_.columns(); }

    double at(int row, int column) const
    {
        return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns()) +
                      static_cast<std::size_t>(column)];
    }
    // Throws Error for a value that is negative, infinite or not a number,
    // or a cell outside the matrix.
    void set(int row, int column, double value);

    // The cells, row by row.
    const std::vector<double>& cells() const { return cells_; }
    // The cells of one row.
    const double* row(int row) const
    {
        return cells_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns());
    }

    // The presence/absence matrix: 1 where the abundance is above 0, with
    // the names of this one.
    const Matrix& presences() const { return presences_; }

    // Names as Matrix has them: empty, or one per line; throws Error for a
    // list of the wrong length.
    const std::vector<std::string>& rowNames() const { return presences_.rowNames(); }
    const std::vector<std::string>& columnNames() const { return presences_.columnNames(); }
    void setRowNames(std::vector<std::string> names) { presences_.setRowNames(std::move(names)); }
    void setColumnNames(std::vector<std::string> names) { presences_.setColumnNames(std::move(names)); }

private:
    std::vector<double> cells_;
    Matrix presences_;
};

}  // namespace bravolin

#endif
