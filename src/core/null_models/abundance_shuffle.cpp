// Draws of the abundance_shuffle model: curveball trades on the presences,
// then each row's abundances shuffled onto its presences.
#include "core/null_models/abundance_shuffle.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace bravolin {

AbundanceShuffleChain::AbundanceShuffleChain(const AbundanceMatrix& observed, const StopRequest& stop)
    : rows_(observed.rows()), columns_(observed.columns()), presences_(observed.presences(), stop),
      rowAbundances_(static_cast<std::size_t>(observed.rows()))
{
    for (int r = 0; r < rows_; r++) {
        const double* cells = observed.row(r);
        for (int c = 0; c < columns_; c++)
            if (cells[c] > 0)
                rowAbundances_[static_cast<std::size_t>(r)].push_back(cells[c]);
    }
}

void AbundanceShuffleChain::next(long long trades, StreamGenerator& generator, AbundanceMatrix& out,
                                 const StopRequest& stop)
{
    presences_.advance(trades, generator, stop);
    presences_.copyTo(cells_, 0, stop);
    const auto columns = static_cast<std::size_t>(columns_);
    std::vector<double> abundances(static_cast<std::size_t>(rows_) * columns, 0.0);
    for (int r = 0; r < rows_; r++) {
        stop.abandonAtLineIfRequested(r);
        shuffled_ = rowAbundances_[static_cast<std::size_t>(r)];
        const std::size_t n = shuffled_.size();
        for (std::size_t i = 0; i + 1 < n; i++)
            std::swap(shuffled_[i], shuffled_[i + static_cast<std::size_t>(generator.below(static_cast<std::uint64_t>(n - i)))]);
        // The chain keeps the row's number of presences, so the row has
        // exactly n of them.
        const unsigned char* present = cells_[r];
        double* row = abundances.data() + static_cast<std::size_t>(r) * columns;
        std::size_t dealt = 0;
        for (std::size_t c = 0; c < columns; c++)
            if (present[c] != 0)
                row[c] = shuffled_[dealt++];
    }
    out = AbundanceMatrix(rows_, columns_, std::move(abundances));
}

}  // namespace bravolin
