// The metrics through the NODF's null models: each simulated matrix's
// values are those of the core's functions on that matrix, on any number
// of threads, with the run's NODFmax cache as without one; the NODF is
// that of the run without metrics; the models leave undefined what they
// must.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/metrics.h"
#include "bravolin/nodf.h"
#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "core/null_models/null_model_engine.h"
#include "support/matrices.h"

namespace {

// An analysis that keeps every drawn matrix, drawn as the NODF's null
// models draw them: the matrices that the metrics' run measured.
struct DrawnMatrices {
    using Rules = bravolin::NodfDrawRules;
    struct Worker {};
    using Value = bravolin::Matrix;

    const bravolin::Matrix& matrix;
    const bravolin::NodfResult& observed;

    bravolin::RandomisedBlock block(const bravolin::StopRequest&) const
    {
        bravolin::RandomisedBlock block;
        block.rows = matrix.rows();
        block.columns = matrix.columns();
        block.cells.resize(block.rows, block.columns);
        for (int r = 0; r < block.rows; r++)
            std::copy(matrix.row(r), matrix.row(r) + block.columns, block.cells[r]);
        return block;
    }
    bravolin::Matrix measure(Worker&, bravolin::NullModel, bravolin::CellMatrix& drawn, int rows, int columns,
                             const bravolin::StopRequest&) const
    {
        std::vector<std::uint8_t> cells;
        for (int r = 0; r < rows; r++)
            cells.insert(cells.end(), drawn[r], drawn[r] + columns);
        return bravolin::Matrix(rows, columns, cells);
    }
    double pValueError(const std::vector<bravolin::Matrix>&, bool) const { return 0; }
};

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

bravolin::NullModelSettings settingsOf(int threads)
{
    bravolin::NullModelSettings settings;
    settings.simulations = 12;
    settings.threads = threads;
    settings.models = {bravolin::Er, bravolin::Ce, bravolin::Li, bravolin::Co, bravolin::R0, bravolin::Quasiswap,
                       bravolin::Curveball};
    return settings;
}

}  // namespace

TEST(NodfMetricNullModels, EveryValueIsTheCoresOnTheDrawnMatrixOnAnyThreadsAndCache)
{
    // 4 x 5 (20 cells: NODFmax exhaustive) and 9 x 11 (heuristic), with
    // empty lines among the drawn matrices of r0 and Li.
    for (const bravolin::Matrix& matrix :
         {matrixOf({"11110", "11000", "10100", "10000"}), matrixOf(randomRows(9, 11, 0.35, 4))}) {
        const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, true);
        const bravolin::MetricSettings all{{bravolin::Metric::Nodf, bravolin::Metric::Wnodf, bravolin::Metric::Nodfc,
                                            bravolin::Metric::Discrepancy, bravolin::Metric::Checker,
                                            bravolin::Metric::N0, bravolin::Metric::Spectral},
                                           false};
        bravolin::Generator drawing(77);
        const auto drawn =
            bravolin::runNullModels(DrawnMatrices{matrix, observed}, drawing, settingsOf(1), {});
        bravolin::Generator plain(77);
        const bravolin::NodfNullModels nodf = bravolin::runNodfNullModels(matrix, observed, plain, settingsOf(1));
        for (int threads : {1, 2}) {
            bravolin::NodfMaxCache shared;
            bravolin::Generator generator(77);
            const bravolin::NodfMetricNullModels null =
                bravolin::runNodfMetricNullModels(matrix, observed, all, shared, generator, settingsOf(threads));
            ASSERT_EQ(null.run.completed, 12);
            EXPECT_EQ(generator.state(), plain.state());
            for (std::size_t m = 0; m < null.models.size(); m++) {
                const bravolin::NullModel model = null.models[m].model;
                for (std::size_t s = 0; s < 12; s++) {
                    const bravolin::NodfMeasurement& got = null.models[m].values[s];
                    const bravolin::NodfValues& alone = nodf.models[m].values[s];
                    EXPECT_TRUE(sameValue(got.nodf.total, alone.total) && sameValue(got.nodf.rows, alone.rows));
                    // A cache of its own for every matrix: no value depends on
                    // which matrices came first, or on which thread.
                    bravolin::NodfMaxCache fresh;
                    const bravolin::MetricValues expected =
                        bravolin::measureMetrics(drawn.models[m].values[s], nullptr, all, fresh);
                    for (int v = 0; v < bravolin::kMetricValueCount; v++) {
                        const double value = got.metrics.values[static_cast<std::size_t>(v)];
                        if (bravolin::measuredUnder(model, v))
                            EXPECT_TRUE(sameValue(value, expected.values[static_cast<std::size_t>(v)]))
                                << bravolin::kNullModelNames[model] << " " << s << " "
                                << bravolin::metricValueStatistic(v).name << " at " << threads << " threads";
                        else
                            EXPECT_TRUE(std::isnan(value));
                    }
                }
            }
        }
    }
}

TEST(NodfMetricNullModels, MetricsByNameAndTheValuesEachModelMeasures)
{
    const bravolin::MetricChoice some = bravolin::chooseMetrics({"Spectral", "NODFC"});
    EXPECT_EQ(some.metrics,
              (std::vector<bravolin::Metric>{bravolin::Metric::Nodf, bravolin::Metric::Nodfc, bravolin::Metric::Spectral}));
    EXPECT_EQ(bravolin::chooseMetrics({"all"}).metrics.size(), static_cast<std::size_t>(bravolin::kMetricCount));
    const bravolin::MetricChoice unknown = bravolin::chooseMetrics({"nodf", "foo", "bar"});
    EXPECT_TRUE(unknown.metrics.empty());
    EXPECT_NE(unknown.error.find("\"foo\", \"bar\""), std::string::npos) << unknown.error;
    EXPECT_FALSE(bravolin::chooseMetrics({}).error.empty());
    EXPECT_FALSE(bravolin::measuresBeyondNodf({{bravolin::Metric::Nodf}, false}));
    EXPECT_EQ(bravolin::measuredValues({some.metrics, false}),
              (std::vector<int>{bravolin::NodfcValue, bravolin::NodfMaxRatio, bravolin::SpectralRadius}));
    EXPECT_FALSE(bravolin::measuredUnder(bravolin::Er, bravolin::NodfcValue));
    EXPECT_FALSE(bravolin::measuredUnder(bravolin::Ce, bravolin::NodfMaxRatio));
    EXPECT_TRUE(bravolin::measuredUnder(bravolin::Curveball, bravolin::NodfcValue));
    EXPECT_FALSE(bravolin::measuredUnder(bravolin::Li, bravolin::WnodfTotal));
    EXPECT_TRUE(bravolin::measuredUnder(bravolin::Er, bravolin::DiscrepancyValue));
}
