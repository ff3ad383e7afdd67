// Patterson and Atmar's N0: each species' absences from the sites richer
// than the poorest site where it occurs.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "bravolin/metrics.h"

namespace bravolin {

double n0(const Matrix& matrix)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    std::vector<int> richness(static_cast<std::size_t>(rows), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            richness[static_cast<std::size_t>(r)] += matrix.at(r, c);
    // The poorest site of each species; columns + 1 for a species nowhere.
    std::vector<int> poorest(static_cast<std::size_t>(columns), columns + 1);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            if (matrix.at(r, c) != 0)
                poorest[static_cast<std::size_t>(c)] =
                    std::min(poorest[static_cast<std::size_t>(c)], richness[static_cast<std::size_t>(r)]);
    long long absences = 0;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            absences += matrix.at(r, c) == 0 && richness[static_cast<std::size_t>(r)] > poorest[static_cast<std::size_t>(c)];
    return static_cast<double>(absences);
}

}  // namespace bravolin
