// Speed of the NODF metric, which the null models of mode N run four times
// per simulation: the observed measurement with its pair tables, and the
// measurement of a random matrix, which keeps only their sums.
#include <benchmark/benchmark.h>

#include "common/cell_matrix.h"
#include "common/random.h"
#include "common/shared_state.h"
#include "nodf/nodf_metric.h"

// A side by side matrix of about half presences, ordering on: ordering and
// both pair tables are then fully exercised.
static CellMatrix benchMatrix(int side)
{
    seedRandom(12345);
    CellMatrix matrix;
    matrix.resize(side, side);
    for (int r = 0; r < side; r++)
        for (int c = 0; c < side; c++)
            matrix[r][c] = static_cast<unsigned char>(drawRandom() & 1);
    orderMatrix = 1;
    return matrix;
}

static void measure(benchmark::State& state, bool keepPairTables)
{
    const int side = static_cast<int>(state.range(0));
    const CellMatrix matrix = benchMatrix(side);
    NodfContext ctx;
    for (auto _ : state) {
        measureNodf(ctx, matrix, side, side, keepPairTables);
        benchmark::DoNotOptimize(ctx.nodfTotal);
    }
}

static void BM_MeasureObservedNodf(benchmark::State& state)
{
    measure(state, true);
}
BENCHMARK(BM_MeasureObservedNodf)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

static void BM_MeasureRandomNodf(benchmark::State& state)
{
    measure(state, false);
}
BENCHMARK(BM_MeasureRandomNodf)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
