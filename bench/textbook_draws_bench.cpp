// Speed of one draw of each textbook model (fill 0.3): r00, r0, c0, r1 and
// r2 each draw a whole matrix; quasiswap draws its table, reduces it and
// makes one curveball trade a row; curveball is its chain between two
// simulations (the default thinning of 10 trades a row) and the copy out.
#include <benchmark/benchmark.h>

#include "bench_matrices.h"
#include "bravolin/null_models.h"
#include "bravolin/stream_generator.h"
#include "core/null_models/curveball.h"
#include "core/null_models/quasiswap.h"
#include "core/null_models/textbook_draws.h"

namespace {

template <bravolin::IndependentDraw Draw>
void BM_DrawIndependent(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Margins margins = bravolin::marginsOf(randomMatrix(side, 0.3, 3));
    bravolin::StreamGenerator generator(1);
    bravolin::CellMatrix out;
    for (auto _ : state) {
        Draw(margins, generator, out, {});
        benchmark::DoNotOptimize(out[0][0]);
    }
}

void BM_DrawQuasiswap(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const bravolin::Margins margins = bravolin::marginsOf(randomMatrix(side, 0.3, 3));
    bravolin::StreamGenerator generator(1);
    bravolin::CellMatrix out;
    for (auto _ : state) {
        bravolin::drawQuasiswap(margins, side, generator, out);
        benchmark::DoNotOptimize(out[0][0]);
    }
}

void BM_DrawCurveball(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    bravolin::CurveballMatrix chain(randomMatrix(side, 0.3, 3));
    bravolin::StreamGenerator generator(1);
    bravolin::CellMatrix out;
    for (auto _ : state) {
        chain.advance(bravolin::defaultFixedFixedThin(side), generator);
        chain.copyTo(out);
        benchmark::DoNotOptimize(out[0][0]);
    }
}

}  // namespace

BENCHMARK_TEMPLATE(BM_DrawIndependent, bravolin::drawR00)->Arg(50)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_DrawIndependent, bravolin::drawR0)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_DrawIndependent, bravolin::drawC0)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_DrawIndependent, bravolin::drawR1)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_DrawIndependent, bravolin::drawR2)->Arg(50)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawQuasiswap)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawCurveball)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
