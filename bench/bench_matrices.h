// Random matrices for the benchmarks, reproducible from a seed.
#ifndef BRAVOLIN_BENCH_BENCH_MATRICES_H
#define BRAVOLIN_BENCH_BENCH_MATRICES_H

#include <cstdint>
#include <random>
#include <vector>

#include "bravolin/matrix.h"

// A rows x columns matrix with presences at the given probability.
inline bravolin::Matrix randomMatrix(int rows, int columns, double fill, unsigned seed)
{
    std::mt19937 generator(seed);
    std::bernoulli_distribution presence(fill);
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (std::uint8_t& cell : cells)
        cell = presence(generator) ? 1 : 0;
    return bravolin::Matrix(rows, columns, cells);
}

// A side x side matrix with presences at the given probability.
inline bravolin::Matrix randomMatrix(int side, double fill, unsigned seed)
{
    return randomMatrix(side, side, fill, seed);
}

#endif
