// The NODF's null models: they randomise the whole matrix, rows and columns
// numbered from 0, and measure every random matrix's NODF as the observed
// one was measured (ordered or not), and with the metrics of a run that
// has them, the values of those metrics beside it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "bravolin/nodf_metrics.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "core/nodf/nodf_metric.h"
#include "core/null_models/null_model_engine.h"

namespace bravolin {

namespace {

struct NodfAnalysis {
    using Rules = NodfDrawRules;
    using Worker = NodfContext;
    using Value = NodfValues;

    const Matrix& matrix;
    const NodfResult& observed;
    const AbundanceMatrix* abundances;  // of matrix's presences, or none

    RandomisedBlock block(const StopRequest& stop) const
    {
        RandomisedBlock block;
        block.rows = matrix.rows();
        block.columns = matrix.columns();
        block.cells.resize(block.rows, block.columns);
        for (int r = 0; r < block.rows; r++) {
            stop.abandonAtLineIfRequested(r);
            std::copy(matrix.row(r), matrix.row(r) + block.columns, block.cells[r]);
        }
        return block;
    }

    NodfValues measure(NodfContext& worker, NullModel /*model*/, CellMatrix& drawn,
                       const AbundanceMatrix* /*drawnAbundances*/, int rows, int columns, const StopRequest& stop) const
    {
        measureNodf(worker, drawn, rows, columns, observed.ordered, false, stop);
        return {worker.nodfRows, worker.nodfColumns, worker.nodfTotal};
    }

    // The largest of the errors of the rows', the columns' and the total's
    // P values (of their values in percent, as the tables give them); an
    // undefined one (NaN: a NODF without pairs) is left out.
    double pValueError(const std::vector<NodfValues>& values, bool chain) const
    {
        double largest = 0;
        for (float NodfValues::*part : {&NodfValues::rows, &NodfValues::columns, &NodfValues::total}) {
            std::vector<float> parts;
            parts.reserve(values.size());
            for (const NodfValues& nodf : values)
                parts.push_back(nodf.*part);
            const double error = nestednessPValueError(parts, observed.nodf.*part, NestedTail::Greater, chain, 100);
            if (error > largest)
                largest = error;
        }
        return largest;
    }
};

// The NODF as NodfAnalysis measures it, and the values of the run's
// metrics that each model measures (measuredUnder), in double precision:
// wnodf of the abundances a model of abundances drew, the others of the
// drawn presences.
struct NodfMetricsAnalysis {
    using Rules = NodfDrawRules;
    using Worker = NodfContext;
    using Value = NodfMeasurement;

    const Matrix& matrix;
    const NodfResult& observed;
    const AbundanceMatrix* abundances;
    NodfAnalysis nodf;
    // The observed matrix's metrics, which a precision's P values compare
    // with; measured only for a run with a precision.
    const MetricValues observedMetrics;
    // The metrics measured under each model.
    std::vector<MetricSettings> ofModel;
    NodfMaxCache& cache;

    RandomisedBlock block(const StopRequest& stop) const { return nodf.block(stop); }

    NodfMeasurement measure(Worker& worker, NullModel model, CellMatrix& drawn,
                            const AbundanceMatrix* drawnAbundances, int rows, int columns,
                            const StopRequest& stop) const
    {
        // The metrics first: measureNodf may reorder drawn.
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        for (int r = 0; r < rows; r++) {
            stop.abandonAtLineIfRequested(r);
            std::copy(drawn[r], drawn[r] + columns, cells.begin() + static_cast<std::ptrdiff_t>(r) * columns);
        }
        const Matrix simulated(rows, columns, std::move(cells));
        NodfMeasurement measured;
        measured.metrics = measureMetrics(simulated, drawnAbundances, ofModel[static_cast<std::size_t>(model)], cache);
        measured.nodf = nodf.measure(worker, model, drawn, drawnAbundances, rows, columns, stop);
        return measured;
    }

