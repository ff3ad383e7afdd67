// The analyses through the library's public interface, on matrices built in
// memory: worked examples, names carried through packing and ordering, the
// null models' reproducibility, and two analyses running at once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bravolin/bravolin.h"
#include "support/matrices.h"

using namespace bravolin;
using Names = std::vector<std::string>;

namespace {

// NODF values as the console prints them: percentages to two decimals.
std::string printed(const NodfValues& values)
{
    std::string text;
    for (float value : {values.rows, values.columns, values.total}) {
        char number[16] = "nan";
        if (!std::isnan(value))
            std::snprintf(number, sizeof number, "%.2f", value * 100.0);
        text += (text.empty() ? "" : " ") + std::string(number);
    }
    return text;
}

NullModelSettings settingsOf(int simulations, int threads = 1)
{
    NullModelSettings settings;
    settings.simulations = simulations;
    settings.threads = threads;
    return settings;
}

// Everything a run of both null models gives, in one list to compare whole.
std::vector<double> valuesOf(const TemperatureNullModels& t, const NodfNullModels& n)
{
    std::vector<double> values{double(t.run.completed), double(n.run.completed)};
    for (const auto& model : t.models) {
        values.push_back(model.model);
        values.insert(values.end(), model.values.begin(), model.values.end());
    }
    for (const auto& model : n.models) {
        values.push_back(model.model);
        for (const NodfValues& v : model.values)
            values.insert(values.end(), {v.rows, v.columns, v.total});
    }
    return values;
}

}  // namespace

