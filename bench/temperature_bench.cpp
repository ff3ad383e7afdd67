// Packing and temperature of one matrix: the work done for the observed
// matrix and for every random matrix of the temperature null models.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_matrices.h"
#include "common/shared_state.h"
#include "packing/packing.h"
#include "temperature/temperature.h"

// Packs and measures a fill-0.3 random matrix of the given side, as the null
// models do (no report, no spinner).
static void BM_PackAndTemperature(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    fillRandomMatrix(PresenceMatrix, 1, side, side, 0.3, 42);
    PackingContext packing;
    TemperatureContext temperature;
    for (auto _ : state) {
        startMatrix(packing, side, side);
        for (int r = 1; r <= side; r++)
            std::memcpy(&packing.matrix[r][1], &PresenceMatrix[r][1], static_cast<std::size_t>(side));
        packMatrix(packing, PackRun::Simulation);
        computeTemperature(temperature, packing);
        benchmark::DoNotOptimize(temperature.matrixTemperature);
    }
}
BENCHMARK(BM_PackAndTemperature)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackAndTemperature)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(3);
