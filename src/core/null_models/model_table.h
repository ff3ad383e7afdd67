// The table of null models: for every entry, the models it draws and how
// its draws start. An entry draws one model, or several that share their
// draws (the classic four interleave theirs from the run's generator, so
// they are one entry). A run starts the entries of its models, in the
// table's order, once, and each started entry draws its matrices of every
// simulation, in simulation order, on the calling thread.
//
// A new model is a ModelDraws (its state: a plan, a chain, a generator of
// its own) and one line in modelTable.
#ifndef BRAVOLIN_CORE_NULL_MODELS_MODEL_TABLE_H
#define BRAVOLIN_CORE_NULL_MODELS_MODEL_TABLE_H

#include <memory>
#include <vector>

#include "bravolin/generator.h"
#include "bravolin/null_models.h"
#include "core/cell_matrix.h"
#include "core/null_models/classic_draws.h"
#include "core/null_models/fixed_fixed.h"
#include "core/stop_request.h"

namespace bravolin {

// The block an analysis randomises: rows x columns cells from its rules'
// origin.
struct RandomisedBlock {
    CellMatrix cells;
    int rows = 0, columns = 0;
};

// What the draws of a run start from.
struct DrawStart {
    const RandomisedBlock& block;
    int origin;                       // of the block and of every matrix drawn
    Generator& generator;             // the run's classic generator
    const FixedFixedRun& fixedFixed;  // the FF chain's plan
    const StopRequest& stop;          // for the start's long steps
};

// The draws of one entry of the table during a run.
class ModelDraws {
public:
    virtual ~ModelDraws() = default;
    // Draws simulation `simulation`'s (from 1) matrices, one per model of
    // the entry in its order, into out, each sized to the block; gives up
    // (SimulationAbandoned) once stop is requested.
    virtual void draw(int simulation, CellMatrix* out, const StopRequest& stop) = 0;
};

struct ModelEntry {
    std::vector<NullModel> models;
    std::unique_ptr<ModelDraws> (*start)(const DrawStart& start);
};

// The classic four, on the run's generator, with the analysis's rules.
template <typename Rules>
class ClassicModelDraws : public ModelDraws {
public:
    explicit ClassicModelDraws(const DrawStart& start)
        : plan_(planClassicDraws<Rules>(start.block.cells, start.block.rows, start.block.columns, start.stop)),
          generator_(start.generator)
    {
    }

    void draw(int, CellMatrix* out, const StopRequest& stop) override
    {
        drawClassicModels<Rules>(plan_, generator_, out, stop);
    }

private:
    ClassicDrawPlan plan_;
    Generator& generator_;
};

// FF: the states of a curveball chain on a generator of its own, burnIn
// trades before the first simulation and thin between two.
class FixedFixedDraws : public ModelDraws {
public:
    explicit FixedFixedDraws(const DrawStart& start);
    void draw(int simulation, CellMatrix* out, const StopRequest& stop) override;

private:
    int rows_, columns_, origin_;
    long long burnIn_, thin_;
    CurveballChain chain_;
};

template <typename Draws>
std::unique_ptr<ModelDraws> startDraws(const DrawStart& start)
{
    return std::make_unique<Draws>(start);
}

// Every model, for an analysis whose classic draws follow Rules.
template <typename Rules>
const std::vector<ModelEntry>& modelTable()
{
    static const std::vector<ModelEntry> table = {
        {{Er, Ce, Li, Co}, startDraws<ClassicModelDraws<Rules>>},
        {{FF}, startDraws<FixedFixedDraws>},
    };
    return table;
}

// The entries of table that draw a model of a run with settings
// (modelsOfRun), in the table's order.
std::vector<const ModelEntry*> entriesOfRun(const std::vector<ModelEntry>& table, const NullModelSettings& settings);

}  // namespace bravolin

#endif