TEST(ApiNodf, WorkedAndDegenerateMatrices)
{
    const struct {
        Rows rows;
        bool order;
        const char* values;  // rows, columns, total as printed
    } cases[] = {
        {{"111", "110", "100"}, false, "100.00 100.00 100.00"},
        {{"100", "110", "111"}, false, "0.00 100.00 50.00"},
        {{"100", "110", "111"}, true, "100.00 100.00 100.00"},
        {{"110", "011"}, false, "0.00 33.33 25.00"},
        {{"110", "011"}, true, "0.00 66.67 50.00"},
        {{"1111", "1111", "1111"}, true, "0.00 0.00 0.00"},
        {{"101"}, true, "nan 0.00 0.00"},          // no pair of rows
        {{"1", "1", "0"}, false, "0.00 nan 0.00"},  // no pair of columns
        {{}, true, "nan nan nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printed(analyseNodf(matrixOf(c.rows), c.order).nodf), c.values) << c.rows.size() << " rows";

    // Entry [k * rows + i] is the share of the later row k that the earlier row i holds.
    const NodfResult nested = analyseNodf(matrixOf({"111", "110", "100"}), false);
    EXPECT_EQ(nested.rowPairs, (std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0}));
    EXPECT_EQ(nested.columnPairs, nested.rowPairs);
}

TEST(ApiTemperature, WorkedExamples)
{
    // An empty last row is trimmed, then one of the two full leading rows.
    const Matrix trimmed = matrixOf({"111", "111", "100", "000"});
    const TemperatureResult t = analyseTemperature(trimmed);
    EXPECT_EQ(t.rowOrder, (std::vector<int>{1, 2}));
    EXPECT_EQ(t.columnOrder, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(rowsOf(packedMatrix(trimmed, t)), (Rows{"111", "100"}));
    EXPECT_FLOAT_EQ(t.packedFill, 400.0f / 6);
    EXPECT_EQ(t.rowTemperature.size() + t.columnTemperature.size(), 5u);

    // Empty and full matrices shrink to one cell, of temperature 0.
    for (const Rows& rows : {Rows{"000", "000"}, Rows{"1111", "1111", "1111"}, Rows{"0"}, Rows{"1"}}) {
        const TemperatureResult one = analyseTemperature(matrixOf(rows));
        EXPECT_EQ(rowsOf(packedMatrix(matrixOf(rows), one)), (Rows{rows[0].substr(0, 1)})) << rows[0];
        EXPECT_EQ(one.packedFill, rows[0][0] == '1' ? 100.0f : 0.0f) << rows[0];
        EXPECT_EQ(one.temperature, 0.0f) << rows[0];
    }

    // A staircase is near zero.
    Rows stairs;
    for (std::size_t r = 0; r < 12; r++)
        stairs.push_back(std::string(12 - r, '1') + std::string(r, '0'));
    EXPECT_LT(analyseTemperature(matrixOf(stairs)).temperature, 1.0f);
}

TEST(ApiReordering, NamesFollowTheirLinesThroughPackingAndOrdering)
{
    Matrix islands = matrixOf({"0100", "1111", "0110", "1101"});
    islands.setRowNames({"north", "east", "south", "west"});
    islands.setColumnNames({"ant", "bee", "cat", "dog"});
    const TemperatureResult t = analyseTemperature(islands);
    EXPECT_EQ(t.rowOrder, (std::vector<int>{1, 3, 2, 0}));
    EXPECT_EQ(t.columnOrder, (std::vector<int>{1, 0, 2, 3}));
    EXPECT_FLOAT_EQ(t.fill, 62.5f);
    const Matrix packed = packedMatrix(islands, t);
    EXPECT_EQ(rowsOf(packed), (Rows{"1111", "1101", "1010", "1000"}));
    EXPECT_EQ(packed.rowNames(), (Names{"east", "west", "south", "north"}));
    EXPECT_EQ(packed.columnNames(), (Names{"bee", "ant", "cat", "dog"}));

    // Row totals 1 3 4 2 and column totals 1 2 3 4 order into a staircase.
    Matrix staircase = matrixOf({"0001", "0111", "1111", "0011"});
    staircase.setRowNames({"a", "b", "c", "d"});
    staircase.setColumnNames({"w", "x", "y", "z"});
    const NodfResult n = analyseNodf(staircase, true);
    EXPECT_EQ(n.rowOrder, (std::vector<int>{2, 1, 3, 0}));
    EXPECT_EQ(n.columnOrder, (std::vector<int>{3, 2, 1, 0}));
    const Matrix ordered = orderedMatrix(staircase, n);
    EXPECT_EQ(rowsOf(ordered), (Rows{"1111", "1110", "1100", "1000"}));
    EXPECT_EQ(ordered.rowNames(), (Names{"c", "b", "d", "a"}));
    EXPECT_EQ(ordered.columnNames(), (Names{"z", "y", "x", "w"}));
    EXPECT_EQ(orderedMatrix(staircase, analyseNodf(staircase, false)).rowNames(), staircase.rowNames());
}

TEST(ApiNullModels, WorkedExamples)
{
    // Every random matrix of one full cell is that cell, at 0, the
    // observed temperature: both tails hold it.
    const Matrix one = matrixOf({"1"});
    Generator five(5);
    const TemperatureNullModels t = runTemperatureNullModels(one, analyseTemperature(one), five, settingsOf(1));
    ASSERT_EQ(t.models.size(), 4u);
    for (int model = 0; model < 4; model++) {
        EXPECT_EQ(t.models[static_cast<std::size_t>(model)].model, kClassicModels[model]);
        EXPECT_EQ(t.models[static_cast<std::size_t>(model)].values, std::vector<float>{0});
    }
    const NullStatistics cold = nullStatistics(modelValues(t, Er), 0, NestedTail::Less, false);
    EXPECT_EQ(cold.pLess + cold.pGreater, 2.0);

    // A full matrix's random matrices are full, of total 0.
    const Matrix full(3, 3, std::vector<std::uint8_t>(9, 1));
    Generator twelve(12);
    const NodfNullModels n = runNodfNullModels(full, analyseNodf(full, true), twelve, settingsOf(1));
    ASSERT_EQ(n.run.completed, 1);
    for (const auto& model : n.models)
        EXPECT_EQ(model.values[0].total, 0.0f);
    EXPECT_TRUE(modelValues(n, Curveball, NodfPart::Total).empty());  // not asked for

    // A matrix without cells is simulated without a draw.
    Generator three(3);
    EXPECT_EQ(runNodfNullModels(Matrix(), analyseNodf(Matrix(), true), three, settingsOf(2)).run.completed, 2);
    EXPECT_EQ(three.state(), 3u);
}

TEST(ApiNullModels, SameSeedSameValuesOnOneTwoOrThreeThreads)
{
    const Matrix matrix = matrixOf(randomRows(18, 23, 0.35, 4));
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<double> onOneThread;
    for (int threads : {1, 2, 3}) {
        // The callbacks see every simulation once, in order, on this thread.
        std::vector<float> seenT;
        std::vector<float> seenN;
        // The values of the simulation just completed are in, and no later
        // one's.
        auto expectNext = [&](int simulation, int completed, std::size_t seen) {
            EXPECT_EQ(simulation, static_cast<int>(seen) + 1);
            EXPECT_EQ(completed, simulation);
            EXPECT_EQ(std::this_thread::get_id(), caller);
        };
        // Both runs draw from one generator, as a batch does.
        Generator generator(2024);
        const TemperatureNullModels tn = runTemperatureNullModels(
            matrix, t, generator, settingsOf(9, threads), [&](const TemperatureNullModels& soFar, int simulation) {
                expectNext(simulation, static_cast<int>(soFar.models[Co].values.size()), seenT.size());
                seenT.push_back(soFar.models[Co].values.back());
            });
        const std::uint32_t between = generator.state();
        const NodfNullModels nn = runNodfNullModels(
            matrix, n, generator, settingsOf(9, threads), [&](const NodfNullModels& soFar, int simulation) {
                expectNext(simulation, static_cast<int>(soFar.models[Er].values.size()), seenN.size());
                seenN.push_back(soFar.models[Er].values.back().total);
            });
        EXPECT_EQ(tn.run.threads, threads);
        // A generator seeded with the state between the runs reruns the second.
        Generator rerun(between);
        EXPECT_EQ(valuesOf({}, runNodfNullModels(matrix, n, rerun, settingsOf(9))), valuesOf({}, nn));
        EXPECT_EQ(seenT, modelValues(tn, Co));
        EXPECT_EQ(seenN, modelValues(nn, Er, NodfPart::Total));

        std::vector<double> values = valuesOf(tn, nn);
        values.push_back(generator.state());
        ASSERT_EQ(values[0], 9);
        if (threads == 1)
            onOneThread = values;
        else
            EXPECT_EQ(values, onOneThread) << threads << " threads";
    }
}

TEST(ApiNullModels, AStopFlagAlreadySetRunsNoSimulation)
{
    const std::atomic<bool> stop{true};
    // The large matrix stops while the draws are planned, the small one
    // once its threads have started: neither says a thread failed to start.
    for (const Matrix& matrix : {matrixOf(randomRows(10, 12, 0.4, 7)), matrixOf(randomRows(70, 12, 0.4, 7))}) {
        for (int threads : {1, 3}) {
            NullModelSettings settings = settingsOf(5, threads);
            settings.stop = &stop;
            Generator generator(9);
            int calls = 0;
            const TemperatureNullModels tn = runTemperatureNullModels(
                matrix, analyseTemperature(matrix), generator, settings, [&](const auto&, int) { calls++; });
            const NodfNullModels nn = runNodfNullModels(matrix, analyseNodf(matrix, false), generator, settings,
                                                        [&](const auto&, int) { calls++; });
            EXPECT_TRUE(tn.run.stopped && nn.run.stopped);
            EXPECT_EQ(tn.run.threads + nn.run.threads, 2 * threads);
            EXPECT_EQ(tn.run.completed + nn.run.completed + calls, 0);
            // The models of the run are listed, without a value.
            ASSERT_EQ(tn.models.size() + nn.models.size(), 8u);
            EXPECT_TRUE(tn.models[0].values.empty() && nn.models[3].values.empty());
            EXPECT_EQ(generator.state(), 9u);  // nothing drawn
        }
    }
}

// A stop flag set from another thread ends a curveball burn-in, or the
// trades after a quasiswap reduction, of a trillion trades (hours of work),
// and the observed analyses, which give up by throwing Stopped.
TEST(ApiNullModels, AStopFromAnotherThreadEndsABurnInOfATrillionTrades)
{
    const Matrix matrix = matrixOf(randomRows(80, 90, 0.4, 11));
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    for (int threads : {1, 2}) {
        std::atomic<bool> stop{false};
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            stop.store(true);
        });
        NullModelSettings settings = settingsOf(3, threads);
        settings.stop = &stop;
        settings.models = {threads == 1 ? Curveball : Quasiswap};
        settings.fixedFixed.burnIn = 1000000000000LL;
        settings.quasiswapThin = 1000000000000LL;
        Generator generator(4);
        const TemperatureNullModels tn = runTemperatureNullModels(matrix, t, generator, settings);
        const NodfNullModels nn = runNodfNullModels(matrix, n, generator, settings);
        stopper.join();
        EXPECT_TRUE(tn.run.stopped && nn.run.stopped);
        EXPECT_EQ(tn.run.completed + nn.run.completed, 0);

        TemperatureOptions options;
        options.stop = &stop;
        EXPECT_THROW(analyseTemperature(matrix, options), Stopped);
        EXPECT_THROW(analyseNodf(matrix, true, &stop), Stopped);
    }
}

