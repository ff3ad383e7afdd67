// The quasiswap model: matrices with the observed row and column totals,
// drawn independently of each other (Miklós and Podani 2004,
// "Randomization of presence-absence matrices: comments and new
// algorithms", Ecology 85: 86-92; vegan's commsim "quasiswap").
//
// A draw has three steps, all on whole numbers from the 64-bit generator,
// so every system gives the same matrices:
//  1. A table of counts with the totals, counts above 1 allowed, drawn as
//     R's r2dtable draws one (Patefield's distribution, the table of a
//     random pairing of the rows' and the columns' units): the columns'
//     units are dealt to the rows by a partial shuffle, each row taking its
//     total. Exact, and O(presences).
//  2. Quasiswaps until every count is 0 or 1. An excess cell (i, j), count
//     at least 2, is drawn at random; a random cell (k, l) completes a 2 x 2
//     submatrix, which is quasiswapped when (i, l) and (k, j) are 0 and
//     (k, l) is not: (i, j) and (k, l) lose one, (i, l) and (k, j) gain one.
//     The totals stay, and the excess (the sum of the counts above 1)
//     falls by 1 or 2, no count rising above 1. Such a submatrix may not
//     exist (an excess cell can need a longer exchange), so after
//     rows x columns failed tries (about the cost of the search that
//     follows) the cell is reduced along an alternating cycle found by a
//     breadth-first search, which exists whenever some 0/1 matrix has the
//     totals and also lowers the excess without raising any count above 1.
//     Every step lowers the excess, so the reduction ends after at most the
//     initial excess steps. The more tries precede the search, the rarer
//     it is, and it is the reduction's most biased step.
//  3. thinTrades curveball trades (curveball.h), which reduce the bias the
//     reduction leaves: without them the matrices are measurably far from
//     uniform even on a 5 x 5 matrix; with one trade a row close to it, and
//     with four a row as close as 200,000 draws can tell.
// The sparser of the matrix and its complement is drawn (a 0/1 matrix is
// uniform exactly when its complement is), so that at a high fill the
// excess stays small and 2 x 2 quasiswaps stay easy to find.
#ifndef BRAVOLIN_CORE_NULL_MODELS_QUASISWAP_H
#define BRAVOLIN_CORE_NULL_MODELS_QUASISWAP_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bravolin/stream_generator.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"
#include "core/null_models/textbook_draws.h"

namespace bravolin {

// Whole counts, rows x columns, row by row.
struct CountTable {
    int rows = 0, columns = 0;
    std::vector<std::uint16_t> counts;

    std::uint16_t& at(int row, int column)
    {
        return counts[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
    }
};

// A random table with the given totals (each at most 65535). Throws Error
// when the row totals and the column totals have different sums.
CountTable randomTable(const std::vector<int>& rowTotals, const std::vector<int>& columnTotals,
                       StreamGenerator& generator, const StopRequest& stop = {});

// Quasiswaps until every count is 0 or 1; the totals stay. Throws Error
// when no 0/1 matrix has the table's totals (which a table drawn for an
// observed matrix's totals always has).
void reduceToBinary(CountTable& table, StreamGenerator& generator, const StopRequest& stop = {});

// A quasiswap matrix for the observed totals, into out (rows and columns
// from the margins' origin), with thinTrades curveball trades after the
// reduction. Every step gives up (SimulationAbandoned) once stop is
// requested: the tries of a quasiswap every 4096, the search of a cycle
// every 64 lines it reaches, the trades every 64.
void drawQuasiswap(const Margins& margins, long long thinTrades, StreamGenerator& generator, CellMatrix& out,
                   const StopRequest& stop = {});

}  // namespace bravolin

#endif
