// The independent textbook null models, as the literature and R's vegan
// (commsim) define them, each drawn into out (rows and columns from the
// margins' origin, sized to the observed matrix) from the 64-bit generator:
//   r00 keeps the number of presences, every cell equally likely;
//   r0 keeps every row's total, its presences at uniformly random distinct
//      columns; c0 the same for columns;
//   r1 and r2 keep every row's total, its presences placed by successive
//      sampling without replacement (as R's sample(prob =, replace =
//      FALSE)) with weights the columns' observed totals (r1) or their
//      squares (r2).
// Each draw is exactly its model's distribution: whole-number draws below
// a bound and integer weights only, so the same seed gives the same
// matrices on every system. Every draw gives up (SimulationAbandoned) once
// stop is requested. The functions hold no state of their own: they may
// run on several threads at once, each with its own generator and out.
#ifndef BRAVOLIN_CORE_NULL_MODELS_TEXTBOOK_DRAWS_H
#define BRAVOLIN_CORE_NULL_MODELS_TEXTBOOK_DRAWS_H

#include <vector>

#include "bravolin/matrix.h"
#include "bravolin/stream_generator.h"
#include "core/cell_matrix.h"
#include "core/stop_request.h"

namespace bravolin {

// What the draws keep of the observed matrix: its size and totals, worked
// out once for all simulations; and where they write: the rows and columns
// of out from origin (0, or the temperature's 1).
struct Margins {
    int rows = 0, columns = 0;
    long long presences = 0;
    std::vector<int> rowTotals, columnTotals;
    int origin = 0;
};
Margins marginsOf(const Matrix& observed, const StopRequest& stop = {});

// The fewer of presences and absences are marked, by Floyd's sampling of
// distinct positions (one draw each, no rejection): r00 costs
// min(presences, absences) draws and O(rows x columns) to write the
// matrix; r0 and c0 the same, line by line.
void drawR00(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop = {});
void drawR0(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop = {});
void drawC0(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop = {});

// A row's presences are drawn one after another, each column with a chance
// proportional to its weight among the columns not yet drawn: while the
// columns drawn hold less than half the weight, from an alias table of all
// columns (a column already drawn is drawn again), then from a Fenwick
// tree of the columns left. O(columns) a row to clear it, and O(1) a
// presence (fewer than ten tries; O(log columns) once the row holds nine
// tenths of the weight). A column
// that no row occupies has weight 0 and is never drawn. R's sample() stops
// with an error when a row asks for more columns than have a positive
// weight; from an observed matrix this cannot happen (a row's presences
// are in columns whose totals are at least 1), so every draw completes.
void drawR1(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop = {});
void drawR2(const Margins& margins, StreamGenerator& generator, CellMatrix& out, const StopRequest& stop = {});

// The type of every draw above.
using IndependentDraw = void (*)(const Margins&, StreamGenerator&, CellMatrix&, const StopRequest&);

}  // namespace bravolin

#endif