// The threads asked for, or the default, within the memory budget: the
// rule and the note that the console program and the R package share.
TEST(ApiThreads, ThreadsAreCappedByTheMemoryTheRunsNeed)
{
    const std::vector<NullModel> classic = modelsOfRun({});
    const unsigned long long three = nullModelMemory(200, 100, 3, classic) + 3 * threadStackBytes();
    const ThreadPlan capped = planThreads(8, 200, 100, classic, three);
    EXPECT_EQ(capped.threads, 3);
    EXPECT_EQ(capped.memoryNote, "Threads: 8 asked for, but only 3 fit in memory for a 200 x 100 matrix; "
                                 "the null models run on 3.");
    // More models take more room, fewer less.
    EXPECT_EQ(planThreads(8, 200, 100, {Er, Ce, Li, Co, Curveball}, three).threads, 2);
    EXPECT_GE(planThreads(8, 200, 100, {R00}, three).threads, 3);
    EXPECT_EQ(planThreads(2, 200, 100, classic, three).memoryNote, "");
    EXPECT_EQ(planThreads(0, 200, 100, classic, 0).threads, 1);
    EXPECT_EQ(planThreads(0, 200, 100, classic, 0).memoryNote, "");  // no number asked for, nothing to explain
    EXPECT_EQ(planThreads(0, 200, 100, classic, ~0ULL).threads, defaultThreads());
}

