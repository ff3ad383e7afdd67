// Packing and temperature of one matrix: the work done for the observed
// matrix and for every random matrix of the temperature null models.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_matrices.h"
#include "common/shared_state.h"
#include "packing/packing.h"
#include "temperature/temperature.h"

// Packs and measures a fill-0.3 random matrix of the given side, as the null
// models do (no report written).
static void BM_PackAndTemperature(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    fillRandomMatrix(PresenceMatrix, 1, side, side, 0.3, 42);
    simulationRunning = 1;
    std::strcpy(currentFileName, "BENCH.TXT");
    for (auto _ : state) {
        resetAnalysisState();
        rowCount = columnCount = side;
        for (int r = 1; r <= side; r++)
            std::memcpy(&workingMatrix[r][1], &PresenceMatrix[r][1], static_cast<std::size_t>(side));
        packMatrix();
        computeTemperature();
        benchmark::DoNotOptimize(matrixTemperature);
    }
}
BENCHMARK(BM_PackAndTemperature)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackAndTemperature)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(3);
