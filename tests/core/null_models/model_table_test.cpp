// The models of a run: chosen by name, each giving the same values alone
// and in any company, every matrix drawn keeping its model's constraints in
// both analyses' layouts, and a precision that ends a run at a block's end
// with the same simulations on one and two threads.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "bravolin/error.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "core/null_models/model_table.h"
#include "core/null_models/null_model_runs.h"
#include "support/matrices.h"

using namespace bravolin;

namespace {

const std::vector<NullModel> kClassic = {Er, Ce, Li, Co};

NullModelSettings settingsOf(int simulations, int threads, std::vector<NullModel> models)
{
    NullModelSettings settings;
    settings.simulations = simulations;
    settings.threads = threads;
    settings.models = std::move(models);
    return settings;
}

// Every model, or those that draw presences (the temperature's).
std::vector<NullModel> everyModel(bool ofAbundances = true)
{
    std::vector<NullModel> models;
    for (int model = 0; model < kNullModelCount; model++)
        if (ofAbundances || !drawsAbundances(static_cast<NullModel>(model)))
            models.push_back(static_cast<NullModel>(model));
    return models;
}

// The presences of every row, then of every column, of the block drawn.
std::vector<int> totalsOf(const CellMatrix& m, int rows, int columns, int origin)
{
    std::vector<int> totals(static_cast<std::size_t>(rows + columns), 0);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            EXPECT_LE(m[r + origin][c + origin], 1);
            totals[static_cast<std::size_t>(r)] += m[r + origin][c + origin];
            totals[static_cast<std::size_t>(rows + c)] += m[r + origin][c + origin];
        }
    return totals;
}

}  // namespace

TEST(NullModelChoice, NamesMatchIgnoringCaseAliasesAndDuplicatesCollapse)
{
    const std::string known =
        "the models are Er, Ce, Li, Co, r00, r0, c0, r1, r2, quasiswap, curveball (or FF), r2dtable, abundance_shuffle";
    struct Case {
        std::vector<std::string> names;
        std::vector<NullModel> models;
        std::string error;
    };
    const Case cases[] = {
        {{"curveball", "R00", "FF", "r00", "ff", "Abundance_Shuffle", "R2DTABLE"},
         {R00, Curveball, R2dtable, AbundanceShuffle},
         ""},
        // Co, the classic letter o, and c0, the textbook zero, are two models.
        {{"co", "C0", "QuasiSwap", "r2", "r1", "R0", "li", "CE", "er"}, {Er, Ce, Li, Co, R0, C0, R1, R2, Quasiswap}, ""},
        {{"r00", "r3"}, {}, "unknown null model \"r3\"; " + known},
        {{}, {}, "no null model named; " + known},
    };
    for (const Case& c : cases) {
        const ModelChoice choice = chooseNullModels(c.names);
        EXPECT_EQ(choice.models, c.models);
        EXPECT_EQ(choice.error, c.error);
    }
    // Without models a run has the classic four; fixed-fixed adds curveball
    // once.
    NullModelSettings settings;
    EXPECT_EQ(modelsOfRun(settings), kClassic);
    settings.fixedFixed.enabled = true;
    EXPECT_EQ(modelsOfRun(settings), (std::vector<NullModel>{Er, Ce, Li, Co, Curveball}));
    settings.models = {Curveball, R0};
    EXPECT_EQ(modelsOfRun(settings), (std::vector<NullModel>{R0, Curveball}));
}

// Each model's values are those of its own stream (the classic four's of
// the classic generator, drawn together): the same alone, beside every
// other model, and on any number of threads; a run of textbook models only
// leaves the classic generator where it was.
TEST(ModelTable, EveryModelGivesTheSameValuesAloneAndInAnyCompany)
{
    const Matrix matrix = matrixOf(randomRows(14, 17, 0.35, 9));
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    Generator allT(42), allN(42);
    const TemperatureNullModels temperatures =
        runTemperatureNullModels(matrix, t, allT, settingsOf(6, 2, everyModel(false)));
    const NodfNullModels nodf = runNodfNullModels(matrix, n, allN, settingsOf(6, 3, everyModel()));
    ASSERT_EQ(temperatures.models.size(), everyModel(false).size());
    EXPECT_TRUE(temperatures.fixedFixedRun.ran && temperatures.quasiswapRun.ran);
    EXPECT_EQ(temperatures.quasiswapRun.thin, defaultQuasiswapThin(t.packedRows()));
    for (int m = 0; m < kNullModelCount; m++) {
        const auto model = static_cast<NullModel>(m);
        SCOPED_TRACE(kNullModelNames[m]);
        Generator aloneT(42), aloneN(42);
        const bool classic = m < kClassicModelCount;
        if (!drawsAbundances(model)) {
            const TemperatureNullModels oneT = runTemperatureNullModels(matrix, t, aloneT, settingsOf(6, 1, {model}));
            ASSERT_EQ(oneT.models.size(), 1u);
            EXPECT_EQ(oneT.models[0].model, model);
            EXPECT_EQ(oneT.models[0].values, modelValues(temperatures, model));
            EXPECT_EQ(aloneT.state(), classic ? allT.state() : 42u);
        } else {
            EXPECT_THROW(runTemperatureNullModels(matrix, t, aloneT, settingsOf(6, 1, {model})), Error);
        }
        const NodfNullModels oneN = runNodfNullModels(matrix, n, aloneN, settingsOf(6, 1, {model}));
        EXPECT_EQ(modelValues(oneN, model, NodfPart::Total), modelValues(nodf, model, NodfPart::Total));
        EXPECT_EQ(modelValues(oneN, model, NodfPart::Rows), modelValues(nodf, model, NodfPart::Rows));
        EXPECT_EQ(aloneN.state(), classic ? allN.state() : 42u);
        const std::vector<float> values = modelValues(nodf, model, NodfPart::Total);
        EXPECT_GT(std::set<float>(values.begin(), values.end()).size(), 1u);
    }
}

