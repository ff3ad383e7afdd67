// The temperature's null models: the block they randomise, the measurement
// of their random matrices, and their run by the engine.
#include "core/null_models/temperature_null_models.h"

#include <string>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "core/null_models/null_model_engine.h"

namespace bravolin {

namespace {

// Marks the lines that order holds; throws Error for an order that cannot
// be a packing's of lines lines.
std::vector<bool> keptLines(const std::vector<int>& order, int lines, const char* what)
{
    if (order.empty())
        throw Error(std::string("the observed analysis kept no ") + what + ": give the result of analyseTemperature");
    std::vector<bool> kept(static_cast<std::size_t>(lines), false);
    for (int line : order) {
        if (line < 0 || line >= lines || kept[static_cast<std::size_t>(line)])
            throw Error(std::string("the observed analysis's ") + what + " order does not fit a matrix of " +
                        std::to_string(lines) + " " + what + "s: give the result of analyseTemperature");
        kept[static_cast<std::size_t>(line)] = true;
    }
    return kept;
}

struct TemperatureAnalysis {
    using Rules = TemperatureDrawRules;
    using Worker = TemperatureWorker;
    using Value = float;

    const Matrix& matrix;
    const TemperatureResult& observed;
    // None: the temperature's models are all binary (see
    // refuseAbundanceModels).
    const AbundanceMatrix* abundances = nullptr;

    RandomisedBlock block(const StopRequest& stop) const { return analysedBlock(matrix, observed, stop); }

    float measure(Worker& worker, NullModel /*model*/, CellMatrix& drawn, const AbundanceMatrix* /*abundances*/,
                  int rows, int columns, const StopRequest& stop) const
    {
        return measureRandomMatrix(worker, drawn, rows, columns, stop);
    }

    double pValueError(const std::vector<float>& values, bool chain) const
    {
        return nestednessPValueError(values, observed.temperature, NestedTail::Less, chain);
    }
};

// The temperature is a measure of presences: a model of abundances has
// nothing to draw for it.
void refuseAbundanceModels(const NullModelSettings& settings)
{
    for (NullModel model : modelsOfRun(settings))
        if (drawsAbundances(model))
            throw Error(std::string("the null model ") + kNullModelNames[model] +
                        " draws abundances, and the temperature is of presences: choose binary models for it");
}

}  // namespace

RandomisedBlock analysedBlock(const Matrix& matrix, const TemperatureResult& observed, const StopRequest& stop)
{
    const std::vector<bool> keptRow = keptLines(observed.rowOrder, matrix.rows(), "row");
    const std::vector<bool> keptColumn = keptLines(observed.columnOrder, matrix.columns(), "column");
    RandomisedBlock block;
    block.rows = observed.packedRows();
    block.columns = observed.packedColumns();
    block.cells.resize(block.rows, block.columns);
    int i = 0;
    for (int row = 0; row < matrix.rows(); row++) {
        stop.abandonAtLineIfRequested(row);
        if (!keptRow[static_cast<std::size_t>(row)])
            continue;
        i++;
        const std::uint8_t* cells = matrix.row(row);
        int j = 0;
        for (int column = 0; column < matrix.columns(); column++)
            if (keptColumn[static_cast<std::size_t>(column)])
                block.cells[i][++j] = cells[column];
    }
    return block;
}

float measureRandomMatrix(TemperatureWorker& worker, CellMatrix& drawn, int rows, int columns,
                          const StopRequest& stop)
{
    startMatrix(worker.packing, rows, columns);
    worker.packing.matrix.swap(drawn);
    // The drawn matrix goes back to its slot however the measurement ends.
    struct SwapBack {
        CellMatrix& a;
        CellMatrix& b;
        ~SwapBack() { a.swap(b); }
    } swapBack{worker.packing.matrix, drawn};
    packMatrix(worker.packing, stop);
    computeTemperature(worker.temperature, worker.packing, stop);
    return worker.temperature.matrixTemperature;
}

TemperatureNullModels runTemperatureNullModels(const Matrix& matrix, const TemperatureResult& observed,
                                               Generator& generator, const NullModelSettings& settings,
                                               const SimulationDone<float>& onSimulation)
{
    refuseAbundanceModels(settings);
    return runNullModels(TemperatureAnalysis{matrix, observed}, generator, settings, onSimulation);
}

}  // namespace bravolin
