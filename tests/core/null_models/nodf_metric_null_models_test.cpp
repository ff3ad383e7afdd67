// The metrics through the NODF's null models: each simulated matrix's
// values are those of the core's functions on that matrix, on any number
// of threads, with the run's NODFmax cache as without one; the NODF is
// that of the run without metrics; the models leave undefined what they
// must; the models of abundances keep what they must of the abundances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/error.h"

#include "bravolin/generator.h"
#include "bravolin/metrics.h"
#include "bravolin/nodf.h"
#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "bravolin/temperature.h"
#include "core/null_models/null_model_engine.h"
#include "support/matrices.h"

namespace {

// A drawn matrix: its presences, and the abundances a model of abundances
// drew (none for the binary models).
struct Drawn {
    bravolin::Matrix presences;
    bravolin::AbundanceMatrix abundances;
    bool ofAbundances = false;
};

// An analysis that keeps every drawn matrix, drawn as the NODF's null
// models draw them: the matrices that the metrics' run measured.
struct DrawnMatrices {
    using Rules = bravolin::NodfDrawRules;
    struct Worker {};
    using Value = Drawn;

    const bravolin::Matrix& matrix;
    const bravolin::NodfResult& observed;
    const bravolin::AbundanceMatrix* abundances = nullptr;

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
    Drawn measure(Worker&, bravolin::NullModel, bravolin::CellMatrix& drawn, const bravolin::AbundanceMatrix* tables,
                  int rows, int columns, const bravolin::StopRequest&) const
    {
        std::vector<std::uint8_t> cells;
        for (int r = 0; r < rows; r++)
            cells.insert(cells.end(), drawn[r], drawn[r] + columns);
        Drawn kept{bravolin::Matrix(rows, columns, cells), {}, tables != nullptr};
        if (tables != nullptr)
            kept.abundances = *tables;
        return kept;
    }
    double pValueError(const std::vector<Drawn>&, bool) const { return 0; }
};

bool sameValue(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

const bravolin::MetricSettings kEveryMetric{{bravolin::Metric::Nodf, bravolin::Metric::Wnodf, bravolin::Metric::Nodfc,
                                             bravolin::Metric::Discrepancy, bravolin::Metric::Checker,
                                             bravolin::Metric::N0, bravolin::Metric::Spectral},
                                            false};

// Every value of the metrics' run is the core's function on the matrix
// drawn (a cache of its own for every matrix: no value depends on which
// matrices came first, or on which thread), or NaN where its model does
// not measure it; the NODF is that of the run without metrics.
void expectTheCoresValues(const bravolin::NodfMetricNullModels& null, const bravolin::NullModelValues<Drawn>& drawn,
                          const bravolin::NodfNullModels& nodf, int threads)
{
    for (std::size_t m = 0; m < null.models.size(); m++) {
        const bravolin::NullModel model = null.models[m].model;
        ASSERT_EQ(null.models[m].values.size(), drawn.models[m].values.size());
        for (std::size_t s = 0; s < null.models[m].values.size(); s++) {
            const bravolin::NodfMeasurement& got = null.models[m].values[s];
            const bravolin::NodfValues& alone = nodf.models[m].values[s];
            EXPECT_TRUE(sameValue(got.nodf.total, alone.total) && sameValue(got.nodf.rows, alone.rows));
            const Drawn& matrix = drawn.models[m].values[s];
            bravolin::NodfMaxCache fresh;
            const bravolin::MetricValues expected = bravolin::measureMetrics(
                matrix.presences, matrix.ofAbundances ? &matrix.abundances : nullptr, kEveryMetric, fresh);
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

bravolin::NullModelSettings settingsOf(int threads, std::vector<bravolin::NullModel> models = {
                                                        bravolin::Er, bravolin::Ce, bravolin::Li, bravolin::Co,
                                                        bravolin::R0, bravolin::Quasiswap, bravolin::Curveball})
{
    bravolin::NullModelSettings settings;
    settings.simulations = 12;
    settings.threads = threads;
    settings.models = std::move(models);
    return settings;
}

// Counts from 1 to 6 at the presences of rows.
bravolin::AbundanceMatrix countsOf(const Rows& rows)
{
    const bravolin::Matrix presences = matrixOf(rows);
    bravolin::AbundanceMatrix counts(presences.rows(), presences.columns());
    for (int r = 0; r < presences.rows(); r++)
        for (int c = 0; c < presences.columns(); c++)
            counts.set(r, c, presences.at(r, c) * (1 + (3 * r + 5 * c) % 6));
    return counts;
}

}  // namespace

TEST(NodfMetricNullModels, EveryValueIsTheCoresOnTheDrawnMatrixOnAnyThreadsAndCache)
{
    // 4 x 5 (20 cells: NODFmax exhaustive) and 9 x 11 (heuristic), with
    // empty lines among the drawn matrices of r0 and Li.
    for (const bravolin::Matrix& matrix :
         {matrixOf({"11110", "11000", "10100", "10000"}), matrixOf(randomRows(9, 11, 0.35, 4))}) {
        const bravolin::NodfResult observed = bravolin::analyseNodf(matrix, true);
        bravolin::Generator drawing(77);
        const auto drawn = bravolin::runNullModels(DrawnMatrices{matrix, observed}, drawing, settingsOf(1), {});
        bravolin::Generator plain(77);
        const bravolin::NodfNullModels nodf = bravolin::runNodfNullModels(matrix, observed, plain, settingsOf(1));
        for (int threads : {1, 2}) {
            bravolin::NodfMaxCache shared;
            bravolin::Generator generator(77);
            const bravolin::NodfMetricNullModels null =
                bravolin::runNodfMetricNullModels(matrix, observed, kEveryMetric, shared, generator, settingsOf(threads));
            ASSERT_EQ(null.run.completed, 12);
            EXPECT_EQ(generator.state(), plain.state());
            expectTheCoresValues(null, drawn, nodf, threads);
        }
    }
}

// r2dtable's tables keep every row's and column's sum of whole counts;
// abundance_shuffle's keep every row's abundances and every line's number
// of presences; the binary metrics are of their presences, wnodf of their
// abundances, on one thread and two. An abundance that is not a whole
// number stops r2dtable before its first simulation, naming the cell; the
// temperature refuses both.
TEST(NodfMetricNullModels, TheModelsOfAbundancesKeepTheirConstraintsAndAreMeasuredOnTheirTables)
{
    const bravolin::AbundanceMatrix observed = countsOf(randomRows(7, 8, 0.45, 11));
    const bravolin::Matrix& presences = observed.presences();
    const bravolin::NodfResult nodfObserved = bravolin::analyseNodf(presences, true);
    const std::vector<bravolin::NullModel> models = {bravolin::Curveball, bravolin::R2dtable,
                                                     bravolin::AbundanceShuffle};
    bravolin::Generator drawing(5);
    const auto drawn = bravolin::runNullModels(DrawnMatrices{presences, nodfObserved, &observed}, drawing,
                                               settingsOf(1, models), {});
    EXPECT_TRUE(drawn.fixedFixedRun.ran);
    auto sums = [](const bravolin::AbundanceMatrix& m, bool ofRows, bool ofPresences) {
        std::vector<double> totals(static_cast<std::size_t>(ofRows ? m.rows() : m.columns()), 0.0);
        for (int r = 0; r < m.rows(); r++)
            for (int c = 0; c < m.columns(); c++)
                totals[static_cast<std::size_t>(ofRows ? r : c)] += ofPresences ? (m.at(r, c) > 0) : m.at(r, c);
        return totals;
    };
    auto sortedRow = [](const bravolin::AbundanceMatrix& m, int r) {
        std::vector<double> values;
        for (int c = 0; c < m.columns(); c++)
            if (m.at(r, c) > 0)
                values.push_back(m.at(r, c));
        std::sort(values.begin(), values.end());
        return values;
    };
    for (std::size_t m = 1; m < models.size(); m++) {
        SCOPED_TRACE(bravolin::kNullModelNames[models[m]]);
        std::set<std::vector<double>> tables;
        for (const Drawn& table : drawn.models[m].values) {
            ASSERT_TRUE(table.ofAbundances);
            EXPECT_EQ(rowsOf(table.presences), rowsOf(table.abundances.presences()));
            tables.insert(table.abundances.cells());
            if (models[m] == bravolin::R2dtable) {
                for (double cell : table.abundances.cells())
                    EXPECT_EQ(cell, std::floor(cell));
                EXPECT_EQ(sums(table.abundances, true, false), sums(observed, true, false));
                EXPECT_EQ(sums(table.abundances, false, false), sums(observed, false, false));
            } else {
                for (int r = 0; r < observed.rows(); r++)
                    EXPECT_EQ(sortedRow(table.abundances, r), sortedRow(observed, r));
                EXPECT_EQ(sums(table.abundances, false, true), sums(observed, false, true));
            }
        }
        EXPECT_GT(tables.size(), 6u);
    }
    bravolin::Generator plain(5);
    const bravolin::NodfNullModels nodf =
        bravolin::runNodfNullModels(observed, nodfObserved, plain, settingsOf(1, models));
    for (int threads : {1, 2}) {
        bravolin::NodfMaxCache shared;
        bravolin::Generator generator(5);
        const bravolin::NodfMetricNullModels null = bravolin::runNodfMetricNullModels(
            observed, nodfObserved, kEveryMetric, shared, generator, settingsOf(threads, models));
        ASSERT_EQ(null.run.completed, 12);
        expectTheCoresValues(null, drawn, nodf, threads);
    }

    bravolin::AbundanceMatrix fraction = observed;
    fraction.set(1, 2, 2.5);
    int simulations = 0;
    try {
        bravolin::runNodfNullModels(fraction, nodfObserved, plain, settingsOf(1, {bravolin::R2dtable}),
                                    [&simulations](const bravolin::NodfNullModels&, int) { simulations++; });
        ADD_FAILURE() << "r2dtable drew from a fraction";
    } catch (const bravolin::Error& error) {
        EXPECT_NE(std::string(error.what()).find("row 2, column 3 is 2.5"), std::string::npos) << error.what();
    }
    EXPECT_EQ(simulations, 0);
    const bravolin::TemperatureResult temperature = bravolin::analyseTemperature(presences);
    EXPECT_THROW(bravolin::runTemperatureNullModels(presences, temperature, plain,
                                                    settingsOf(1, {bravolin::Li, bravolin::AbundanceShuffle})),
                 bravolin::Error);
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
    EXPECT_TRUE(bravolin::measuredUnder(bravolin::R2dtable, bravolin::WnodfRows));
    EXPECT_FALSE(bravolin::measuredUnder(bravolin::R2dtable, bravolin::NodfcValue));
    EXPECT_TRUE(bravolin::measuredUnder(bravolin::AbundanceShuffle, bravolin::NodfMaxRatio));
}
