// Speed of the pseudo-random generator, which every null-model cell draws.
#include <benchmark/benchmark.h>

#include "bravolin/generator.h"

static void BM_DrawRandom(benchmark::State& state)
{
    bravolin::Generator generator(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(generator.draw());
}
BENCHMARK(BM_DrawRandom);
