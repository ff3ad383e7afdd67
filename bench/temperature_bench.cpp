// Packing and temperature of one matrix, as every random matrix of the
// temperature's null models is measured, and whole runs of its null models.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_matrices.h"
#include "bravolin/null_models.h"
#include "core/null_models/temperature_null_models.h"

// Packs and measures a fill-0.3 random matrix of the given side, with the
// worker's tables kept from one matrix to the next.
static void BM_PackAndTemperature(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Matrix matrix = randomMatrix(side, 0.3, 42);
    bravolin::TemperatureWorker worker;
    bravolin::CellMatrix drawn;
    drawn.resize(side, side);
    for (auto _ : state) {
        for (int r = 1; r <= side; r++)
            std::memcpy(&drawn[r][1], matrix.row(r - 1), static_cast<std::size_t>(side));
        benchmark::DoNotOptimize(bravolin::measureRandomMatrix(worker, drawn, side, side));
    }
}
BENCHMARK(BM_PackAndTemperature)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackAndTemperature)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(3);

// 100 simulations of the four models of a 50 x 50 matrix on one thread.
static void BM_TemperatureNullModels(benchmark::State& state)
{
    const bravolin::Matrix matrix = randomMatrix(50, 0.3, 7);
    const bravolin::TemperatureResult observed = bravolin::analyseTemperature(matrix);
    bravolin::NullModelSettings settings;
    settings.simulations = 100;
    for (auto _ : state) {
        bravolin::Generator generator(1);
        benchmark::DoNotOptimize(
            bravolin::runTemperatureNullModels(matrix, observed, generator, settings).run.completed);
    }
}
BENCHMARK(BM_TemperatureNullModels)->Unit(benchmark::kMillisecond);
