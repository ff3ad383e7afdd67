// Loading small mode T matrices for tests.
#include "support/mode_t_matrix.h"

#include <cstring>
#include <random>

#include "common/shared_state.h"
#include "driver/main_loop.h"
#include "packing/pack_report.h"

void loadObservedMatrix(PackingContext& ctx, const std::vector<std::string>& rows, const char* fileName)
{
    resetMatrixState();
    std::strcpy(currentFileName, fileName);
    deriveTemperatureReportNames();
    rowCount = rowsRead = static_cast<int>(rows.size());
    columnCount = columnsRead = static_cast<int>(rows[0].size());
    startMatrix(ctx, rowCount, columnCount);
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++) {
            unsigned char cell = rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] == '1';
            PresenceMatrix[r][c] = ctx.matrix[r][c] = cell;
            ctx.occupiedCount += cell;
        }
    percentFill = fillPercentage(ctx.occupiedCount, rowCount, columnCount);
}

std::vector<std::string> matrixRows(const CellMatrix& matrix, int rows, int columns)
{
    std::vector<std::string> text;
    for (int r = 1; r <= rows; r++) {
        std::string row;
        for (int c = 1; c <= columns; c++)
            row += static_cast<char>('0' + matrix[r][c]);
        text.push_back(row);
    }
    return text;
}

std::vector<std::string> workingRows(const PackingContext& ctx)
{
    return matrixRows(ctx.matrix, ctx.rowCount, ctx.columnCount);
}

std::vector<int> orderEntries(const std::vector<int>& order, int from, int count)
{
    return std::vector<int>(order.begin() + from, order.begin() + from + count);
}

std::string matrixText(const std::vector<std::string>& rows)
{
    std::string text;
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

std::vector<std::string> randomRows(int rows, int columns, double fill, unsigned seed)
{
    std::mt19937 generator(seed);
    std::bernoulli_distribution presence(fill);
    std::vector<std::string> matrix(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '0'));
    for (auto& row : matrix)
        for (auto& cell : row)
            cell = presence(generator) ? '1' : '0';
    return matrix;
}
