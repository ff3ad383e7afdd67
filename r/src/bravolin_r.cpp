// The R functions' way into BRAVOLIN's analysis library: a 0/1 matrix and
// its names come in from R, the analysis and its null models run on the
// calling thread (their workers on threads of their own), and plain vectors
// come back for the R code to shape into data frames.
//
// An interrupt of the R user (Esc, Ctrl-C) is looked for between
// simulations and packing passes, inside R_ToplevelExec so that R never
// jumps over these C++ frames; it raises the null models' stop flag, and
// once the library has returned and everything here is unwound, the
// interrupt is handed back to R.
#include <Rcpp.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bravolin/bravolin.h"

namespace {

// Watches for the R user's interrupt at most every 50 ms, so that a
// stream of short simulations does not spend its time asking.
class InterruptWatch {
public:
    // Whether the user has interrupted; once so, the stop flag stays set.
    bool check()
    {
        if (stop.load(std::memory_order_relaxed))
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastCheck_ < std::chrono::milliseconds(50))
            return false;
        lastCheck_ = now;
        if (R_ToplevelExec(checkInterrupt, nullptr) == FALSE)
            stop.store(true);
        return stop.load(std::memory_order_relaxed);
    }

    bool interrupted() const { return stop.load(std::memory_order_relaxed); }

    std::atomic<bool> stop{false};

private:
    static void checkInterrupt(void*) { R_CheckUserInterrupt(); }

    std::chrono::steady_clock::time_point lastCheck_ = std::chrono::steady_clock::now();
};

// Unwinds an analysis that the user interrupted between packing passes.
struct Interrupted {};

// The matrix from R's column-major 0/1 cells, with its names.
bravolin::Matrix makeMatrix(const Rcpp::IntegerVector& cells, int rows, int columns,
                            const Rcpp::CharacterVector& rowNames, const Rcpp::CharacterVector& columnNames)
{
    if (static_cast<long long>(cells.size()) != static_cast<long long>(rows) * columns)
        Rcpp::stop("the cells do not fill a %d x %d matrix", rows, columns);
    std::vector<std::uint8_t> rowMajor(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int j = 0; j < columns; j++)
        for (int i = 0; i < rows; i++)
            rowMajor[static_cast<std::size_t>(i) * columns + j] =
                cells[static_cast<R_xlen_t>(j) * rows + i] != 0 ? 1 : 0;
    bravolin::Matrix matrix(rows, columns, std::move(rowMajor));
    matrix.setRowNames(Rcpp::as<std::vector<std::string>>(rowNames));
    matrix.setColumnNames(Rcpp::as<std::vector<std::string>>(columnNames));
    return matrix;
}

bravolin::NullModelSettings makeSettings(int simulations, int threads, bool fixedFixed, double burnIn, double thin,
                                         InterruptWatch& watch)
{
    bravolin::NullModelSettings settings;
    settings.simulations = simulations;
    settings.threads = threads > 0 ? threads : bravolin::defaultThreads();
    settings.stop = &watch.stop;
    settings.fixedFixed.enabled = fixedFixed;
    settings.fixedFixed.burnIn = static_cast<long long>(burnIn);
    settings.fixedFixed.thin = static_cast<long long>(thin);
    return settings;
}

Rcpp::NumericVector asNumbers(const std::vector<float>& values)
{
    Rcpp::NumericVector numbers(values.size());
    for (std::size_t i = 0; i < values.size(); i++)
        numbers[i] = static_cast<double>(values[i]);
    return numbers;
}

// NODF fractions as the percentages the console program's tables hold.
Rcpp::NumericVector asPercentages(const std::vector<float>& fractions)
{
    Rcpp::NumericVector numbers(fractions.size());
    for (std::size_t i = 0; i < fractions.size(); i++)
        numbers[i] = static_cast<double>(bravolin::nodfPercent(fractions[i]));
    return numbers;
}

Rcpp::IntegerVector fromOne(const std::vector<int>& indices)
{
    Rcpp::IntegerVector numbers(indices.size());
    for (std::size_t i = 0; i < indices.size(); i++)
        numbers[i] = indices[i] + 1;
    return numbers;
}

