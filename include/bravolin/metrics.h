// Nestedness metrics that papers compare beside the temperature and the
// NODF: NODF in double precision, weighted NODF of abundances, NODF
// normalised for size and fill (NODFc), Brualdi and Sanderson's
// discrepancy, checkerboard units and the C-score, Patterson and Atmar's
// N0, and the spectral radius. Each is a function of one matrix, in double
// precision, with no state but what the caller passes; every function may
// run on several threads at once, on the same matrix or on others (a
// NodfMaxCache may be shared between them).
//
// Sites are rows and species columns, as everywhere in the library. "Cost"
// gives the time of one call for an r x c matrix with p presences.
#ifndef BRAVOLIN_METRICS_H
#define BRAVOLIN_METRICS_H

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "bravolin/abundance_matrix.h"
#include "bravolin/matrix.h"

namespace bravolin {

// Which values of a statistic are the more nested ones: the nestedness P
// value of a statistic is the tail of its null values on that side.
enum class MoreNested { Higher, Lower };

struct MetricStatistic {
    const char* name;  // as the result tables name it
    MoreNested moreNested;
};

// Every statistic of the metrics, in the order of this header: nodf_rows,
// nodf_columns, nodf_total, wnodf_rows, wnodf_columns, wnodf_total, nodfc,
// nodf_max_ratio (higher is more nested), discrepancy, checker_units,
// c_score, n0 (lower is more nested), spectral_radius (higher).
const std::vector<MetricStatistic>& metricStatistics();

// The statistic of that name, or nullptr for a name of none.
const MetricStatistic* findMetricStatistic(const std::string& name);

// NODF values in percent, 0 to 100, as vegan and the papers give them: the
// mean paired value of the row pairs, of the column pairs and of all pairs
// together. NaN for a side without any pair (one line, or none).
struct NodfPercentages {
    double rows = 0, columns = 0, total = 0;
};

// NODF (Almeida-Neto et al. 2008) of the matrix ordered by decreasing
// totals, in double precision; vegan::nestednodf(x, order = TRUE). In that
// order a pair of lines of different totals has the fuller line first and
// a pair of equal totals scores 0, so the value does not depend on the
// order of lines of equal totals, nor on the matrix's own order. A pair
// with an empty line scores 0.
// Cost: O(r^2 c / 64 + c^2 r / 64).
NodfPercentages nodf(const Matrix& matrix);

// Weighted NODF (Almeida-Neto and Ulrich 2011) of the abundances ordered
// by decreasing numbers of presences, ties by decreasing total abundance,
// then in the matrix's order: vegan::nestednodf(x, order = TRUE,
// weighted = TRUE, wbinary). A pair of lines of different numbers of
// presences scores the share of the poorer line's presences that are
// smaller than the richer line's abundance in the same cell (with wbinary,
// smaller or equal: a matrix of 0s and 1s then gives its NODF; without, a
// matrix of 0s and 1s gives 0); a pair of equal numbers of presences, or
// with an empty line, scores 0. Only the numbers of presences decide which
// pairs score and which line of a pair is the richer, so the order of ties
// never changes a value.
// Cost: O(r p + c p): each pair reads the poorer line's presences.
NodfPercentages wnodf(const AbundanceMatrix& matrix, bool wbinary);

// The largest NODF (total, in percent, ordered by decreasing totals) of
// any rows x columns matrix of the given number of presences with at least
// one presence in every row and every column.
struct NodfMax {
    double value = 0;
    bool exhaustive = false;  // exact, by trying every matrix; else by the heuristic below
};

// NODFmax exactly, by trying every matrix up to permutations of its rows
// and columns: the shorter side as the columns, the rows as a
// non-increasing sequence of non-empty column sets covering every column.
// Throws Error for more than kExhaustiveNodfMaxCells cells, or for a
// number of presences below the longer side or above rows x columns.
// Cost: under 20 ms for 20 cells.
constexpr int kExhaustiveNodfMaxCells = 20;
NodfMax exhaustiveNodfMax(int rows, int columns, long long presences);

// NODFmax by a deterministic heuristic, a lower bound of the exact value.
// It works with the longer side as the rows (NODF is the same transposed)
// and compares sums of pair values (NODF times the number of pairs):
//  1. Start. With p >= r + c - 1 the start is a staircase (Ferrers)
//     matrix: rows left-aligned, of non-increasing lengths. A staircase
//     scores 1 on every pair of lines of different lengths and 0 on ties,
//     so its NODF is a function of its lengths alone. The cross (first row
//     and first column full) is built, then each further presence is added
//     at the free corner of the staircase that adds the fewest ties (on
//     equal ones, the corner in the leftmost column). Then, while one
//     removes ties, the best move of one presence from a removable corner
//     (one whose row and column keep a presence) to another free corner is
//     made: every pair tried, removable corners by column from the left,
//     then free corners likewise, the first best pair kept. With
//     p < r + c - 1 no staircase covers every line: the start is
//     m = r + c - 1 - p single presences on the diagonal of the last m rows
//     and columns, each alone in its row and column, and the cross of the
//     other rows and columns.
//  2. Improvement. Sweeps over the cells in row-major order: each presence
//     met is moved to the absence of its row or its column that raises the
//     sum most, when that is by more than 1e-9 (less is rounding) and the
//     line it leaves keeps a presence. Destinations are tried along the
//     row from the left, then along the column from the top; the first of
//     equal ones is taken. Sweeps stop after one without a move, or once
//     kNodfMaxMoveBudget pair values have been evaluated in this step, so
//     that a large matrix is bounded in time.
// Equal to the exhaustive value on every size and number of presences up
// to 20 cells. Throws Error for a number of presences below the longer
// side or above rows x columns.
// Cost: step 1 O(p min(r, c) + k min(r, c)^2) for k corner moves, step 2
// O(r^2 + c^2) to start and at most kNodfMaxMoveBudget pair values: 0.15 s
// at 100 x 100, 1.3 s at 500 x 500 (fill 0.3, one core).
constexpr long long kNodfMaxMoveBudget = 400000000;
NodfMax heuristicNodfMax(int rows, int columns, long long presences);

// The exhaustive value up to kExhaustiveNodfMaxCells cells, the heuristic
// one above.
NodfMax nodfMax(int rows, int columns, long long presences);

// NODFmax values by (rows, columns, presences), worked out once each: the
// null matrices of a run mostly share their size and presences. One cache
// may serve several threads at once; a value asked for by several threads
// together is worked out once, the others waiting for it.
class NodfMaxCache {
public:
    NodfMax get(int rows, int columns, long long presences);

private:
    struct Entry {
        std::once_flag computed;
        NodfMax value;
    };
    std::mutex mutex_;
    std::map<std::tuple<int, int, long long>, std::shared_ptr<Entry>> entries_;
};

// NODFc (Song, Rohr and Saavedra 2017): NODF / NODFmax divided by
// C log(S), C the fill, presences / (rows x columns), and S the geometric
// mean of rows and columns, sqrt(rows x columns), natural logarithm. The
// matrix is measured without its empty rows and columns; rows, columns,
// fill and presences are those measured.
//
// NaN: NODF is NaN without any pair of lines (a matrix of one row and one
// column, or none), and so then are NODFmax and both ratios; with a NODFmax
// of 0 (every arrangement of these presences scores 0, as one row, one
// column, or one presence in every row and column does) NODF / NODFmax and
// NODFc are NaN: nestedness cannot be told from chance there. log(S) is 0
// only for one cell, where NODF is already NaN.
struct NodfcResult {
    double nodfc = 0;
    double nodfMaxRatio = 0;  // NODF / NODFmax, 0 to 1
    double nodf = 0;          // total, in percent, ordered by decreasing totals
    double nodfMax = 0;       // in percent
    bool exhaustive = false;  // NODFmax exact, or from the heuristic
    int rows = 0, columns = 0;
    long long presences = 0;
    double fill = 0;
};

// Cost: that of nodf(), and of NODFmax once per (rows, columns, presences)
// of the cache.
NodfcResult nodfc(const Matrix& matrix, NodfMaxCache& cache);

// Brualdi and Sanderson's discrepancy: with columns ordered by decreasing
// totals, the presences of each row that lie beyond its first t columns, t
// its total, summed over the rows (the presences to move to make every row
// a left-aligned run). Columns of equal totals are ordered to make it
// least, exactly: a column's cost depends only on its position within its
// tie group, so each group is an assignment problem, solved by the
// Hungarian method. At most vegan::nesteddisc's value, which orders ties
// by a bounded search, and equal to it where that search finds the best.
// Cost: O(r c) and O(g^3) for each group of g tied columns.
double discrepancy(const Matrix& matrix);

// Checkerboard units (Stone and Roberts 1990): the 2 x 2 submatrices with
// presences on one diagonal and absences on the other, that is the sum over
// pairs of columns of (a - s)(b - s), a and b their totals and s the rows
// they share; the C-score is their mean over the pairs of columns (species),
// NaN for fewer than two columns. vegan::nestedchecker.
// Cost: O(c^2 r / 64).
struct CheckerResult {
    double units = 0;
    double cScore = 0;
};
CheckerResult checker(const Matrix& matrix);

// Patterson and Atmar's N0: for each column (species), its absences from
// the rows (sites) of more presences than the poorest row where it is
// present, summed over the columns. vegan::nestedn0.
// Cost: O(r c).
double n0(const Matrix& matrix);

// The spectral radius of the bipartite network of the matrix: the largest
// eigenvalue of its adjacency matrix [0 B; B^T 0], which is the largest
// singular value of B. Power iteration on B^T B from the vector of ones,
// normalised at each step (the adjacency's eigenvalues come in pairs +-s,
// on which its own power iteration would oscillate), until the Rayleigh
// quotient changes by less than 1e-12 of its value, or kSpectralIterationCap
// iterations. 0 for a matrix without presences.
// Cost: O(p) per iteration; the iterations grow as the ratio of the two
// largest singular values nears 1.
constexpr int kSpectralIterationCap = 100000;
struct SpectralResult {
    double radius = 0;
    int iterations = 0;
    bool capReached = false;  // stopped by kSpectralIterationCap before converging
};
SpectralResult spectralRadius(const Matrix& matrix);

}  // namespace bravolin

#endif
