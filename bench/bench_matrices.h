// Random matrices for the benchmarks, reproducible from a seed.
#ifndef BRAVOLIN_BENCH_BENCH_MATRICES_H
#define BRAVOLIN_BENCH_BENCH_MATRICES_H

#include <random>

#include "common/shared_state.h"

// Fills rows x columns cells of table, from index base, with 1 at the given
// probability.
inline void fillRandomMatrix(MatrixTable& table, int base, int rows, int columns, double fill,
                             unsigned seed)
{
    std::mt19937 generator(seed);
    std::bernoulli_distribution presence(fill);
    for (int r = base; r < base + rows; r++)
        for (int c = base; c < base + columns; c++)
            table[r][c] = presence(generator) ? 1 : 0;
}

#endif
