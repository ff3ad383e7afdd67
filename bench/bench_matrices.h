// Random matrices (0/1 and of abundances) for the benchmarks, reproducible
// from a seed.
#ifndef BRAVOLIN_BENCH_BENCH_MATRICES_H
#define BRAVOLIN_BENCH_BENCH_MATRICES_H

#include <cstdint>
#include <random>
#include <vector>

#include "bravolin/abundance_matrix.h"
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

// A side x side matrix of abundances: presences at the given probability,
// each a whole number from 1 to most, equally likely.
inline bravolin::AbundanceMatrix randomAbundances(int side, double fill, int most, unsigned seed)
{
    const bravolin::Matrix presences = randomMatrix(side, fill, seed);
    std::mt19937 generator(seed + 1);
    std::uniform_int_distribution<int> abundance(1, most);
    std::vector<double> cells;
    cells.reserve(presences.cells().size());
    for (std::uint8_t cell : presences.cells())
        cells.push_back(cell != 0 ? static_cast<double>(abundance(generator)) : 0.0);
    return bravolin::AbundanceMatrix(side, side, cells);
}

#endif
