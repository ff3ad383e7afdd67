// The table of null models: for every entry, the models it draws and how
// its draws start. An entry draws one model, or several that share their
// draws (the classic four interleave theirs from the run's generator, so
// they are one entry). A run starts the entries of its models, in the
// table's order, once, and each started entry draws the matrices of the
// run's models among its own, every simulation, in simulation order, on
// the calling thread.
//
// A new model is a ModelDraws (its state: a plan, a chain, a generator of
// its own) and one line in modelTable; an independent textbook model is
// only its draw function and its line. A model of abundances draws a table
// of abundances and, beside it, its presences for the binary measurements.
#ifndef BRAVOLIN_CORE_NULL_MODELS_MODEL_TABLE_H
#define BRAVOLIN_CORE_NULL_MODELS_MODEL_TABLE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/generator.h"
#include "bravolin/matrix.h"
#include "bravolin/null_models.h"
#include "bravolin/stream_generator.h"
#include "core/cell_matrix.h"
#include "core/null_models/abundance_shuffle.h"
#include "core/null_models/classic_draws.h"
#include "core/null_models/curveball.h"
#include "core/null_models/r2dtable.h"
#include "core/null_models/textbook_draws.h"
#include "core/stop_request.h"

namespace bravolin {

// The block an analysis randomises: rows x columns cells from its rules'
// origin.
struct RandomisedBlock {
    CellMatrix cells;
    int rows = 0, columns = 0;
};

// The block's cells as a matrix, rows and columns from 0; gives up once
// stop is requested.
Matrix blockMatrix(const RandomisedBlock& block, int origin, const StopRequest& stop = {});

// What the draws of a run start from.
struct DrawStart {
    const RandomisedBlock& block;
    const Matrix& blockCells;           // the block, from 0 (blockMatrix)
    int origin;                         // of the block and of every matrix drawn
    Generator& generator;               // the run's classic generator
    std::uint32_t fileSeed;             // its state at the run's start, which seeds the 64-bit streams
    const std::vector<NullModel>& run;  // the models of the run
    const FixedFixedRun& fixedFixed;    // the curveball chain's plan
    const QuasiswapRun& quasiswap;      // the quasiswap draws' plan
    const StopRequest& stop;            // for the start's long steps
    // The block's abundances, rows and columns from 0, for the models of
    // abundances; none: the block's 1s as counts of one.
    const AbundanceMatrix* abundances = nullptr;
};

// The draws of one entry of the table during a run.
class ModelDraws {
public:
    virtual ~ModelDraws() = default;
    // Draws simulation `simulation`'s (from 1) matrices, one per model of
    // the run among the entry's, in the entry's order, into out, each sized
    // to the block; a model of abundances draws its abundances into the
    // same place of abundances (rows and columns from 0) and their
    // presences into out. Gives up (SimulationAbandoned) once stop is
    // requested.
    virtual void draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop) = 0;
};

struct ModelEntry {
    std::vector<NullModel> models;
    std::unique_ptr<ModelDraws> (*start)(const DrawStart& start);
};

// The places in kClassicModels of the classic models of run.
std::vector<std::size_t> classicModelPlaces(const std::vector<NullModel>& run);

// The classic four, on the run's generator, with the analysis's rules: all
// four are drawn, and those of the run are handed out.
template <typename Rules>
class ClassicModelDraws : public ModelDraws {
public:
    explicit ClassicModelDraws(const DrawStart& start)
        : plan_(planClassicDraws<Rules>(start.block.cells, start.block.rows, start.block.columns, start.stop)),
          generator_(start.generator), handedOut_(classicModelPlaces(start.run))
    {
    }

    void draw(int, CellMatrix* out, AbundanceMatrix*, const StopRequest& stop) override
    {
        if (handedOut_.size() == kClassicModelCount) {
            drawClassicModels<Rules>(plan_, generator_, out, stop);
            return;
        }
        drawClassicModels<Rules>(plan_, generator_, drawn_, stop);
        for (std::size_t i = 0; i < handedOut_.size(); i++)
            out[i].swap(drawn_[handedOut_[i]]);
    }

private:
    ClassicDrawPlan plan_;
    Generator& generator_;
    std::vector<std::size_t> handedOut_;
    CellMatrix drawn_[kClassicModelCount];  // the four, when not all are handed out
};

