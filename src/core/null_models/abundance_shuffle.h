// The abundance_shuffle model: the presences of the observed abundances
// moved by the curveball chain (curveball.h), which keeps every row's and
// every column's number of presences, and the abundances of each row
// shuffled among the presences of that row, so that each row keeps the
// values it was observed with, as a multiset, and hence its total. vegan's
// commsim "swsh_samp_r" does the same with independent quasiswap matrices;
// here the presences are the states of one chain, thinned as the
// curveball model's are (its burn-in before the first simulation, its
// thinning between two), and non-integer abundances are as good as counts.
//
// A draw: the chain's trades, then, row by row in order, a Fisher-Yates
// shuffle of the row's observed abundances (from their order in the
// observed row: place i takes one of the places i .. n - 1 at random),
// dealt to the row's presences in increasing column order. Each row's
// arrangement is uniform and independent of the previous simulation's.
// Costs O(trades x columns / 64) for the chain, one draw a presence and
// O(rows x columns) to write the matrix.
#ifndef BRAVOLIN_CORE_NULL_MODELS_ABUNDANCE_SHUFFLE_H
#define BRAVOLIN_CORE_NULL_MODELS_ABUNDANCE_SHUFFLE_H

#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/stream_generator.h"
#include "core/cell_matrix.h"
#include "core/null_models/curveball.h"
#include "core/stop_request.h"

namespace bravolin {

// The chain and what each row keeps. The generator is passed to every
// call, so one chain per thread may run at once.
class AbundanceShuffleChain {
public:
    // The chain starts at the presences of observed; gives up once stop is
    // requested.
    explicit AbundanceShuffleChain(const AbundanceMatrix& observed, const StopRequest& stop = {});

    // trades curveball trades (the burn-in before the first simulation,
    // the thinning after), then the next matrix of the chain into out
    // (sized to the observed one). Gives up (SimulationAbandoned) once stop
    // is requested.
    void next(long long trades, StreamGenerator& generator, AbundanceMatrix& out, const StopRequest& stop = {});

private:
    int rows_, columns_;
    CurveballMatrix presences_;
    std::vector<std::vector<double>> rowAbundances_;  // each row's observed abundances above 0, in column order
    CellMatrix cells_;                                // the chain's presences, copied out for the deal
    std::vector<double> shuffled_;                    // a row's abundances being shuffled
};

}  // namespace bravolin

#endif