    // The largest error of the NODF's P values and of the P values of the
    // metrics, each on the side its direction makes nested; undefined ones
    // (NaN) are left out.
    double pValueError(const std::vector<NodfMeasurement>& values, bool chain) const
    {
        std::vector<NodfValues> nodfValues;
        nodfValues.reserve(values.size());
        for (const NodfMeasurement& measured : values)
            nodfValues.push_back(measured.nodf);
        double largest = nodf.pValueError(nodfValues, chain);
        for (int v = 0; v < kMetricValueCount; v++) {
            std::vector<double> ofValue;
            ofValue.reserve(values.size());
            for (const NodfMeasurement& measured : values)
                ofValue.push_back(measured.metrics.values[static_cast<std::size_t>(v)]);
            const NestedTail tail =
                metricValueStatistic(v).moreNested == MoreNested::Higher ? NestedTail::Greater : NestedTail::Less;
            const double error = doubleNestednessPValueError(
                ofValue, observedMetrics.values[static_cast<std::size_t>(v)], tail, chain);
            if (error > largest)
                largest = error;
        }
        return largest;
    }
};

// The metrics of settings that model measures.
MetricSettings metricsUnder(NullModel model, const MetricSettings& settings)
{
    MetricSettings under{{}, settings.wbinary};
    for (Metric metric : settings.metrics) {
        bool measured = metric == Metric::Nodf;
        for (int value : measuredValues(MetricSettings{{metric}, settings.wbinary}))
            measured = measured || measuredUnder(model, value);
        if (measured)
            under.metrics.push_back(metric);
    }
    return under;
}

// The metrics' null models of matrix, with its abundances or without.
NodfMetricNullModels runMetricNullModels(const Matrix& matrix, const AbundanceMatrix* abundances,
                                         const NodfResult& observed, const MetricSettings& metrics,
                                         NodfMaxCache& cache, Generator& generator, const NullModelSettings& settings,
                                         const SimulationDone<NodfMeasurement>& onSimulation)
{
    std::vector<MetricSettings> ofModel;
    for (int model = 0; model < kNullModelCount; model++)
        ofModel.push_back(metricsUnder(static_cast<NullModel>(model), metrics));
    const NodfMetricsAnalysis analysis{matrix,
                                       observed,
                                       abundances,
                                       NodfAnalysis{matrix, observed, abundances},
                                       settings.precision > 0 ? measureMetrics(matrix, abundances, metrics, cache)
                                                              : MetricValues{},
                                       ofModel,
                                       cache};
    return runNullModels(analysis, generator, settings, onSimulation);
}

}  // namespace

NodfMetricNullModels runNodfMetricNullModels(const Matrix& matrix, const NodfResult& observed,
                                             const MetricSettings& metrics, NodfMaxCache& cache,
                                             Generator& generator, const NullModelSettings& settings,
                                             const SimulationDone<NodfMeasurement>& onSimulation)
{
    return runMetricNullModels(matrix, nullptr, observed, metrics, cache, generator, settings, onSimulation);
}

NodfMetricNullModels runNodfMetricNullModels(const AbundanceMatrix& abundances, const NodfResult& observed,
                                             const MetricSettings& metrics, NodfMaxCache& cache,
                                             Generator& generator, const NullModelSettings& settings,
                                             const SimulationDone<NodfMeasurement>& onSimulation)
{
    return runMetricNullModels(abundances.presences(), &abundances, observed, metrics, cache, generator, settings,
                               onSimulation);
}

NodfNullModels runNodfNullModels(const Matrix& matrix, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings, const SimulationDone<NodfValues>& onSimulation)
{
    return runNullModels(NodfAnalysis{matrix, observed, nullptr}, generator, settings, onSimulation);
}

NodfNullModels runNodfNullModels(const AbundanceMatrix& abundances, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings, const SimulationDone<NodfValues>& onSimulation)
{
    return runNullModels(NodfAnalysis{abundances.presences(), observed, &abundances}, generator, settings,
                         onSimulation);
}

}  // namespace bravolin
