// Measures how fast the curveball chain (the fixed-fixed model) mixes: for
// each matrix and each spacing of k trades, the autocorrelation of the
// total NODF between curveball matrices k trades apart along the chain
// (after a long burn-in), and their effective sample size, so that the
// default thinning can be chosen where that autocorrelation is negligible.
//
// Usage: bravolin_ff_mixing [MATRIX_FILE]...
// Without files it measures a 100 x 100 random matrix of fill 0.3 and a
// 100 x 100 nested-looking one. Each line gives the matrix, its rows, the
// spacing as a multiple of the rows, and the lag-1 autocorrelation and the
// effective sample size (statistics.h) of 2000 values drawn that far
// apart.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_matrices.h"
#include "bravolin/generator.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "console/input/file_readers.h"

namespace {

class NoAnswers : public AnswerSource {
public:
    std::optional<std::string> nextWord() override { return std::nullopt; }
    bool showsQuestions() const override { return false; }
};

// A matrix whose presence becomes rarer down and to the right, with noise:
// nested, but with room for the chain to move.
bravolin::Matrix nestedLooking(int side, unsigned seed)
{
    const bravolin::Matrix noise = randomMatrix(side, 0.5, seed);
    bravolin::Matrix matrix(side, side);
    for (int r = 0; r < side; r++)
        for (int c = 0; c < side; c++) {
            const bool inside = r + c < side;
            matrix.set(r, c, (inside ? noise.at(r, c) || noise.at(c, r) : noise.at(r, c) && noise.at(c, r)) ? 1 : 0);
        }
    return matrix;
}

void measure(const std::string& name, const bravolin::Matrix& matrix)
{
    const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, true);
    for (const double multiple : {0.25, 0.5, 1.0, 2.0, 5.0, 10.0}) {
        bravolin::NullModelSettings settings;
        settings.simulations = 2000;
        settings.threads = 2;
        settings.models = {bravolin::Curveball};
        settings.fixedFixed.burnIn = 100LL * matrix.rows();
        settings.fixedFixed.thin = std::max(1LL, std::llround(multiple * matrix.rows()));
        bravolin::Generator generator(7);
        const bravolin::NodfNullModels null = bravolin::runNodfNullModels(matrix, observed, generator, settings);
        const std::vector<float> totals =
            bravolin::modelValues(null, bravolin::Curveball, bravolin::NodfPart::Total);
        const bravolin::NullStatistics statistics =
            bravolin::nullStatistics(totals, observed.nodf.total, bravolin::NestedTail::Greater, true, 100);
        if (std::isnan(statistics.lag1))
            std::printf("%-24s %5d rows  thin %5.2f x rows (%6lld trades)  none: no other matrix has these totals\n",
                        name.c_str(), matrix.rows(), multiple, settings.fixedFixed.thin);
        else
            std::printf("%-24s %5d rows  thin %5.2f x rows (%6lld trades)  autocorrelation %6.3f  ess %6.0f\n",
                        name.c_str(), matrix.rows(), multiple, settings.fixedFixed.thin, statistics.lag1,
                        statistics.ess);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        measure("random 100 x 100", randomMatrix(100, 0.3, 11));
        measure("nested-looking 100 x 100", nestedLooking(100, 12));
        return 0;
    }
    FileSystem disk;
    for (int i = 1; i < argc; i++) {
        NoAnswers answers;
        const FileRead read = readTemperatureFile(disk, argv[i], answers, false);
        if (read.outcome == FileRead::Outcome::Read)
            measure(argv[i], read.matrix);
    }
    return 0;
}