// The margins of the block, for draws into matrices from origin.
Margins marginsOfBlock(const DrawStart& start);

template <IndependentDraw Draw, StreamModel kStream>
class IndependentModelDraws : public ModelDraws {
public:
    explicit IndependentModelDraws(const DrawStart& start)
        : margins_(marginsOfBlock(start)), generator_(modelStreamSeed(start.fileSeed, kStream))
    {
    }

    void draw(int, CellMatrix* out, AbundanceMatrix*, const StopRequest& stop) override
    {
        Draw(margins_, generator_, *out, stop);
    }

private:
    Margins margins_;
    StreamGenerator generator_;
};

// quasiswap: a reduced random table and its trades, on its own stream.
class QuasiswapDraws : public ModelDraws {
public:
    explicit QuasiswapDraws(const DrawStart& start);
    void draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop) override;

private:
    Margins margins_;
    long long thin_;
    StreamGenerator generator_;
};

// curveball: the states of a chain on its own stream, burnIn trades before
// the first simulation and thin between two.
class CurveballDraws : public ModelDraws {
public:
    explicit CurveballDraws(const DrawStart& start);
    void draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop) override;

private:
    int origin_;
    long long burnIn_, thin_;
    CurveballMatrix chain_;
    StreamGenerator generator_;
};

// r2dtable: independent tables of counts with the block's margins, on its
// own stream. Throws Error at the start for an abundance that is not a
// whole number, naming its cell, or for too many individuals.
class R2dtableDraws : public ModelDraws {
public:
    explicit R2dtableDraws(const DrawStart& start);
    void draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop) override;

private:
    int origin_;
    CountMargins margins_;
    StreamGenerator generator_;
};

// abundance_shuffle: the states of a curveball chain with each row's
// abundances shuffled onto its presences, on its own stream, trading as
// curveball does.
class AbundanceShuffleDraws : public ModelDraws {
public:
    explicit AbundanceShuffleDraws(const DrawStart& start);
    void draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop) override;

private:
    int origin_;
    long long burnIn_, thin_;
    AbundanceShuffleChain chain_;
    StreamGenerator generator_;
};

template <typename Draws>
std::unique_ptr<ModelDraws> startDraws(const DrawStart& start)
{
    return std::make_unique<Draws>(start);
}

// Every model, for an analysis whose classic draws follow Rules, in the
// order of kNullModelNames.
template <typename Rules>
const std::vector<ModelEntry>& modelTable()
{
    static const std::vector<ModelEntry> table = {
        {{Er, Ce, Li, Co}, startDraws<ClassicModelDraws<Rules>>},
        {{R00}, startDraws<IndependentModelDraws<drawR00, StreamModel::R00>>},
        {{R0}, startDraws<IndependentModelDraws<drawR0, StreamModel::R0>>},
        {{C0}, startDraws<IndependentModelDraws<drawC0, StreamModel::C0>>},
        {{R1}, startDraws<IndependentModelDraws<drawR1, StreamModel::R1>>},
        {{R2}, startDraws<IndependentModelDraws<drawR2, StreamModel::R2>>},
        {{Quasiswap}, startDraws<QuasiswapDraws>},
        {{Curveball}, startDraws<CurveballDraws>},
        {{R2dtable}, startDraws<R2dtableDraws>},
        {{AbundanceShuffle}, startDraws<AbundanceShuffleDraws>},
    };
    return table;
}

// An entry of a run: the entry, and the models of the run among its own.
struct RunEntry {
    const ModelEntry* entry;
    std::vector<NullModel> models;
};

// The entries of table that draw a model of run (modelsOfRun), in the
// table's order.
std::vector<RunEntry> entriesOfRun(const std::vector<ModelEntry>& table, const std::vector<NullModel>& run);

}  // namespace bravolin

#endif
