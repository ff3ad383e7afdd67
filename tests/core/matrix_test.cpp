// The errors the library reports for what it cannot hold or measure: each
// message names the offending value, and a failed change changes nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bravolin/bravolin.h"

using namespace bravolin;
using Names = std::vector<std::string>;

namespace {

// The message of the Error that action throws.
template <typename Action>
std::string errorOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

bool mentions(const std::string& message, const std::string& word)
{
    return message.find(word) != std::string::npos;
}

}  // namespace

TEST(ApiMatrix, ErrorsSayWhatIsWrongAndChangeNothing)
{
    EXPECT_TRUE(mentions(errorOf([] { Matrix(3001, 2); }), "3001"));
    EXPECT_TRUE(mentions(errorOf([] { Matrix(2, 3001); }), "3001"));
    EXPECT_TRUE(mentions(errorOf([] { Matrix(1, 3001, std::vector<std::uint8_t>(3001)); }), "3001"));
    EXPECT_EQ(errorOf([] { Matrix(kMaxMatrixSide, kMaxMatrixSide); }), "(no error)");
    EXPECT_NE(errorOf([] { Matrix(-1, 2); }), "(no error)");
    EXPECT_TRUE(mentions(errorOf([] { Matrix(2, 2, {1, 0, 7, 1}); }), "7"));
    EXPECT_TRUE(mentions(errorOf([] { Matrix(2, 2, {1, 0, 1}); }), "3"));  // three cells of four

    Matrix matrix(2, 3);
    matrix.setRowNames({"north", "south"});
    EXPECT_TRUE(mentions(errorOf([&] { matrix.set(1, 2, 5); }), "5"));
    EXPECT_NE(errorOf([&] { matrix.set(2, 0, 1); }), "(no error)");
    EXPECT_EQ(matrix.presences(), 0);
    const std::string names = errorOf([&] { matrix.setRowNames({"a", "b", "c", "d"}); });
    EXPECT_TRUE(mentions(names, "4") && mentions(names, "2")) << names;
    EXPECT_NE(errorOf([&] { matrix.setColumnNames({"x"}); }), "(no error)");
    EXPECT_EQ(matrix.rowNames(), (Names{"north", "south"}));
    EXPECT_TRUE(mentions(errorOf([&] { matrix.reordered({0, 2}, {0}); }), "2"));
}

TEST(ApiMatrix, AnalysesRefuseWhatTheyCannotMeasure)
{
    for (const Matrix& empty : {Matrix(), Matrix(0, 4), Matrix(4, 0)})
        EXPECT_THROW(analyseTemperature(empty), Error) << empty.rows() << " x " << empty.columns();

    const Matrix matrix(2, 3, {1, 1, 0, 0, 1, 1});
    const TemperatureResult t = analyseTemperature(matrix);
    const NodfResult n = analyseNodf(matrix, true);
    Generator generator;
    for (const char* setting : {"simulation", "thread"}) {
        NullModelSettings settings;
        settings.simulations = setting[0] == 's' ? 0 : 5;
        settings.threads = setting[0] == 's' ? 1 : 0;
        EXPECT_TRUE(mentions(errorOf([&] { runTemperatureNullModels(matrix, t, generator, settings); }), setting));
        EXPECT_TRUE(mentions(errorOf([&] { runNodfNullModels(matrix, n, generator, settings); }), setting));
    }
    // The observed analysis must be of the matrix given.
    NullModelSettings one;
    one.simulations = 1;
    EXPECT_NE(errorOf([&] { runNodfNullModels(Matrix(1, 2), n, generator, one); }), "(no error)");
}

TEST(ApiMatrix, TheNullModelsRefuseAResultThatIsNotTheMatrixsAnalysis)
{
    const bravolin::Matrix matrix(14, 19);
    bravolin::Generator generator(1);
    bravolin::NullModelSettings settings;
    settings.simulations = 1;
    bravolin::TemperatureResult outside = bravolin::analyseTemperature(matrix);
    outside.rowOrder.back() = 100000;
    EXPECT_THROW(bravolin::runTemperatureNullModels(matrix, outside, generator, settings), bravolin::Error);
    bravolin::TemperatureResult empty;
    empty.rows = 14;
    empty.columns = 19;
    EXPECT_THROW(bravolin::runTemperatureNullModels(matrix, empty, generator, settings), bravolin::Error);
}