// The statistics of every model, one row per model, as columns.
class StatisticsTable {
public:
    void add(const std::string& statistic, int model, const std::vector<float>& values, float observed,
             double scale)
    {
        const bravolin::NullStatistics s = bravolin::nullStatistics(values, observed, scale);
        statistic_.push_back(statistic);
        model_.push_back(bravolin::kNullModelNames[model]);
        n_.push_back(s.n);
        mean_.push_back(s.mean);
        sd_.push_back(s.sd);
        ses_.push_back(s.ses);
        pLess_.push_back(s.pLess);
        pGreater_.push_back(s.pGreater);
    }

    Rcpp::List columns() const
    {
        return Rcpp::List::create(Rcpp::Named("statistic") = statistic_, Rcpp::Named("model") = model_,
                                  Rcpp::Named("n") = n_, Rcpp::Named("mean") = mean_, Rcpp::Named("sd") = sd_,
                                  Rcpp::Named("ses") = ses_, Rcpp::Named("p_less") = pLess_,
                                  Rcpp::Named("p_greater") = pGreater_);
    }

private:
    std::vector<std::string> statistic_, model_;
    std::vector<int> n_;
    std::vector<double> mean_, sd_, ses_, pLess_, pGreater_;
};

Rcpp::List fixedFixedRun(const bravolin::FixedFixedRun& run)
{
    return Rcpp::List::create(Rcpp::Named("burn_in") = static_cast<double>(run.burnIn),
                              Rcpp::Named("thin") = static_cast<double>(run.thin),
                              Rcpp::Named("seed") = static_cast<double>(run.seed));
}

int modelCount(bool fixedFixed)
{
    return fixedFixed ? bravolin::kAllNullModels : bravolin::kNullModels;
}

}  // namespace

// The temperature of a matrix and, with simulations, its null models.
// [[Rcpp::export(.temperature)]]
Rcpp::List temperature(Rcpp::IntegerVector cells, int rows, int columns, Rcpp::CharacterVector rowNames,
                       Rcpp::CharacterVector columnNames, int simulations, double seed, int threads,
                       bool fixedFixed, double burnIn, double thin)
{
    const bravolin::Matrix matrix = makeMatrix(cells, rows, columns, rowNames, columnNames);
    InterruptWatch watch;
    bravolin::TemperatureOptions options;
    options.onPackingPass = [&watch] {
        if (watch.check())
            throw Interrupted{};
    };
    bravolin::TemperatureResult t;
    try {
        t = bravolin::analyseTemperature(matrix, options);
    } catch (const Interrupted&) {
        throw Rcpp::internal::InterruptedException();
    }

    std::vector<double> isoclineX, isoclineY;
    for (const bravolin::IsoclinePoint& point : t.isocline) {
        isoclineX.push_back(point.x);
        isoclineY.push_back(point.y);
    }
    std::vector<int> unexpectedRow, unexpectedColumn;
    std::vector<bool> unexpectedPresence;
    std::vector<double> contribution;
    for (const bravolin::UnexpectedCell& cell : t.unexpected) {
        unexpectedRow.push_back(cell.row + 1);
        unexpectedColumn.push_back(cell.column + 1);
        unexpectedPresence.push_back(cell.presence);
        contribution.push_back(static_cast<double>(cell.contribution));
    }
    Rcpp::List result = Rcpp::List::create(
        Rcpp::Named("temperature") = static_cast<double>(t.temperature),
        Rcpp::Named("fill") = static_cast<double>(t.fill),
        Rcpp::Named("packed_fill") = static_cast<double>(t.packedFill),
        Rcpp::Named("row_order") = fromOne(t.rowOrder), Rcpp::Named("column_order") = fromOne(t.columnOrder),
        Rcpp::Named("row_temperature") = asNumbers(t.rowTemperature),
        Rcpp::Named("column_temperature") = asNumbers(t.columnTemperature),
        Rcpp::Named("isocline_x") = isoclineX, Rcpp::Named("isocline_y") = isoclineY,
        Rcpp::Named("unexpected_row") = unexpectedRow, Rcpp::Named("unexpected_column") = unexpectedColumn,
        Rcpp::Named("unexpected_presence") = unexpectedPresence,
        Rcpp::Named("unexpected_contribution") = contribution);
    if (simulations == 0)
        return result;

    bravolin::Generator generator(static_cast<std::uint32_t>(seed));
    const bravolin::NullModelSettings settings = makeSettings(simulations, threads, fixedFixed, burnIn, thin, watch);
    const bravolin::TemperatureNullModels null = bravolin::runTemperatureNullModels(
        matrix, t, generator, settings,
        [&watch](int, const std::array<float, bravolin::kNullModels>&) { watch.check(); });
    if (watch.interrupted())
        throw Rcpp::internal::InterruptedException();

    Rcpp::List values;
    StatisticsTable statistics;
    for (int model = 0; model < modelCount(fixedFixed); model++) {
        const std::vector<float> simulated = bravolin::modelValues(null, static_cast<bravolin::NullModel>(model));
        values.push_back(asNumbers(simulated));
        statistics.add("temperature", model, simulated, t.temperature, 1);
    }
    result.push_back(values, "null");
    result.push_back(statistics.columns(), "statistics");
    if (fixedFixed)
        result.push_back(fixedFixedRun(null.fixedFixedRun), "fixed_fixed");
    return result;
}