template <typename Rules>
void expectEveryDrawKeepsItsConstraints()
{
    constexpr int o = Rules::kOrigin;
    const Rows rows = randomRows(9, 11, 0.4, 5);
    RandomisedBlock block{cellMatrixOf(rows, o), 9, 11};
    const Matrix cells = blockMatrix(block, o);
    ASSERT_EQ(rowsOf(cells), rows);
    const std::vector<int> observed = totalsOf(block.cells, 9, 11, o);
    Generator generator(3);
    const std::vector<NullModel> run = everyModel();
    const FixedFixedRun chain{true, 20, 5};
    const QuasiswapRun quasiswap{true, 9};
    const StopRequest stop;
    const DrawStart start{block, cells, o, generator, 3, run, chain, quasiswap, stop};
    // What each model keeps: the fill, the row totals, the column totals.
    struct Kept {
        NullModel model;
        bool fill, rows, columns;
    };
    const Kept kept[] = {{R00, true, false, false},      {R0, true, true, false},      {C0, true, false, true},
                         {R1, true, true, false},        {R2, true, true, false},      {Quasiswap, true, true, true},
                         {Curveball, true, true, true}};
    int presences = 0;
    for (int r = 0; r < 9; r++)
        presences += observed[static_cast<std::size_t>(r)];
    for (const RunEntry& entry : entriesOfRun(modelTable<Rules>(), run)) {
        // The models of abundances have their own test, of their tables.
        if (entry.models[0] < R00 || drawsAbundances(entry.models[0]))
            continue;
        const Kept& k = kept[entry.models[0] - R00];
        SCOPED_TRACE(kNullModelNames[k.model]);
        std::unique_ptr<ModelDraws> draws = entry.entry->start(start);
        std::set<Rows> drawn;
        for (int simulation = 1; simulation <= 4; simulation++) {
            CellMatrix out;
            draws->draw(simulation, &out, nullptr, stop);
            const std::vector<int> totals = totalsOf(out, 9, 11, o);
            int total = 0;
            for (int r = 0; r < 9; r++)
                total += totals[static_cast<std::size_t>(r)];
            EXPECT_EQ(total, presences);
            for (int line = 0; line < 20; line++)
                if (line < 9 ? k.rows : k.columns)
                    EXPECT_EQ(totals[static_cast<std::size_t>(line)], observed[static_cast<std::size_t>(line)]);
            drawn.insert(matrixRows(out, 9, 11, o));
        }
        EXPECT_EQ(drawn.size(), 4u);
    }
}

TEST(ModelTable, EveryDrawKeepsItsModelsConstraintsFromEitherOrigin)
{
    expectEveryDrawKeepsItsConstraints<TemperatureDrawRules>();
    expectEveryDrawKeepsItsConstraints<NodfDrawRules>();
}

// The run ends at the first block end where every nestedness P value's
// error is at most the precision, and not before: the same simulations, the
// same values and the same generator state after it on one and two
// threads. A precision out of reach runs the most simulations.
TEST(ModelTable, APrecisionEndsTheRunAtTheFirstBlockEndThatReachesIt)
{
    const Matrix matrix = matrixOf(randomRows(12, 15, 0.4, 21));
    const NodfResult n = analyseNodf(matrix, true);
    std::vector<float> onOneThread;
    std::uint32_t stateOnOneThread = 0;
    for (int threads : {1, 2}) {
        NullModelSettings settings = settingsOf(5000, threads, {Er, R00, Curveball});
        settings.precision = 0.015;
        Generator generator(8);
        const NodfNullModels null = runNodfNullModels(matrix, n, generator, settings);
        const int completed = null.run.completed;
        EXPECT_TRUE(null.run.precise && !null.run.stopped);
        EXPECT_EQ(completed % kPrecisionBlock, 0);
        EXPECT_LT(completed, 5000);
        EXPECT_GT(completed, kPrecisionBlock);
        double atEnd = 0, blockBefore = 0;
        for (const auto& model : null.models)
            for (NodfPart part : {NodfPart::Rows, NodfPart::Columns, NodfPart::Total}) {
                std::vector<float> values = modelValues(null, model.model, part);
                const float observed =
                    part == NodfPart::Rows ? n.nodf.rows : part == NodfPart::Columns ? n.nodf.columns : n.nodf.total;
                atEnd = std::max(atEnd, nestednessPValueError(values, observed, NestedTail::Greater,
                                                              isChain(model.model), 100));
                values.resize(values.size() - kPrecisionBlock);
                blockBefore = std::max(blockBefore, nestednessPValueError(values, observed, NestedTail::Greater,
                                                                          isChain(model.model), 100));
            }
        EXPECT_LE(atEnd, settings.precision);
        EXPECT_GT(blockBefore, settings.precision);
        const std::vector<float> values = modelValues(null, Curveball, NodfPart::Total);
        if (threads == 1) {
            onOneThread = values;
            stateOnOneThread = generator.state();
        } else {
            EXPECT_EQ(values, onOneThread);
            EXPECT_EQ(generator.state(), stateOnOneThread);
        }
    }
    NullModelSettings unreachable = settingsOf(250, 2, {R0});
    unreachable.precision = 1e-6;
    Generator generator(8);
    const TemperatureNullModels t =
        runTemperatureNullModels(matrix, analyseTemperature(matrix), generator, unreachable);
    EXPECT_EQ(t.run.completed, 250);
    EXPECT_FALSE(t.run.precise || t.run.stopped);
}
