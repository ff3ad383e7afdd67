// Matrices for tests.
#include "support/matrices.h"

#include <random>

bravolin::Matrix matrixOf(const Rows& rows)
{
    const int columns = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    std::vector<std::uint8_t> cells;
    for (const std::string& row : rows)
        for (char cell : row)
            cells.push_back(cell == '1' ? 1 : 0);
    return bravolin::Matrix(static_cast<int>(rows.size()), columns, cells);
}

Rows rowsOf(const bravolin::Matrix& matrix)
{
    Rows rows;
    for (int r = 0; r < matrix.rows(); r++) {
        std::string row;
        for (int c = 0; c < matrix.columns(); c++)
            row += static_cast<char>('0' + matrix.at(r, c));
        rows.push_back(row);
    }
    return rows;
}

void loadPacking(bravolin::PackingContext& ctx, const Rows& rows)
{
    const int rowCount = static_cast<int>(rows.size()), columnCount = static_cast<int>(rows[0].size());
    bravolin::startMatrix(ctx, rowCount, columnCount);
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++) {
            const unsigned char cell = rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] == '1';
            ctx.matrix[r][c] = cell;
            ctx.occupiedCount += cell;
        }
}

Rows matrixRows(const bravolin::CellMatrix& matrix, int rows, int columns, int origin)
{
    Rows text;
    for (int r = origin; r < rows + origin; r++) {
        std::string row;
        for (int c = origin; c < columns + origin; c++)
            row += static_cast<char>('0' + matrix[r][c]);
        text.push_back(row);
    }
    return text;
}

bravolin::CellMatrix cellMatrixOf(const Rows& rows, int origin)
{
    const int columns = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    bravolin::CellMatrix matrix;
    matrix.resize(static_cast<int>(rows.size()), columns);
    for (std::size_t r = 0; r < rows.size(); r++)
        for (std::size_t c = 0; c < rows[r].size(); c++)
            matrix[static_cast<int>(r) + origin][static_cast<int>(c) + origin] = rows[r][c] == '1' ? 1 : 0;
    return matrix;
}

Rows workingRows(const bravolin::PackingContext& ctx)
{
    return matrixRows(ctx.matrix, ctx.rowCount, ctx.columnCount);
}

std::string matrixText(const Rows& rows)
{
    std::string text;
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

Rows randomRows(int rows, int columns, double fill, unsigned seed)
{
    std::mt19937 generator(seed);
    std::bernoulli_distribution presence(fill);
    Rows matrix(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '0'));
    for (auto& row : matrix)
        for (auto& cell : row)
            cell = presence(generator) ? '1' : '0';
    return matrix;
}