// The NODF of a matrix and, with simulations, its null models; values in
// percent, pair values as the library gives them.
// [[Rcpp::export(.nodf)]]
Rcpp::List nodf(Rcpp::IntegerVector cells, int rows, int columns, Rcpp::CharacterVector rowNames,
                Rcpp::CharacterVector columnNames, bool order, int simulations, double seed, int threads,
                bool fixedFixed, double burnIn, double thin)
{
    const bravolin::Matrix matrix = makeMatrix(cells, rows, columns, rowNames, columnNames);
    const bravolin::NodfResult n = bravolin::analyseNodf(matrix, order);
    Rcpp::List result = Rcpp::List::create(
        Rcpp::Named("nodf") = Rcpp::NumericVector::create(
                                     Rcpp::Named("rows") = static_cast<double>(bravolin::nodfPercent(n.nodf.rows)),
                                     Rcpp::Named("columns") = static_cast<double>(bravolin::nodfPercent(n.nodf.columns)),
                                     Rcpp::Named("total") = static_cast<double>(bravolin::nodfPercent(n.nodf.total))),
        Rcpp::Named("fill") = static_cast<double>(n.fill),
        Rcpp::Named("row_order") = fromOne(n.rowOrder), Rcpp::Named("column_order") = fromOne(n.columnOrder),
        Rcpp::Named("row_pairs") = asNumbers(n.rowPairs), Rcpp::Named("column_pairs") = asNumbers(n.columnPairs));
    if (simulations == 0)
        return result;

    InterruptWatch watch;
    bravolin::Generator generator(static_cast<std::uint32_t>(seed));
    const bravolin::NullModelSettings settings = makeSettings(simulations, threads, fixedFixed, burnIn, thin, watch);
    const bravolin::NodfNullModels null = bravolin::runNodfNullModels(
        matrix, n, generator, settings,
        [&watch](int, const std::array<bravolin::NodfValues, bravolin::kNullModels>&) { watch.check(); });
    if (watch.interrupted())
        throw Rcpp::internal::InterruptedException();

    const bravolin::NodfPart parts[] = {bravolin::NodfPart::Rows, bravolin::NodfPart::Columns,
                                        bravolin::NodfPart::Total};
    const char* partNames[] = {"rows", "columns", "total"};
    const float observed[] = {n.nodf.rows, n.nodf.columns, n.nodf.total};
    Rcpp::List values;
    StatisticsTable statistics;
    for (int part = 0; part < 3; part++) {
        Rcpp::List models;
        for (int model = 0; model < modelCount(fixedFixed); model++) {
            const std::vector<float> simulated =
                bravolin::modelValues(null, static_cast<bravolin::NullModel>(model), parts[part]);
            models.push_back(asPercentages(simulated));
            statistics.add(partNames[part], model, simulated, observed[part], 100);
        }
        values.push_back(models, partNames[part]);
    }
    result.push_back(values, "null");
    result.push_back(statistics.columns(), "statistics");
    if (fixedFixed)
        result.push_back(fixedFixedRun(null.fixedFixedRun), "fixed_fixed");
    return result;
}
