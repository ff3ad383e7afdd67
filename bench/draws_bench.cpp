// Speed of drawing one simulation's random matrices: the four models
// together (the draws every simulation makes) and FF's chain between two
// simulations (the default thinning of 10 trades a row, and the copy out).
// Measuring the matrices drawn is timed by the other benchmarks.
#include <benchmark/benchmark.h>

#include "bench_matrices.h"
#include "bravolin/null_models.h"
#include "core/null_models/fixed_fixed.h"
#include "core/null_models/nodf_draws.h"

static void BM_DrawFourModels(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::NodfDrawPlan plan = bravolin::planNodfDraws(randomMatrix(side, 0.3, 3));
    bravolin::Generator generator(1);
    bravolin::CellMatrix out;
    out.resize(side, side);
    for (auto _ : state) {
        bravolin::drawNodfErMatrix(plan, generator, out);
        bravolin::repairEmptyLines(plan, generator, out);
        bravolin::drawNodfCeMatrix(plan, generator, out);
        bravolin::repairEmptyLines(plan, generator, out);
        bravolin::drawNodfLiMatrix(plan, generator, out);
        bravolin::drawNodfCoMatrix(plan, generator, out);
        benchmark::DoNotOptimize(out[0][0]);
    }
}
BENCHMARK(BM_DrawFourModels)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

static void BM_DrawFixedFixed(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Matrix matrix = randomMatrix(side, 0.3, 3);
    bravolin::CurveballChain chain(matrix.cells(), side, side, 1);
    bravolin::CellMatrix out;
    out.resize(side, side);
    for (auto _ : state) {
        chain.advance(bravolin::defaultFixedFixedThin(side), {});
        chain.copyTo(out, 0);
        benchmark::DoNotOptimize(out[0][0]);
    }
}
BENCHMARK(BM_DrawFixedFixed)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
