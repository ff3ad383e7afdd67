// Speed of the nestedness metrics of bravolin/metrics.h, each as a null
// model would run it on one simulated matrix: 50 x 50, 225 x 50 and
// 50 x 225 (the size of vegan's BCI), 100 x 100 and 1000 x 1000 at fill
// 0.3; NODFc with its NODFmax already in the cache, as for every null
// matrix after the first. Then NODFmax itself, and the checkerboards of
// the largest matrix.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "bench_matrices.h"
#include "bravolin/metrics.h"

namespace {

bravolin::Matrix benchMatrix(const benchmark::State& state)
{
    return randomMatrix(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 0.3, 2017);
}

// The matrix's presences with abundances 1 to 6.
bravolin::AbundanceMatrix benchAbundances(const benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    std::mt19937 generator(7);
    std::vector<double> cells;
    for (std::uint8_t cell : matrix.cells())
        cells.push_back(cell != 0 ? static_cast<double>(1 + generator() % 6) : 0.0);
    return bravolin::AbundanceMatrix(matrix.rows(), matrix.columns(), cells);
}

void metricSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Args({50, 50})->Args({225, 50})->Args({50, 225})->Args({100, 100})->Args({1000, 1000});
    benchmark->Unit(benchmark::kMicrosecond);
}

}  // namespace

static void BM_MetricNodf(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::nodf(matrix).total);
}
BENCHMARK(BM_MetricNodf)->Apply(metricSizes);

static void BM_MetricWnodf(benchmark::State& state)
{
    const bravolin::AbundanceMatrix abundances = benchAbundances(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::wnodf(abundances, false).total);
}
BENCHMARK(BM_MetricWnodf)->Apply(metricSizes);

static void BM_MetricNodfc(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    bravolin::NodfMaxCache cache;
    bravolin::nodfc(matrix, cache);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::nodfc(matrix, cache).nodfc);
}
BENCHMARK(BM_MetricNodfc)->Apply(metricSizes);

static void BM_MetricDiscrepancy(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::discrepancy(matrix));
}
BENCHMARK(BM_MetricDiscrepancy)->Apply(metricSizes);

static void BM_MetricChecker(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::checker(matrix).units);
}
BENCHMARK(BM_MetricChecker)->Apply(metricSizes)->Args({3000, 3000});

static void BM_MetricN0(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::n0(matrix));
}
BENCHMARK(BM_MetricN0)->Apply(metricSizes);

static void BM_MetricSpectral(benchmark::State& state)
{
    const bravolin::Matrix matrix = benchMatrix(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::spectralRadius(matrix).radius);
}
BENCHMARK(BM_MetricSpectral)->Apply(metricSizes);

// NODFmax of a side x side matrix at fill 0.3, without a cache.
static void BM_NodfMax(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const long long presences = static_cast<long long>(0.3 * side * side);
    for (auto _ : state)
        benchmark::DoNotOptimize(bravolin::nodfMax(side, side, presences).value);
}
BENCHMARK(BM_NodfMax)->Arg(100)->Arg(500)->Iterations(1)->Unit(benchmark::kMillisecond);
