// Speed of reading a matrix file and of reading the same matrix as a field
// table (names, abundances, commas), from memory, so that only the readers
// are timed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_matrices.h"
#include "formats/input/matrix_reader.h"
#include "formats/input/nodf_reader.h"
#include "formats/input/table_reader.h"

namespace {

// A matrix file: one line of 0s and 1s per row.
std::string matrixFileText(const bravolin::Matrix& matrix)
{
    std::string text;
    for (int r = 0; r < matrix.rows(); r++) {
        for (int c = 0; c < matrix.columns(); c++)
            text += matrix.at(r, c) ? '1' : '0';
        text += '\n';
    }
    return text;
}

// The table write.csv writes for it: quoted names, abundances 1 to 9.
std::string tableText(const bravolin::Matrix& matrix)
{
    std::string text = "\"\"";
    for (int c = 0; c < matrix.columns(); c++)
        text += ",\"species " + std::to_string(c + 1) + "\"";
    text += '\n';
    for (int r = 0; r < matrix.rows(); r++) {
        text += "\"site " + std::to_string(r + 1) + "\"";
        for (int c = 0; c < matrix.columns(); c++) {
            text += ',';
            text += matrix.at(r, c) ? static_cast<char>('1' + (r + c) % 9) : '0';
        }
        text += '\n';
    }
    return text;
}

// A matrix file of 0s and 1s has nothing to say.
void ignore(const std::string&) {}

}  // namespace

static void BM_ReadMatrixFile(benchmark::State& state)
{
    const std::string text = matrixFileText(randomMatrix(static_cast<int>(state.range(0)), 0.3, 7));
    for (auto _ : state)
        benchmark::DoNotOptimize(readMatrixText(text, "m.txt", ignore, {}).matrix.rows());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadMatrixFile)->Arg(3000)->Unit(benchmark::kMillisecond);

static void BM_ReadNodfMatrixFile(benchmark::State& state)
{
    const std::string text = matrixFileText(randomMatrix(static_cast<int>(state.range(0)), 0.3, 7));
    for (auto _ : state)
        benchmark::DoNotOptimize(readNodfText(text, "m.txt", ignore).matrix.rows());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadNodfMatrixFile)->Arg(3000)->Unit(benchmark::kMillisecond);

static void BM_ReadTable(benchmark::State& state)
{
    const std::string text = tableText(randomMatrix(static_cast<int>(state.range(0)), 0.3, 7));
    for (auto _ : state)
        benchmark::DoNotOptimize(readTableText(text, "m.csv", {}, ignore).matrix.rows());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadTable)->Arg(3000)->Unit(benchmark::kMillisecond);
