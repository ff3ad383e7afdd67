// Patterson and Atmar's N0: each species' absences from the sites richer
// than the poorest site where it occurs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bravolin/metrics.h"

namespace bravolin {

// Each pass walks the rows' cells without branches, so that it runs in
// vector steps: null models measure N0 on thousands of matrices.
double n0(const Matrix& matrix)
{
    const int rows = matrix.rows(), columns = matrix.columns();
    const std::size_t width = static_cast<std::size_t>(columns);
    std::vector<int> richness(static_cast<std::size_t>(rows), 0);
    for (int r = 0; r < rows; r++) {
        const std::uint8_t* cells = matrix.row(r);
        int total = 0;
        for (std::size_t c = 0; c < width; c++)
            total += cells[c];
        richness[static_cast<std::size_t>(r)] = total;
    }
    // The poorest site of each species; columns + 1 for a species nowhere.
    std::vector<int> poorest(width, columns + 1);
    for (int r = 0; r < rows; r++) {
        const std::uint8_t* cells = matrix.row(r);
        const int sites = richness[static_cast<std::size_t>(r)];
        for (std::size_t c = 0; c < width; c++)
            poorest[c] = cells[c] != 0 && sites < poorest[c] ? sites : poorest[c];
    }
    long long absences = 0;
    for (int r = 0; r < rows; r++) {
        const std::uint8_t* cells = matrix.row(r);
        const int sites = richness[static_cast<std::size_t>(r)];
        int rowAbsences = 0;
        for (std::size_t c = 0; c < width; c++)
            rowAbsences += static_cast<int>(cells[c] == 0) & static_cast<int>(sites > poorest[c]);
        absences += rowAbsences;
    }
    return static_cast<double>(absences);
}

}  // namespace bravolin