namespace {

// Both analyses of matrix and their null models, from seed, on two threads.
std::vector<double> analyseAll(const Matrix& matrix, std::uint32_t seed)
{
    Generator generator(seed);
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    const TemperatureNullModels tn = runTemperatureNullModels(matrix, t, generator, settingsOf(20, 2));
    std::vector<double> values = valuesOf(tn, runNodfNullModels(matrix, n, generator, settingsOf(20, 2)));
    values.insert(values.end(), {t.temperature, t.isoclineParameter, n.nodf.rows, n.nodf.columns, n.nodf.total});
    for (const std::vector<int>* order : {&t.rowOrder, &t.columnOrder, &n.rowOrder, &n.columnOrder})
        values.insert(values.end(), order->begin(), order->end());
    values.push_back(generator.state());
    return values;
}

}  // namespace

TEST(ApiConcurrency, TwoAnalysesAtOnceGiveTheResultsOfEachAlone)
{
    const Matrix first = matrixOf(randomRows(40, 30, 0.3, 11)), second = matrixOf(randomRows(25, 50, 0.45, 12));
    const std::vector<double> firstAlone = analyseAll(first, 101), secondAlone = analyseAll(second, 202);
    std::vector<double> firstAtOnce, secondAtOnce;
    std::thread one([&] { firstAtOnce = analyseAll(first, 101); });
    std::thread two([&] { secondAtOnce = analyseAll(second, 202); });
    one.join();
    two.join();
    EXPECT_EQ(firstAtOnce, firstAlone);
    EXPECT_EQ(secondAtOnce, secondAlone);
}
