// Speed of the NODF metric, which the null models run four times per
// simulation: the observed measurement with its pair tables, and the
// measurement of a random matrix, which keeps only their sums.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_matrices.h"
#include "bravolin/null_models.h"
#include "core/nodf/nodf_metric.h"

static void BM_AnalyseNodf(benchmark::State& state)
{
    const bravolin::Matrix matrix = randomMatrix(static_cast<int>(state.range(0)), 0.5, 12345);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::analyseNodf(matrix, true).nodf.total);
}
BENCHMARK(BM_AnalyseNodf)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

// A side by side matrix of about half presences, ordering on: ordering and
// the pair sums are then fully exercised.
static void BM_MeasureRandomNodf(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Matrix matrix = randomMatrix(side, 0.5, 12345);
    bravolin::CellMatrix cells;
    cells.resize(side, side);
    for (int r = 0; r < side; r++)
        std::memcpy(cells[r], matrix.row(r), static_cast<std::size_t>(side));
    bravolin::NodfContext ctx;
    for (auto _ : state) {
        bravolin::measureNodf(ctx, cells, side, side, true, false);
        benchmark::DoNotOptimize(ctx.nodfTotal);
    }
}
BENCHMARK(BM_MeasureRandomNodf)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

// 100 simulations of the four models of a 100 x 100 matrix on one thread.
static void BM_NodfNullModels(benchmark::State& state)
{
    const bravolin::Matrix matrix = randomMatrix(100, 0.3, 9);
    const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, true);
    bravolin::NullModelSettings settings;
    settings.simulations = 100;
    for (auto _ : state) {
        bravolin::Generator generator(1);
        benchmark::DoNotOptimize(bravolin::runNodfNullModels(matrix, observed, generator, settings).run.completed);
    }
}
BENCHMARK(BM_NodfNullModels)->Unit(benchmark::kMillisecond);
