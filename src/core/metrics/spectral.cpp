// The spectral radius of the bipartite network: the largest singular value
// of the matrix, by power iteration on B^T B over the presences of each
// row. The sums run in a fixed order, so the value is the same on every
// run and every thread.
#include <cmath>
#include <cstddef>
#include <vector>

#include "bravolin/metrics.h"

namespace bravolin {

namespace {

// The columns of each row's presences, row after row.
struct RowPresences {
    std::vector<int> columns;
    std::vector<std::size_t> start;  // rows + 1 offsets into columns
};

RowPresences rowPresences(const Matrix& matrix)
{
    RowPresences presences;
    presences.start.push_back(0);
    for (int r = 0; r < matrix.rows(); r++) {
        const std::uint8_t* cells = matrix.row(r);
        for (int c = 0; c < matrix.columns(); c++)
            if (cells[c] != 0)
                presences.columns.push_back(c);
        presences.start.push_back(presences.columns.size());
    }
    return presences;
}

// next = B^T B vector.
void multiply(const RowPresences& presences, const std::vector<double>& vector, std::vector<double>& next)
{
    std::fill(next.begin(), next.end(), 0.0);
    for (std::size_t r = 0; r + 1 < presences.start.size(); r++) {
        double rowSum = 0;
        for (std::size_t k = presences.start[r]; k < presences.start[r + 1]; k++)
            rowSum += vector[static_cast<std::size_t>(presences.columns[k])];
        for (std::size_t k = presences.start[r]; k < presences.start[r + 1]; k++)
            next[static_cast<std::size_t>(presences.columns[k])] += rowSum;
    }
}

double dot(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); i++)
        sum += a[i] * b[i];
    return sum;
}

}  // namespace

SpectralResult spectralRadius(const Matrix& matrix)
{
    SpectralResult result;
    const RowPresences presences = rowPresences(matrix);
    if (presences.columns.empty())
        return result;
    const std::size_t columns = static_cast<std::size_t>(matrix.columns());
    std::vector<double> vector(columns, 1.0 / std::sqrt(static_cast<double>(columns))), next(columns);
    double quotient = 0;
    while (result.iterations < kSpectralIterationCap) {
        multiply(presences, vector, next);
        result.iterations++;
        // vector has norm 1: its Rayleigh quotient for B^T B.
        const double previous = quotient;
        quotient = dot(vector, next);
        const double norm = std::sqrt(dot(next, next));
        for (std::size_t c = 0; c < columns; c++)
            vector[c] = next[c] / norm;
        if (std::fabs(quotient - previous) < 1e-12 * quotient) {
            result.radius = std::sqrt(quotient);
            return result;
        }
    }
    result.radius = std::sqrt(quotient);
    result.capReached = true;
    return result;
}

}  // namespace bravolin
