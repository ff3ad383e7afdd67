// The draws of the textbook models and of the models of abundances as the
// table starts them, and the entries of the table that a run draws.
#include "core/null_models/model_table.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "core/null_models/quasiswap.h"

namespace bravolin {

namespace {

bool holds(const std::vector<NullModel>& models, NullModel model)
{
    return std::find(models.begin(), models.end(), model) != models.end();
}

// use(the abundances the models of abundances draw from): the block's,
// without a copy, or its 1s as counts of one.
template <typename Use>
auto withObservedAbundances(const DrawStart& start, Use use)
{
    if (start.abundances != nullptr)
        return use(*start.abundances);
    return use(AbundanceMatrix(start.blockCells));
}

// The presences (cells above 0) of abundances into out, its rows and
// columns from origin.
void copyPresences(const AbundanceMatrix& abundances, CellMatrix& out, int origin, const StopRequest& stop)
{
    out.resize(abundances.rows(), abundances.columns());
    const Matrix& presences = abundances.presences();
    for (int r = 0; r < presences.rows(); r++) {
        stop.abandonAtLineIfRequested(r);
        std::copy(presences.row(r), presences.row(r) + presences.columns(), out[r + origin] + origin);
    }
}

// The margins of the counts of start's abundances; throws Error for those
// that are not counts, before any simulation.
CountMargins countMarginsOfStart(const DrawStart& start)
{
    return withObservedAbundances(start, [](const AbundanceMatrix& observed) {
        CountMargins margins;
        std::string error;
        if (!countMarginsOf(observed, margins, error))
            throw Error(error);
        return margins;
    });
}

}  // namespace

Matrix blockMatrix(const RandomisedBlock& block, int origin, const StopRequest& stop)
{
    std::vector<std::uint8_t> cells;
    cells.reserve(static_cast<std::size_t>(block.rows) * static_cast<std::size_t>(block.columns));
    for (int i = origin; i < block.rows + origin; i++) {
        stop.abandonAtLineIfRequested(i);
        cells.insert(cells.end(), block.cells[i] + origin, block.cells[i] + origin + block.columns);
    }
    return Matrix(block.rows, block.columns, std::move(cells));
}

std::vector<std::size_t> classicModelPlaces(const std::vector<NullModel>& run)
{
    std::vector<std::size_t> places;
    for (std::size_t place = 0; place < kClassicModelCount; place++)
        if (holds(run, kClassicModels[place]))
            places.push_back(place);
    return places;
}

Margins marginsOfBlock(const DrawStart& start)
{
    Margins margins = marginsOf(start.blockCells, start.stop);
    margins.origin = start.origin;
    return margins;
}

QuasiswapDraws::QuasiswapDraws(const DrawStart& start)
    : margins_(marginsOfBlock(start)), thin_(start.quasiswap.thin),
      generator_(modelStreamSeed(start.fileSeed, StreamModel::Quasiswap))
{
}

void QuasiswapDraws::draw(int, CellMatrix* out, AbundanceMatrix*, const StopRequest& stop)
{
    drawQuasiswap(margins_, thin_, generator_, *out, stop);
}

CurveballDraws::CurveballDraws(const DrawStart& start)
    : origin_(start.origin), burnIn_(start.fixedFixed.burnIn), thin_(start.fixedFixed.thin),
      chain_(start.blockCells, start.stop), generator_(modelStreamSeed(start.fileSeed, StreamModel::Curveball))
{
}

void CurveballDraws::draw(int simulation, CellMatrix* out, AbundanceMatrix*, const StopRequest& stop)
{
    chain_.advance(simulation == 1 ? burnIn_ : thin_, generator_, stop);
    chain_.copyTo(*out, origin_, stop);
}

R2dtableDraws::R2dtableDraws(const DrawStart& start)
    : origin_(start.origin), margins_(countMarginsOfStart(start)),
      generator_(modelStreamSeed(start.fileSeed, StreamModel::R2dtable))
{
}

void R2dtableDraws::draw(int, CellMatrix* out, AbundanceMatrix* abundances, const StopRequest& stop)
{
    drawR2dtable(margins_, generator_, *abundances, stop);
    copyPresences(*abundances, *out, origin_, stop);
}

AbundanceShuffleDraws::AbundanceShuffleDraws(const DrawStart& start)
    : origin_(start.origin), burnIn_(start.fixedFixed.burnIn), thin_(start.fixedFixed.thin),
      chain_(withObservedAbundances(
          start, [&start](const AbundanceMatrix& observed) { return AbundanceShuffleChain(observed, start.stop); })),
      generator_(modelStreamSeed(start.fileSeed, StreamModel::AbundanceShuffle))
{
}

void AbundanceShuffleDraws::draw(int simulation, CellMatrix* out, AbundanceMatrix* abundances,
                                 const StopRequest& stop)
{
    chain_.next(simulation == 1 ? burnIn_ : thin_, generator_, *abundances, stop);
    copyPresences(*abundances, *out, origin_, stop);
}

std::vector<RunEntry> entriesOfRun(const std::vector<ModelEntry>& table, const std::vector<NullModel>& run)
{
    std::vector<RunEntry> entries;
    for (const ModelEntry& entry : table) {
        RunEntry ofRun{&entry, {}};
        std::copy_if(entry.models.begin(), entry.models.end(), std::back_inserter(ofRun.models),
                     [&run](NullModel model) { return holds(run, model); });
        if (!ofRun.models.empty())
            entries.push_back(std::move(ofRun));
    }
    return entries;
}

}  // namespace bravolin
