// The matrix of abundances and its checks; the presence/absence matrix it
// gives is kept beside the abundances, cell for cell.
#include "bravolin/abundance_matrix.h"

#include <cmath>
#include <string>
#include <utility>

#include "bravolin/error.h"

namespace bravolin {

namespace {

// The text of a cell as error messages give it, from 0.
std::string cellName(std::size_t row, std::size_t column)
{
    return "(" + std::to_string(row) + ", " + std::to_string(column) + ")";
}

// The cell's name is built only for the message: matrices of millions of
// cells are checked cell by cell.
void checkAbundance(double value, std::size_t row, std::size_t column)
{
    if (!std::isfinite(value) || value < 0)
        throw Error("the cell " + cellName(row, column) + " is " + std::to_string(value) +
                    ": an abundance is a finite number of 0 or more");
}

}  // namespace

AbundanceMatrix::AbundanceMatrix(int rows, int columns) : presences_(rows, columns)
{
    cells_.assign(presences_.cells().size(), 0.0);
}

AbundanceMatrix::AbundanceMatrix(const Matrix& presences)
    : cells_(presences.cells().begin(), presences.cells().end()), presences_(presences)
{
}

AbundanceMatrix::AbundanceMatrix(int rows, int columns, std::vector<double> cells)
    : cells_(std::move(cells)), presences_(rows, columns)
{
    if (cells_.size() != presences_.cells().size())
        throw Error(std::to_string(cells_.size()) + " cells for a matrix of " + std::to_string(rows) + " x " +
                    std::to_string(columns) + ": give one cell for each");
    const std::size_t width = static_cast<std::size_t>(columns);
    std::vector<std::uint8_t> present(cells_.size());
    for (std::size_t i = 0; i < cells_.size(); i++) {
        checkAbundance(cells_[i], i / width, i % width);
        present[i] = cells_[i] > 0 ? 1 : 0;
    }
    presences_ = Matrix(rows, columns, std::move(present));
}

void AbundanceMatrix::set(int row, int column, double value)
{
    checkAbundance(value, static_cast<std::size_t>(row), static_cast<std::size_t>(column));
    presences_.set(row, column, value > 0 ? 1 : 0);
    cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns()) + static_cast<std::size_t>(column)] =
        value;
}

}  // namespace bravolin
