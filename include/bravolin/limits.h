// The limits every front end applies, in one place: the largest matrix the
// analyses take, and the most simulations and threads a run may ask for.
// The console program's command line and the R package read them here.
#ifndef BRAVOLIN_LIMITS_H
#define BRAVOLIN_LIMITS_H

namespace bravolin {

// The largest number of rows, and of columns, a matrix may have.
constexpr int kMaxMatrixSide = 3000;

// Most simulations of the null models a run may ask for.
constexpr int kMostSimulations = 100000;

// Most threads a run may ask for.
constexpr int kMostThreads = 1024;

}  // namespace bravolin

#endif
