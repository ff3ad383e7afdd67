// The NODF's null models: they randomise the whole matrix, rows and columns
// numbered from 0, and measure every random matrix's NODF as the observed
// one was measured (ordered or not).
#include <algorithm>
#include <vector>

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

    NodfValues measure(NodfContext& worker, CellMatrix& drawn, int rows, int columns, const StopRequest& stop) const
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

}  // namespace

NodfNullModels runNodfNullModels(const Matrix& matrix, const NodfResult& observed, Generator& generator,
                                 const NullModelSettings& settings, const SimulationDone<NodfValues>& onSimulation)
{
    return runNullModels(NodfAnalysis{matrix, observed}, generator, settings, onSimulation);
}

}  // namespace bravolin
