// Speed of the pseudo-random generator, which every null-model cell draws.
#include <benchmark/benchmark.h>

#include "common/random.h"

static void BM_DrawRandom(benchmark::State& state)
{
    seedRandom(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawRandom());
}
BENCHMARK(BM_DrawRandom);
