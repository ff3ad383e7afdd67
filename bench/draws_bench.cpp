// Speed of drawing one simulation's random matrices of the classic models:
// the four together (the draws every simulation makes). The textbook
// models' draws are timed in textbook_draws_bench.cpp, the measuring of
// the matrices drawn by the other benchmarks.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_matrices.h"
#include "core/null_models/classic_draws.h"

static void BM_DrawFourModels(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Matrix matrix = randomMatrix(side, 0.3, 3);
    bravolin::CellMatrix block;
    block.resize(side, side);
    for (int r = 0; r < side; r++)
        std::copy(matrix.row(r), matrix.row(r) + side, block[r]);
    using Rules = bravolin::NodfDrawRules;
    const bravolin::ClassicDrawPlan plan = bravolin::planClassicDraws<Rules>(block, side, side);
    bravolin::Generator generator(1);
    bravolin::CellMatrix out[4];
    for (auto _ : state) {
        bravolin::drawClassicModels<Rules>(plan, generator, out);
        benchmark::DoNotOptimize(out[3][0][0]);
    }
}
BENCHMARK(BM_DrawFourModels)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
