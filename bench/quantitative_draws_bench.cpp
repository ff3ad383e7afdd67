// Speed of one draw of each quantitative model, on matrices of fill 0.3
// with abundances 1 to 20 (about 3 million individuals at 1000 x 1000):
// r2dtable draws a whole table; abundance_shuffle is its chain between two
// simulations (the curveball model's default thinning, 10 trades a row)
// and the deal of every row's abundances.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_matrices.h"
#include "bravolin/null_models.h"
#include "bravolin/stream_generator.h"
#include "core/null_models/abundance_shuffle.h"
#include "core/null_models/r2dtable.h"

namespace {

void BM_DrawR2dtable(benchmark::State& state)
{
    const bravolin::AbundanceMatrix observed = randomAbundances(static_cast<int>(state.range(0)), 0.3, 20, 3);
    bravolin::CountMargins margins;
    std::string error;
    if (!bravolin::countMarginsOf(observed, margins, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    bravolin::StreamGenerator generator(1);
    bravolin::AbundanceMatrix out;
    for (auto _ : state) {
        bravolin::drawR2dtable(margins, generator, out);
        benchmark::DoNotOptimize(out.at(0, 0));
    }
    state.counters["individuals"] = static_cast<double>(margins.individuals);
}

void BM_DrawAbundanceShuffle(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::AbundanceMatrix observed = randomAbundances(side, 0.3, 20, 3);
    bravolin::AbundanceShuffleChain chain(observed);
    bravolin::StreamGenerator generator(1);
    bravolin::AbundanceMatrix out;
    for (auto _ : state) {
        chain.next(bravolin::defaultFixedFixedThin(side), generator, out);
        benchmark::DoNotOptimize(out.at(0, 0));
    }
}

}  // namespace

BENCHMARK(BM_DrawR2dtable)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawAbundanceShuffle)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
