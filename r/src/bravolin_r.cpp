// The R functions' way into BRAVOLIN's analysis library and its formats
// library: a 0/1 matrix (or abundances, for the metrics) and its names come
// in from R, the analysis and its null models run, and plain vectors come
// back for the R code to shape into data frames; a file's bytes come in and
// its matrix comes back, as the console program reads it; and the library's
// limits and version.
//
// The library runs on a thread of its own (its null models' workers on
// threads of theirs) while R's main thread, the only one that may call R,
// looks for the user's interrupt (Esc, Ctrl-C) every 10 ms, inside
// R_ToplevelExec so that R never jumps over these C++ frames. An interrupt
// raises the library's stop flag, which every long loop of the library
// checks within a millisecond of work; once the library has returned and
// its thread is joined, the interrupt is handed back to R.
#include <Rcpp.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "bravolin/bravolin.h"
#include "bravolin/nodf_metrics.h"
#include "formats/input/nodf_reader.h"
#include "formats/input/table_reader.h"
#include "formats/tables/matrix_results.h"

namespace {

void checkInterrupt(void*)
{
    R_CheckUserInterrupt();
}

// Runs work on a thread of its own, raising stop when the R user
// interrupts; returns what work returns and throws what it throws, or R's
// interrupt once work has given up. Where no thread can be started, work
// runs on this one, without looking for interrupts.
template <typename Work>
auto runWatchingInterrupts(Work work, std::atomic<bool>& stop) -> decltype(work())
{
    using Result = decltype(work());
    std::packaged_task<Result()> task(std::move(work));
    std::future<Result> done = task.get_future();
    std::thread worker;
    try {
        worker = std::thread([&task] { task(); });
    } catch (const std::system_error&) {
        task();
    }
    if (worker.joinable()) {
        while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            if (!stop.load() && R_ToplevelExec(checkInterrupt, nullptr) == FALSE)
                stop.store(true);
        worker.join();
    }
    if (stop.load())
        throw Rcpp::internal::InterruptedException();
    return done.get();
}

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

// An analysis and its null models, as the library's thread hands them back.
template <typename Observed, typename Null>
struct Analysis {
    Observed observed;
    Null null;
    std::string threadsNote;  // why fewer threads ran than were asked for
};

// The abundances from R's column-major cells (numbers that are not
// negative), with the names; their presences are the matrix the
// presence/absence metrics measure.
bravolin::AbundanceMatrix makeAbundances(const Rcpp::NumericVector& cells, int rows, int columns,
                                         const Rcpp::CharacterVector& rowNames,
                                         const Rcpp::CharacterVector& columnNames)
{
    if (static_cast<long long>(cells.size()) != static_cast<long long>(rows) * columns)
        Rcpp::stop("the cells do not fill a %d x %d matrix", rows, columns);
    std::vector<double> rowMajor(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int j = 0; j < columns; j++)
        for (int i = 0; i < rows; i++)
            rowMajor[static_cast<std::size_t>(i) * columns + j] = cells[static_cast<R_xlen_t>(j) * rows + i];
    bravolin::AbundanceMatrix abundances(rows, columns, std::move(rowMajor));
    abundances.setRowNames(Rcpp::as<std::vector<std::string>>(rowNames));
    abundances.setColumnNames(Rcpp::as<std::vector<std::string>>(columnNames));
    return abundances;
}

// The models of names, as the library chooses them; the library's error
// for an empty list or an unknown name.
std::vector<bravolin::NullModel> chosenModels(const std::vector<std::string>& names)
{
    const bravolin::ModelChoice choice = bravolin::chooseNullModels(names);
    if (!choice.error.empty())
        Rcpp::stop(choice.error);
    return choice.models;
}

// The null models an R function asks for, its arguments as the R code
// checked them: threads 0 for the default, trades -1 for the defaults,
// precision 0 for none.
struct NullRequest {
    int simulations;
    double seed;
    int threads;
    std::vector<bravolin::NullModel> models;
    double burnIn, thin, quasiswapThin;
    double precision;
};

NullRequest nullRequest(int simulations, double seed, int threads, const std::vector<std::string>& models,
                        const Rcpp::NumericVector& trades, double precision)
{
    return {simulations, seed, threads, chosenModels(models), trades[0], trades[1], trades[2], precision};
}

// The null models' settings for a rows x columns matrix: on the threads
// asked for (0: the default), as many as fit in the machine's memory, as
// the console program plans them; threadsNote says when fewer fit.
bravolin::NullModelSettings makeSettings(const NullRequest& request, int rows, int columns,
                                         const std::atomic<bool>& stop, std::string& threadsNote)
{
    const bravolin::ThreadPlan plan =
        bravolin::planThreads(request.threads, rows, columns, request.models, bravolin::memoryBudgetBytes());
    threadsNote = plan.memoryNote;
    bravolin::NullModelSettings settings;
    settings.simulations = request.simulations;
    settings.threads = plan.threads;
    settings.stop = &stop;
    settings.models = request.models;
    settings.fixedFixed.burnIn = static_cast<long long>(request.burnIn);
    settings.fixedFixed.thin = static_cast<long long>(request.thin);
    settings.quasiswapThin = static_cast<long long>(request.quasiswapThin);
    settings.precision = request.precision;
    return settings;
}

// The analysis of a matrix and, with simulations, its null models, on a
// thread that R's interrupt stops: analyse(stop) gives the observed values,
// lines(observed) the rows and columns the threads are planned for, and
// runNull(observed, generator, settings) the null models, drawn from a
// generator seeded with the request's seed.
template <typename Analyse, typename Lines, typename RunNull>
auto analyseWatchingInterrupts(const NullRequest& request, Analyse analyse, Lines lines, RunNull runNull)
{
    std::atomic<bool> stop{false};
    using Observed = decltype(analyse(stop));
    using Null = decltype(runNull(std::declval<const Observed&>(), std::declval<bravolin::Generator&>(),
                                  std::declval<const bravolin::NullModelSettings&>()));
    return runWatchingInterrupts(
        [&] {
            Analysis<Observed, Null> a;
            a.observed = analyse(stop);
            if (request.simulations == 0)
                return a;
            const std::pair<int, int> size = lines(a.observed);
            const bravolin::NullModelSettings settings =
                makeSettings(request, size.first, size.second, stop, a.threadsNote);
            bravolin::Generator generator(static_cast<std::uint32_t>(request.seed));
            a.null = runNull(a.observed, generator, settings);
            return a;
        },
        stop);
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

// The statistics of every model, one row per model, as columns named as
// the results table's.
class StatisticsTable {
public:
    void add(const std::string& statistic, bravolin::NullModel model, const std::vector<float>& values,
             float observed, bravolin::NestedTail nested, double scale)
    {
        add(statistic, model, bravolin::nullStatistics(values, observed, nested, bravolin::isChain(model), scale));
    }

    void add(const std::string& statistic, bravolin::NullModel model, const bravolin::NullStatistics& s)
    {
        statistic_.push_back(statistic);
        model_.push_back(bravolin::kNullModelNames[model]);
        n_.push_back(s.n);
        const double fields[kFields] = {s.mean,     s.sd,   s.ses,  s.pLess, s.pGreater, s.pTwoSided,
                                        s.q025,     s.q500, s.q975, s.pMcse, s.ess,      s.lag1};
        for (int f = 0; f < kFields; f++)
            fields_[f].push_back(fields[f]);
    }

    // The row of a statistic without null values: model and statistics NA.
    void addWithoutNullValues(const std::string& statistic)
    {
        statistic_.push_back(statistic);
        model_.push_back(NA_STRING);
        n_.push_back(NA_INTEGER);
        for (int f = 0; f < kFields; f++)
            fields_[f].push_back(NA_REAL);
    }

    Rcpp::List columns() const
    {
        Rcpp::List columns =
            Rcpp::List::create(Rcpp::Named("statistic") = statistic_, Rcpp::Named("model") = model_, Rcpp::Named("n") = n_);
        for (int f = 0; f < kFields; f++)
            columns.push_back(fields_[f], kFieldNames[f]);
        return columns;
    }

private:
    static constexpr int kFields = 12;
    static constexpr const char* kFieldNames[kFields] = {"mean", "sd",   "ses",  "p_less", "p_greater", "p_two_sided",
                                                         "q025", "q500", "q975", "p_mcse", "ess",       "lag1"};
    std::vector<std::string> statistic_;
    Rcpp::CharacterVector model_;
    Rcpp::IntegerVector n_;
    std::vector<double> fields_[kFields];
};

// The parts of a result that the null models give: the names of the
// models of the run, in its order, their values, their statistics, how the
// chains ran, whether a precision asked for was reached, and the note on
// the threads, if any.
template <typename Value>
void addNullModels(Rcpp::List& result, const bravolin::NullModelValues<Value>& null, const Rcpp::List& values,
                   const StatisticsTable& statistics, const std::string& threadsNote)
{
    std::vector<std::string> models;
    for (const auto& model : null.models)
        models.push_back(bravolin::kNullModelNames[model.model]);
    result.push_back(models, "models");
    result.push_back(values, "null");
    result.push_back(statistics.columns(), "statistics");
    result.push_back(null.run.precise, "precise");
    if (null.fixedFixedRun.ran)
        result.push_back(Rcpp::List::create(Rcpp::Named("burn_in") = static_cast<double>(null.fixedFixedRun.burnIn),
                                            Rcpp::Named("thin") = static_cast<double>(null.fixedFixedRun.thin)),
                         "fixed_fixed");
    if (null.quasiswapRun.ran)
        result.push_back(Rcpp::List::create(Rcpp::Named("thin") = static_cast<double>(null.quasiswapRun.thin)),
                         "quasiswap");
    if (!threadsNote.empty())
        result.push_back(threadsNote, "threads_note");
}

// What .read_matrix_file() returns: the status, which reader read the file,
// what the reader said, and the matrix read (none unless read) as its
// column-major 0/1 cells, the numbers of its cells (the abundances a table
// holds; a matrix file's 0s and 1s) and its names (the lines' numbers from
// 1 where the file gave none).
Rcpp::List fileRead(const char* status, bool plain, const bravolin::Matrix& matrix,
                    const bravolin::AbundanceMatrix* abundances, const std::vector<std::string>& messages)
{
    Rcpp::IntegerVector cells(static_cast<R_xlen_t>(matrix.rows()) * matrix.columns());
    Rcpp::NumericVector numbers(cells.size());
    for (int j = 0; j < matrix.columns(); j++)
        for (int i = 0; i < matrix.rows(); i++) {
            const R_xlen_t cell = static_cast<R_xlen_t>(j) * matrix.rows() + i;
            cells[cell] = matrix.at(i, j);
            numbers[cell] = abundances != nullptr ? abundances->at(i, j) : matrix.at(i, j);
        }
    std::vector<std::string> rowNames, columnNames;
    for (int i = 0; i < matrix.rows(); i++)
        rowNames.push_back(matrix.rowName(i));
    for (int j = 0; j < matrix.columns(); j++)
        columnNames.push_back(matrix.columnName(j));
    return Rcpp::List::create(Rcpp::Named("status") = status, Rcpp::Named("plain") = plain,
                              Rcpp::Named("messages") = messages, Rcpp::Named("cells") = cells,
                              Rcpp::Named("abundances") = numbers,
                              Rcpp::Named("rows") = matrix.rows(), Rcpp::Named("columns") = matrix.columns(),
                              Rcpp::Named("row_names") = rowNames, Rcpp::Named("column_names") = columnNames);
}

// An argument that is TRUE, FALSE or NA (none: found from the file).
std::optional<bool> given(const Rcpp::LogicalVector& choice)
{
    if (choice.size() != 1 || choice[0] == NA_LOGICAL)
        return std::nullopt;
    return choice[0] != 0;
}

}  // namespace

// The models of names, as the library names them, in the order of its
// tables; the library's error for an unknown name.
// [[Rcpp::export(.null_models)]]
std::vector<std::string> nullModels(std::vector<std::string> names)
{
    std::vector<std::string> chosen;
    for (bravolin::NullModel model : chosenModels(names))
        chosen.push_back(bravolin::kNullModelNames[model]);
    return chosen;
}

// The temperature of a matrix and, with simulations, its null models:
// models by name, trades the curveball chain's burn-in and thinning and
// the quasiswap draws' trades.
// [[Rcpp::export(.temperature)]]
Rcpp::List temperature(Rcpp::IntegerVector cells, int rows, int columns, Rcpp::CharacterVector rowNames,
                       Rcpp::CharacterVector columnNames, int simulations, double seed, int threads,
                       std::vector<std::string> models, Rcpp::NumericVector trades, double precision)
{
    const bravolin::Matrix matrix = makeMatrix(cells, rows, columns, rowNames, columnNames);
    const auto analysis = analyseWatchingInterrupts(
        nullRequest(simulations, seed, threads, models, trades, precision),
        [&](const std::atomic<bool>& stop) {
            bravolin::TemperatureOptions options;
            options.stop = &stop;
            return bravolin::analyseTemperature(matrix, options);
        },
        [](const bravolin::TemperatureResult& t) { return std::make_pair(t.packedRows(), t.packedColumns()); },
        [&](const bravolin::TemperatureResult& t, bravolin::Generator& generator,
            const bravolin::NullModelSettings& settings) {
            return bravolin::runTemperatureNullModels(matrix, t, generator, settings);
        });
    const bravolin::TemperatureResult& t = analysis.observed;

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

    const bravolin::TemperatureNullModels& null = analysis.null;
    Rcpp::List values;
    StatisticsTable statistics;
    for (const auto& model : null.models) {
        values.push_back(asNumbers(model.values));
        statistics.add("temperature", model.model, model.values, t.temperature, bravolin::NestedTail::Less, 1);
    }
    addNullModels(result, null, values, statistics, analysis.threadsNote);
    return result;
}

// The NODF of a matrix and, with simulations, its null models; values in
// percent, pair values as the library gives them.
// [[Rcpp::export(.nodf)]]
Rcpp::List nodf(Rcpp::IntegerVector cells, int rows, int columns, Rcpp::CharacterVector rowNames,
                Rcpp::CharacterVector columnNames, bool order, int simulations, double seed, int threads,
                std::vector<std::string> models, Rcpp::NumericVector trades, double precision)
{
    const bravolin::Matrix matrix = makeMatrix(cells, rows, columns, rowNames, columnNames);
    const auto analysis = analyseWatchingInterrupts(
        nullRequest(simulations, seed, threads, models, trades, precision),
        [&](const std::atomic<bool>& stop) { return bravolin::analyseNodf(matrix, order, &stop); },
        [&](const bravolin::NodfResult&) { return std::make_pair(matrix.rows(), matrix.columns()); },
        [&](const bravolin::NodfResult& n, bravolin::Generator& generator,
            const bravolin::NullModelSettings& settings) {
            return bravolin::runNodfNullModels(matrix, n, generator, settings);
        });
    const bravolin::NodfResult& n = analysis.observed;
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

    const bravolin::NodfNullModels& null = analysis.null;
    const bravolin::NodfPart parts[] = {bravolin::NodfPart::Rows, bravolin::NodfPart::Columns,
                                        bravolin::NodfPart::Total};
    const char* partNames[] = {"rows", "columns", "total"};
    const float observed[] = {n.nodf.rows, n.nodf.columns, n.nodf.total};
    Rcpp::List values;
    StatisticsTable statistics;
    for (int part = 0; part < 3; part++) {
        Rcpp::List models;
        for (const auto& model : null.models) {
            const std::vector<float> simulated = bravolin::modelValues(null, model.model, parts[part]);
            models.push_back(asPercentages(simulated));
            statistics.add(partNames[part], model.model, simulated, observed[part], bravolin::NestedTail::Greater,
                           100);
        }
        values.push_back(models, partNames[part]);
    }
    addNullModels(result, null, values, statistics, analysis.threadsNote);
    return result;
}

namespace {

// The metrics of names, as the library chooses them; the library's error
// naming the unknown ones.
bravolin::MetricSettings chosenMetrics(const std::vector<std::string>& names, bool wbinary)
{
    const bravolin::MetricChoice choice = bravolin::chooseMetrics(names);
    if (!choice.error.empty())
        Rcpp::stop(choice.error);
    return {choice.metrics, wbinary};
}

// What the observed matrix gives: its NODF and its further metrics.
struct MetricsObserved {
    bravolin::NodfResult nodf;
    bravolin::MetricValues metrics;
};

// NaN, which the tables write as NA, as R's NA.
double orNa(double value)
{
    return std::isnan(value) ? NA_REAL : value;
}

// A simulated matrix's value of statistic s of a run's table: the NODF's
// parts (0 to 2) in percent, then the metric values measured, in order.
double statisticValue(const bravolin::NodfMeasurement& measured, const std::vector<int>& metricValues,
                      std::size_t s)
{
    if (s >= 3)
        return orNa(measured.metrics.values[static_cast<std::size_t>(metricValues[s - 3])]);
    const float parts[] = {measured.nodf.rows, measured.nodf.columns, measured.nodf.total};
    return static_cast<double>(bravolin::nodfPercent(parts[s]));
}

// The results of a metrics run as the console program's tables give them:
// one statistic each for the NODF's parts and every metric value measured,
// with the statistics of every model that measures it.
MatrixResults metricsResults(const MetricsObserved& observed, const bravolin::MetricSettings& settings,
                             const bravolin::NodfMetricNullModels* null)
{
    bravolin::NodfNullModels nodfNull;
    MetricNullValues metricNull;
    if (null != nullptr) {
        nodfNull.run = null->run;
        for (const auto& model : null->models) {
            nodfNull.models.push_back({model.model, {}});
            metricNull.push_back({model.model, {}});
            for (const bravolin::NodfMeasurement& measured : model.values) {
                nodfNull.models.back().values.push_back(measured.nodf);
                metricNull.back().values.push_back(measured.metrics);
            }
        }
    }
    MatrixResults results =
        nodfResults("", observed.nodf, null != nullptr ? &nodfNull : nullptr, std::nullopt, Completeness::Complete);
    if (bravolin::measuresBeyondNodf(settings))
        addMetricResults(results, settings, observed.metrics, null != nullptr ? &metricNull : nullptr);
    return results;
}

}  // namespace

// The NODF and further metrics of a matrix of abundances (their presences
// for the presence/absence metrics) and, with simulations, the NODF's null
// models measuring them, those of abundances drawing from the abundances;
// values as the console program's tables hold them.
// [[Rcpp::export(.metrics)]]
Rcpp::List metrics(Rcpp::NumericVector cells, int rows, int columns, Rcpp::CharacterVector rowNames,
                   Rcpp::CharacterVector columnNames, bool order, std::vector<std::string> metricNames,
                   bool wbinary, int simulations, double seed, int threads, std::vector<std::string> models,
                   Rcpp::NumericVector trades, double precision)
{
    const bravolin::MetricSettings settings = chosenMetrics(metricNames, wbinary);
    const bravolin::AbundanceMatrix abundances = makeAbundances(cells, rows, columns, rowNames, columnNames);
    const bravolin::Matrix& matrix = abundances.presences();
    const NullRequest request = nullRequest(simulations, seed, threads, models, trades, precision);
    // r2dtable draws counts: an abundance that is not a whole number is an
    // error before any analysis, naming its cell.
    if (simulations > 0) {
        const std::string error = bravolin::abundanceModelsError(abundances, request.models);
        if (!error.empty())
            Rcpp::stop(error);
    }
    bravolin::NodfMaxCache cache;
    const auto analysis = analyseWatchingInterrupts(
        request,
        [&](const std::atomic<bool>& stop) {
            MetricsObserved observed;
            observed.nodf = bravolin::analyseNodf(matrix, order, &stop);
            if (bravolin::measuresBeyondNodf(settings))
                observed.metrics = bravolin::measureMetrics(matrix, &abundances, settings, cache);
            return observed;
        },
        [&](const MetricsObserved&) { return std::make_pair(matrix.rows(), matrix.columns()); },
        [&](const MetricsObserved& observed, bravolin::Generator& generator,
            const bravolin::NullModelSettings& nullSettings) {
            return bravolin::runNodfMetricNullModels(abundances, observed.nodf, settings, cache, generator,
                                                     nullSettings);
        });
    const MetricsObserved& observed = analysis.observed;
    const MatrixResults results = metricsResults(observed, settings, simulations > 0 ? &analysis.null : nullptr);

    std::vector<std::string> chosen;
    for (bravolin::Metric metric : settings.metrics)
        chosen.push_back(bravolin::kMetricNames[static_cast<int>(metric)]);
    std::vector<std::string> names, notes;
    std::vector<double> values;
    StatisticsTable statistics;
    for (const StatisticResults& statistic : results.statistics) {
        names.push_back(statistic.name);
        values.push_back(orNa(statistic.observed));
        notes.push_back(statistic.note);
        if (statistic.models.empty())
            statistics.addWithoutNullValues(statistic.name);
        for (const ModelResults& model : statistic.models)
            statistics.add(statistic.name, model.model, model.statistics);
    }
    Rcpp::List result = Rcpp::List::create(
        Rcpp::Named("metrics") = chosen, Rcpp::Named("statistic") = names, Rcpp::Named("observed") = values,
        Rcpp::Named("note") = notes,
        Rcpp::Named("fill") = static_cast<double>(observed.nodf.fill),
        Rcpp::Named("row_order") = fromOne(observed.nodf.rowOrder),
        Rcpp::Named("column_order") = fromOne(observed.nodf.columnOrder),
        Rcpp::Named("spectral_cap_reached") = observed.metrics.spectralCapReached);
    if (simulations == 0) {
        result.push_back(statistics.columns(), "statistics");
        return result;
    }

    // The null values of every statistic that some model of the run
    // measures, each a list of the models' values in simulation order.
    const bravolin::NodfMetricNullModels& null = analysis.null;
    const std::vector<int> metricValues = bravolin::measuredValues(settings);
    Rcpp::List nullValues;
    bool capReached = observed.metrics.spectralCapReached;
    for (std::size_t s = 0; s < names.size(); s++) {
        bool measured = s < 3;
        for (const auto& model : null.models)
            measured = measured || bravolin::measuredUnder(model.model, metricValues[s - 3]);
        if (!measured)
            continue;
        Rcpp::List ofModels;
        for (const auto& model : null.models) {
            Rcpp::NumericVector simulated(model.values.size());
            for (std::size_t i = 0; i < model.values.size(); i++) {
                simulated[static_cast<R_xlen_t>(i)] = statisticValue(model.values[i], metricValues, s);
                capReached = capReached || model.values[i].metrics.spectralCapReached;
            }
            ofModels.push_back(simulated);
        }
        nullValues.push_back(ofModels, names[s]);
    }
    result["spectral_cap_reached"] = capReached;
    addNullModels(result, null, nullValues, statistics, analysis.threadsNote);
    return result;
}

// The matrix of a file's bytes as the console program reads it: as a table
// (--table, in the layout given), or, for a file of plain 0s and 1s, which
// the table reader refuses, as mode N reads a matrix file. status is
// "read", "refused" (the messages say why) or "too_many_rows" (a matrix
// file of more rows than the analyses take); plain says that mode N's
// reader read it. With abundances the table's numbers are kept (a number
// beyond what a double holds is then an error).
// [[Rcpp::export(.read_matrix_file)]]
Rcpp::List readMatrixFile(Rcpp::RawVector bytes, std::string name, bool transpose, Rcpp::LogicalVector header,
                          Rcpp::LogicalVector rowNames, bool abundances)
{
    const std::string_view text(reinterpret_cast<const char*>(RAW(bytes)), static_cast<std::size_t>(bytes.size()));
    std::vector<std::string> said;
    const ReaderMessages say = [&said](const std::string& message) { said.push_back(message); };
    const TableRead table = readTableText(text, name, {given(header), given(rowNames), transpose, abundances}, say);
    if (table.outcome != TableOutcome::MatrixFile)
        return fileRead(table.outcome == TableOutcome::Read ? "read" : "refused", false, table.matrix,
                        table.abundances ? &*table.abundances : nullptr, said);
    // The table reader's advice to read the file without --table is moot.
    said.clear();
    const NodfRead plain = readNodfText(text, name, say);
    const char* status = plain.outcome == NodfReadOutcome::TooManyRows ? "too_many_rows"
                         : plain.matrix.columns() > 0                  ? "read"
                                                                       : "refused";
    return fileRead(status, true, plain.matrix, nullptr, said);
}

// The library's limits and version, which the R functions check their
// arguments against and write in their results.
// [[Rcpp::export(.library_facts)]]
Rcpp::List libraryFacts()
{
    return Rcpp::List::create(Rcpp::Named("version") = std::string(bravolin::kVersion),
                              Rcpp::Named("max_side") = bravolin::kMaxMatrixSide,
                              Rcpp::Named("most_simulations") = bravolin::kMostSimulations,
                              Rcpp::Named("most_threads") = bravolin::kMostThreads,
                              Rcpp::Named("spectral_cap") = bravolin::kSpectralIterationCap);
}
