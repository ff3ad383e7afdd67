// The draws of FF, and the entries of the table that a run draws.
#include "core/null_models/model_table.h"

#include <algorithm>
#include <cstdint>

namespace bravolin {

namespace {

// The block's cells, row by row from its origin, as the chain starts from
// them.
std::vector<std::uint8_t> cellsOf(const RandomisedBlock& block, int origin)
{
    std::vector<std::uint8_t> cells;
    cells.reserve(static_cast<std::size_t>(block.rows) * static_cast<std::size_t>(block.columns));
    for (int i = origin; i < block.rows + origin; i++)
        cells.insert(cells.end(), block.cells[i] + origin, block.cells[i] + origin + block.columns);
    return cells;
}

}  // namespace

FixedFixedDraws::FixedFixedDraws(const DrawStart& start)
    : rows_(start.block.rows), columns_(start.block.columns), origin_(start.origin),
      burnIn_(start.fixedFixed.burnIn), thin_(start.fixedFixed.thin),
      chain_(cellsOf(start.block, start.origin), start.block.rows, start.block.columns, start.fixedFixed.seed,
             start.stop)
{
}

void FixedFixedDraws::draw(int simulation, CellMatrix* out, const StopRequest& stop)
{
    chain_.advance(simulation == 1 ? burnIn_ : thin_, stop);
    out->resize(rows_, columns_);
    chain_.copyTo(*out, origin_, stop);
}

std::vector<const ModelEntry*> entriesOfRun(const std::vector<ModelEntry>& table, const NullModelSettings& settings)
{
    const std::vector<NullModel> chosen = modelsOfRun(settings);
    std::vector<const ModelEntry*> entries;
    for (const ModelEntry& entry : table)
        if (std::any_of(entry.models.begin(), entry.models.end(), [&chosen](NullModel model) {
                return std::find(chosen.begin(), chosen.end(), model) != chosen.end();
            }))
            entries.push_back(&entry);
    return entries;
}

}  // namespace bravolin
