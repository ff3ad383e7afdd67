// The presence/absence matrix and its checks.
#include "bravolin/matrix.h"

#include <string>
#include <utility>

#include "bravolin/error.h"

namespace bravolin {

namespace {

void checkSize(int rows, int columns)
{
    if (rows < 0 || columns < 0)
        throw Error("a matrix cannot have a negative number of rows or columns");
    if (rows > kMaxMatrixSide || columns > kMaxMatrixSide)
        throw Error("a matrix of " + std::to_string(rows) + " rows and " + std::to_string(columns) +
                    " columns is larger than " + std::to_string(kMaxMatrixSide) + " x " +
                    std::to_string(kMaxMatrixSide) + ", the most BRAVOLIN analyses");
}

void checkNames(const std::vector<std::string>& names, int lines, const char* what)
{
    if (!names.empty() && static_cast<int>(names.size()) != lines)
        throw Error(std::to_string(names.size()) + " " + what + " names for a matrix of " + std::to_string(lines) +
                    " " + what + "s: give one name for each, or none");
}

}  // namespace

Matrix::Matrix(int rows, int columns) : rows_(rows), columns_(columns)
{
    checkSize(rows, columns);
    cells_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0);
}

Matrix::Matrix(int rows, int columns, std::vector<std::uint8_t> cells)
    : rows_(rows), columns_(columns), cells_(std::move(cells))
{
    checkSize(rows, columns);
    if (cells_.size() != static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns))
        throw Error(std::to_string(cells_.size()) + " cells for a matrix of " + std::to_string(rows) + " x " +
                    std::to_string(columns) + ": give one cell for each");
    for (std::size_t i = 0; i < cells_.size(); i++)
        if (cells_[i] > 1)
            throw Error("the cell (" + std::to_string(i / static_cast<std::size_t>(columns)) + ", " +
                        std::to_string(i % static_cast<std::size_t>(columns)) + ") is " + std::to_string(cells_[i]) +
                        ", not 0 or 1");
}

void Matrix::set(int row, int column, int value)
{
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
        throw Error("the cell (" + std::to_string(row) + ", " + std::to_string(column) +
                    ") lies outside a matrix of " + std::to_string(rows_) + " x " + std::to_string(columns_));
    if (value != 0 && value != 1)
        throw Error("a cell is 0 or 1, not " + std::to_string(value));
    cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column)] =
        static_cast<std::uint8_t>(value);
}

void Matrix::setRowNames(std::vector<std::string> names)
{
    checkNames(names, rows_, "row");
    rowNames_ = std::move(names);
}

void Matrix::setColumnNames(std::vector<std::string> names)
{
    checkNames(names, columns_, "column");
    columnNames_ = std::move(names);
}

std::string Matrix::rowName(int row) const
{
    return rowNames_.empty() ? std::to_string(row + 1) : rowNames_[static_cast<std::size_t>(row)];
}

std::string Matrix::columnName(int column) const
{
    return columnNames_.empty() ? std::to_string(column + 1) : columnNames_[static_cast<std::size_t>(column)];
}

namespace {

std::vector<std::string> namesInOrder(const std::vector<std::string>& names, const std::vector<int>& order)
{
    std::vector<std::string> ordered;
    if (!names.empty())
        for (int line : order)
            ordered.push_back(names[static_cast<std::size_t>(line)]);
    return ordered;
}

void checkOrder(const std::vector<int>& order, int lines, const char* what)
{
    for (int line : order)
        if (line < 0 || line >= lines)
            throw Error(std::string("the ") + what + " " + std::to_string(line) + " of an order lies outside a matrix of " +
                        std::to_string(lines) + " " + what + "s");
}

}  // namespace

Matrix Matrix::reordered(const std::vector<int>& rowOrder, const std::vector<int>& columnOrder) const
{
    checkOrder(rowOrder, rows_, "row");
    checkOrder(columnOrder, columns_, "column");
    const std::size_t columns = columnOrder.size();
    std::vector<std::uint8_t> cells(rowOrder.size() * columns);
    for (std::size_t i = 0; i < rowOrder.size(); i++) {
        const std::uint8_t* from = row(rowOrder[i]);
        for (std::size_t j = 0; j < columns; j++)
            cells[i * columns + j] = from[columnOrder[j]];
    }
    Matrix result(static_cast<int>(rowOrder.size()), static_cast<int>(columns), std::move(cells));
    result.setRowNames(namesInOrder(rowNames_, rowOrder));
    result.setColumnNames(namesInOrder(columnNames_, columnOrder));
    return result;
}

long long Matrix::presences() const
{
    long long count = 0;
    for (std::uint8_t cell : cells_)
        count += cell;
    return count;
}

}  // namespace bravolin
