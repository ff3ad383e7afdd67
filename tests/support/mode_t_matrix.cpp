// Loading small mode T matrices for tests.
#include "support/mode_t_matrix.h"

#include <cstring>
#include <random>

#include "common/shared_state.h"
#include "driver/main_loop.h"
#include "packing/packing.h"

void loadObservedMatrix(const std::vector<std::string>& rows, const char* fileName)
{
    resetMatrixState();
    std::strcpy(currentFileName, fileName);
    rowCount = rowsRead = static_cast<int>(rows.size());
    columnCount = columnsRead = static_cast<int>(rows[0].size());
    occupiedCount = 0;
    for (int r = 1; r <= rowCount; r++)
        for (int c = 1; c <= columnCount; c++) {
            unsigned char cell = rows[r - 1][c - 1] == '1';
            PresenceMatrix[r][c] = workingMatrix[r][c] = cell;
            occupiedCount += cell;
        }
    percentFill = fillPercentage(occupiedCount, rowCount, columnCount);
}

std::vector<std::string> workingRows()
{
    std::vector<std::string> rows;
    for (int r = 1; r <= rowCount; r++) {
        std::string row;
        for (int c = 1; c <= columnCount; c++)
            row += static_cast<char>('0' + workingMatrix[r][c]);
        rows.push_back(row);
    }
    return rows;
}

std::vector<int> orderEntries(const int* order, int from, int count)
{
    return std::vector<int>(order + from, order + from + count);
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
