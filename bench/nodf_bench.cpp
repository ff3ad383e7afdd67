// Speed of the NODF metric, which the null models of mode N run four times
// per simulation: the measurement alone, and a whole null-model run of
// computeNodf with its three report lines.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "common/random.h"
#include "common/shared_state.h"
#include "nodf/nodf_metric.h"

// A side by side matrix of about half presences, ordering on: ordering and
// both pair tables are then fully exercised.
static void prepareMatrix(int side)
{
    seedRandom(12345);
    rowCount = columnCount = side;
    for (int r = 0; r < side; r++)
        for (int c = 0; c < side; c++)
            workingMatrix[r][c] = static_cast<unsigned char>(drawRandom() & 1);
    orderMatrix = 1;
    nullModelsEnabled = 1;
}

static void BM_MeasureNodf(benchmark::State& state)
{
    prepareMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        measureNodf();
        benchmark::DoNotOptimize(nodfTotal);
    }
}
BENCHMARK(BM_MeasureNodf)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

// Null-model kinds append one line to each of three small files per call.
static void BM_ComputeNodfNullModelRun(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "bravolin_nodf_bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    prepareMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        computeNodf(Er);
        benchmark::DoNotOptimize(erNodfSum);
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
BENCHMARK(BM_ComputeNodfNullModelRun)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMicrosecond);
