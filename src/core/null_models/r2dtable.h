// The r2dtable model of abundances: random tables of whole counts with the
// observed row and column totals, with the distribution of R's r2dtable
// (Patefield 1981, "Algorithm AS 159: an efficient method of generating
// r x c tables with given row and column totals", Applied Statistics 30:
// 91-97): every table weighted by its multiple hypergeometric probability,
// prod r_i! prod c_j! / (N! prod n_ij!), which is the table of a uniformly
// random pairing of the N individuals' rows with their columns.
//
// The pairing is drawn directly: the rows, in order, each take their total
// of individuals one by one, uniformly at random from those no row has
// taken yet (sampling without replacement), an individual standing for its
// column. The columns' individuals left are held in a Fenwick tree, so an
// individual costs one draw below the number left and O(log columns) to
// find its column; a row that takes more than half of those left draws
// instead the ones it leaves (the same distribution: a uniform subset and
// its complement). A draw costs O(min(t, M - t) log columns) for a row of
// total t among M left, at most O(N log columns) in all, plus O(rows x
// columns) to write the table, and O(columns) memory beside it, whatever
// N: no table of log-factorials and no array of the N individuals. Whole
// numbers and draws below a bound only, so Linux, Windows and the browser
// give the same tables from the same seed.
#ifndef BRAVOLIN_CORE_NULL_MODELS_R2DTABLE_H
#define BRAVOLIN_CORE_NULL_MODELS_R2DTABLE_H

#include <string>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/stream_generator.h"
#include "core/stop_request.h"

namespace bravolin {

// The most individuals (the sum of the counts) r2dtable draws. A draw
// costs about 20 ns an individual at 1000 columns, so a table at the limit
// takes about 20 seconds a simulation; census tables run to millions (BCI
// counts 21,457 trees).
constexpr long long kMaxR2dtableIndividuals = 1000000000;

// What the draws keep of the observed abundances, worked out once for all
// simulations.
struct CountMargins {
    int rows = 0, columns = 0;
    std::vector<long long> rowTotals, columnTotals;
    long long individuals = 0;  // the sum of every count
};

// The margins of observed into margins; false, with an error text that
// says what to do, for a cell that is not a whole number (naming the first
// such cell, row and column from 1) or for more than
// kMaxR2dtableIndividuals individuals.
bool countMarginsOf(const AbundanceMatrix& observed, CountMargins& margins, std::string& error);

// A random table with the margins into out (sized to them). Gives up
// (SimulationAbandoned) once stop is requested, which it checks every 4096
// individuals and every 64 rows.
void drawR2dtable(const CountMargins& margins, StreamGenerator& generator, AbundanceMatrix& out,
                  const StopRequest& stop = {});

}  // namespace bravolin

#endif
