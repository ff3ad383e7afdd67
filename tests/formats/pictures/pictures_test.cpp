// Tests of the SVG pictures and the HTML page: each is parsed with expat, and
// the rectangles are painted back onto the matrix to check what a viewer sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/pictures/plots.h"
#include "support/svg_reading.h"

namespace {

// The histogram bars of all the panels.
long barCount(const Element& svg)
{
    const auto painted = paintedRectangles(svg);
    return std::count_if(painted.begin(), painted.end(), [](const Paint& p) { return p.fill == "#56b4e9"; });
}

// The elements of that name under every group of that class.
std::vector<const Element*> inGroups(const Element& root, const std::string& groupClass, const std::string& name)
{
    std::vector<const Element*> found;
    for (const Element* group : all(root, "g"))
        if (group->attribute("class") == groupClass)
            for (const Element* element : all(*group, name))
                found.push_back(element);
    return found;
}

std::vector<std::string> legendTexts(const Element& svg)
{
    std::vector<std::string> texts;
    for (const Element* text : inGroups(svg, "legend", "text"))
        texts.push_back(text->text);
    return texts;
}

// The rectangles drawn inside the grid: not the legend's.
std::vector<Paint> gridRectangles(const Element& svg)
{
    const Grid grid = gridOf(svg);
    std::vector<Paint> inside;
    for (const Paint& rectangle : paintedRectangles(svg))
        if (rectangle.y >= grid.top - 1e-9)
            inside.push_back(rectangle);
    return inside;
}

// The values written at the ticks of a panel's axis ("x-ticks" or
// "y-ticks").
std::vector<double> tickValues(const Element& panel, const std::string& axis)
{
    std::vector<double> values;
    for (const Element* text : inGroups(panel, axis, "text"))
        values.push_back(std::stod(text->text));
    return values;
}

// Ticks as a reader wants them: 4 to 6, at a round step (1, 2, 2.5 or 5
// times a power of ten) from a multiple of it.
void expectRoundTicks(const std::vector<double>& ticks)
{
    ASSERT_GE(ticks.size(), 4u);
    ASSERT_LE(ticks.size(), 6u);
    const double written = ticks[1] - ticks[0];
    const double power = std::pow(10.0, std::floor(std::log10(written) + 1e-9));
    double step = 0;
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0})
        if (std::fabs(written / power - mantissa) < 1e-6)
            step = mantissa * power;
    ASSERT_GT(step, 0) << "step " << written;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i] - ticks[i - 1], step, step * 1e-6);
    EXPECT_NEAR(ticks[0] / step, std::round(ticks[0] / step), 1e-6);
}

std::vector<const Element*> panelsOf(const Element& svg)
{
    std::vector<const Element*> panels;
    for (const Element* group : all(svg, "g"))
        if (group->attribute("class") == "panel")
            panels.push_back(group);
    return panels;
}

bool hasText(const Element& root, const std::string& expected)
{
    const auto texts = textsOf(root, "text");
    return std::find(texts.begin(), texts.end(), expected) != texts.end();
}

PackedMatrixPicture smallPackedMatrix()
{
    PackedMatrixPicture picture;
    picture.fileName = "a\xC3\xA7ores & <x>.txt";
    picture.rows = 4;
    picture.columns = 6;
    for (const char cell : std::string("111101" "110100" "101000" "010000"))
        picture.cells.push_back(cell == '1');
    picture.rowLabels = {"3", "1", "4", "2"};
    picture.columnLabels = {"6", "5", "4", "3", "2", "1"};
    picture.contribution.assign(24, 0);
    picture.unexpected.assign(24, 0);
    for (const auto& [index, contribution] : std::vector<std::pair<int, float>>{
             {5, 0.5f}, {14, 1.0f}, {19, 0}, {8, 2.0f}, {13, 0}}) {
        picture.unexpected[index] = 1;
        picture.contribution[index] = contribution;
    }
    picture.isocline = {{0, 0.2}, {1.5, 2.25}, {3.25, 3.5}, {6, 4}};
    picture.packedFillPercent = 62.5;
    picture.temperature = 12.3456;
    return picture;
}

OrderedMatrixPicture orderedMatrix(int rows, int columns, int firstLabel)
{
    OrderedMatrixPicture picture;
    picture.fileName = "n.txt";
    picture.rows = rows;
    picture.columns = columns;
    picture.cells.assign(static_cast<std::size_t>(rows) * columns, 1);
    for (int row = 0; row < rows; ++row)
        picture.rowLabels.push_back(std::to_string(firstLabel + row));
    for (int column = 0; column < columns; ++column)
        picture.columnLabels.push_back(std::to_string(firstLabel + column));
    return picture;
}

}  // namespace

TEST(PlotPackedMatrix, PresencesAreOneDarkRectanglePerRunCoveringExactlyThePresences)
{
    const PackedMatrixPicture picture = smallPackedMatrix();
    const Element svg = parseXml(packedMatrixSvg(picture));
    const Grid grid = gridOf(svg);
    std::vector<int> covered(picture.cells.size(), 0);
    int rectangles = 0;
    for (const Paint& rectangle : gridRectangles(svg)) {
        if (rectangle.fill == "none" || luminance(rectangle.fill) >= 80)
            continue;
        ++rectangles;
        const double left = (rectangle.x - grid.left) / grid.cell, top = (rectangle.y - grid.top) / grid.cell;
        const double right = left + rectangle.width / grid.cell, bottom = top + rectangle.height / grid.cell;
        ASSERT_NEAR(left, std::round(left), 1e-9);
        ASSERT_NEAR(right, std::round(right), 1e-9);
        ASSERT_NEAR(top, std::round(top), 1e-9);
        ASSERT_NEAR(bottom, std::round(top) + 1, 1e-9);
        for (long column = std::lround(left); column < std::lround(right); ++column)
            ++covered.at(std::lround(top) * picture.columns + column);
    }
    EXPECT_EQ(rectangles, 7);  // the runs of presences, row by row: 2, 2, 2 and 1
    for (std::size_t i = 0; i < covered.size(); ++i)
        EXPECT_EQ(covered[i], picture.cells[i]) << "cell " << i;
}

TEST(PlotPackedMatrix, EachCellShowsItsKind)
{
    const PackedMatrixPicture picture = smallPackedMatrix();
    const Element svg = parseXml(packedMatrixSvg(picture));
    const Grid grid = gridOf(svg);
    const std::vector<Paint> painted = paintedRectangles(svg);
    for (int row = 0; row < picture.rows; ++row) {
        for (int column = 0; column < picture.columns; ++column) {
            const std::size_t i = static_cast<std::size_t>(row) * picture.columns + column;
            const double x = grid.x(column + 0.5), y = grid.y(row + 0.5);
            const std::string colour = fillAt(painted, x, y);
            SCOPED_TRACE("cell " + std::to_string(i) + " " + colour);
            if (picture.cells[i])
                EXPECT_LT(luminance(colour), 80);
            else if (!picture.unexpected[i])
                EXPECT_GT(luminance(colour), 240);
            else
                EXPECT_GT(channel(colour, 0), channel(colour, 2) + 40);  // vermillion
            // An unexpected presence is framed in sky blue, not vermillion.
            const auto frame = std::find_if(painted.begin(), painted.end(), [&](const Paint& rectangle) {
                return rectangle.fill == "none" && rectangle.stroke != "#999999" && rectangle.contains(x, y);
            });
            EXPECT_EQ(frame != painted.end(), picture.cells[i] && picture.unexpected[i]);
            if (frame != painted.end()) {
                EXPECT_GT(channel(frame->stroke, 2), channel(frame->stroke, 0) + 40) << frame->stroke;
            }
        }
    }
    // The absence with the largest contribution is the strongest vermillion.
    EXPECT_LT(luminance(fillAt(painted, grid.x(2.5), grid.y(1.5))),
              luminance(fillAt(painted, grid.x(1.5), grid.y(2.5))) - 40);
}

TEST(PlotPackedMatrix, IsoclinePassesThroughItsPointsAndIsThinnedWhenLong)
{
    PackedMatrixPicture picture = smallPackedMatrix();
    const auto drawn = polylinePoints(parseXml(packedMatrixSvg(picture)));
    ASSERT_EQ(drawn.size(), picture.isocline.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_NEAR(drawn[i].first, picture.isocline[i].first, 0.006);
        EXPECT_NEAR(drawn[i].second, picture.rows - picture.isocline[i].second, 0.006);
    }

    picture.isocline.clear();
    for (int i = 0; i <= 10000; ++i)
        picture.isocline.push_back({6.0 * i / 10000, 4.0 * i / 10000});
    const auto thinned = polylinePoints(parseXml(packedMatrixSvg(picture)));
    EXPECT_LE(thinned.size(), 2001u);
    EXPECT_GE(thinned.size(), 1000u);
    EXPECT_EQ(thinned.front(), std::make_pair(0.0, 4.0));
    EXPECT_EQ(thinned.back(), std::make_pair(6.0, 0.0));
}

TEST(PlotPackedMatrix, TitleNamesFileSizeFillAndTemperature)
{
    const PackedMatrixPicture picture = smallPackedMatrix();
    const Element svg = parseXml(packedMatrixSvg(picture));
    const std::string facts = "packed 4 x 6, fill 62.50%, T = 12.35";
    EXPECT_EQ(textsOf(svg, "title"), std::vector<std::string>{picture.fileName + ": " + facts});
    const auto texts = textsOf(svg, "text");
    ASSERT_GE(texts.size(), 2u + 4 + 6);  // two title lines, the legend, then row and column numbers
    EXPECT_EQ(texts[0], picture.fileName);
    EXPECT_EQ(texts[1], facts);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 10, texts.end()),
              (std::vector<std::string>{"3", "1", "4", "2", "6", "5", "4", "3", "2", "1"}));
}

TEST(PlotOrderedMatrix, NamesAreShortenedAndCarryTheirWholeTextAsATooltip)
{
    OrderedMatrixPicture picture = orderedMatrix(2, 2, 1);
    const std::string longName = "Anolis sagrei \xC3\xA9lan vital"; // 24 characters, one of two bytes
    picture.rowLabels = {longName, "Cuba"};
    picture.columnLabels = {"7", "A & B"};
    const Element svg = parseXml(orderedMatrixSvg(picture));
    const std::vector<std::string> texts = textsOf(svg, "text");
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
              (std::vector<std::string>{"Anolis sagrei \xC3\xA9\u2026", "Cuba", "7", "A & B"}));
    // Every name, not a number, has its whole text as a title.
    const std::vector<std::string> titles = textsOf(svg, "title");
    for (const std::string& name : {longName, std::string("Cuba"), std::string("A & B")})
        EXPECT_NE(std::find(titles.begin(), titles.end(), name), titles.end()) << name;
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "7"), titles.end());
}

TEST(PlotPackedMatrix, MismatchedSizesAreRefused)
{
    PackedMatrixPicture picture = smallPackedMatrix();
    picture.unexpected.pop_back();
    EXPECT_THROW(packedMatrixSvg(picture), std::invalid_argument);
    OrderedMatrixPicture ordered = orderedMatrix(2, 3, 1);
    ordered.rowLabels.push_back("9");
    EXPECT_THROW(orderedMatrixSvg(ordered), std::invalid_argument);
}

TEST(PlotLargeMatrix, FullSizeRandomMatrixIsReducedToAFewMegabytes)
{
    PackedMatrixPicture picture;
    picture.fileName = "big.txt";
    picture.rows = picture.columns = 3000;
    std::mt19937 random(12345);
    const std::size_t cells = 3000u * 3000u;
    picture.cells.resize(cells);
    picture.unexpected.resize(cells);
    picture.contribution.resize(cells);
    for (std::size_t i = 0; i < cells; ++i) {
        picture.cells[i] = random() & 1u;
        picture.unexpected[i] = random() & 1u;
        picture.contribution[i] = picture.unexpected[i] ? static_cast<float>(random() % 100) : 0.0f;
    }
    for (int i = 0; i < 3000; ++i) {
        picture.rowLabels.push_back(std::to_string(i + 1));
        picture.columnLabels.push_back(std::to_string(i + 1));
    }
    for (int i = 0; i <= 6000; ++i)
        picture.isocline.push_back({i / 2.0, 3000 - i / 2.0});

    const std::string text = packedMatrixSvg(picture);
    EXPECT_LT(text.size(), 5u * 1000 * 1000);
    const Element svg = parseXml(text);
    EXPECT_NE(textsOf(svg, "title").at(0).find("reduced: blocks of 15 x 15 cells"), std::string::npos);
    EXPECT_LE(polylinePoints(svg).size(), 2001u);
}

TEST(PlotLargeMatrix, ReducedBlocksShowWhereThePresencesAre)
{
    // 601 x 601 is drawn in blocks of 4, the last row and column of blocks
    // one cell wide; presences fill the top-left 300 x 300 cells and the
    // last row.
    OrderedMatrixPicture picture = orderedMatrix(601, 601, 1);
    for (int row = 0; row < 601; ++row)
        for (int column = 0; column < 601; ++column)
            picture.cells[row * 601 + column] = (row < 300 && column < 300) || row == 600;
    const Element svg = parseXml(orderedMatrixSvg(picture));
    EXPECT_NE(textsOf(svg, "title").at(0).find("reduced: blocks of 4 x 4 cells"), std::string::npos);
    const Grid grid = gridOf(svg);
    const auto painted = paintedRectangles(svg);
    EXPECT_LT(luminance(fillAt(painted, grid.x(150), grid.y(150))), 80);
    EXPECT_GT(luminance(fillAt(painted, grid.x(450), grid.y(150))), 240);
    EXPECT_GT(luminance(fillAt(painted, grid.x(150), grid.y(450))), 240);
    EXPECT_GT(luminance(fillAt(painted, grid.x(450), grid.y(450))), 240);
    EXPECT_LT(luminance(fillAt(painted, grid.x(450), grid.y(600.5))), 80);
    for (const Paint& rectangle : gridRectangles(svg)) {
        EXPECT_LE(rectangle.x + rectangle.width, grid.x(601) + 1e-6);
        EXPECT_LE(rectangle.y + rectangle.height, grid.y(601) + 1e-6);
    }
    // The title lines and the legend: no numbers beside blocks.
    EXPECT_EQ(textsOf(svg, "text").size(), 2u + legendTexts(svg).size());
}

TEST(PlotOrderedMatrix, TitleSaysTheOrderAndNodfValues)
{
    OrderedMatrixPicture picture = orderedMatrix(0, 0, 1);
    picture.nodfRows = picture.nodfColumns = picture.nodfTotal = std::nan("");
    EXPECT_EQ(textsOf(parseXml(orderedMatrixSvg(picture)), "text").at(1),
              "0 x 0, file order, NODF rows nan, columns nan, total nan");

    picture = orderedMatrix(3, 201, 101);
    picture.ordered = true;
    picture.nodfRows = 12.344;
    picture.nodfColumns = 56.786;
    picture.nodfTotal = 34.5;
    const auto texts = textsOf(parseXml(orderedMatrixSvg(picture)), "text");
    EXPECT_EQ(texts.at(1), "3 x 201, ordered by totals, NODF rows 12.34, columns 56.79, total 34.50");
    // 201 columns are too many to number; the 3 rows are numbered.
    EXPECT_EQ(texts.size(), 2u + 2 + 3);  // the title lines, the legend and the row numbers
    EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
              (std::vector<std::string>{"101", "102", "103"}));
}

TEST(PlotMatrixLegend, NamesEachKindDrawnWithTheGridsOwnColours)
{
    const PackedMatrixPicture packed = smallPackedMatrix();
    const Element svg = parseXml(packedMatrixSvg(packed));
    EXPECT_EQ(legendTexts(svg),
              (std::vector<std::string>{"presence", "absence", "unexpected presence", "unexpected absence", "isocline",
                                        "(weak to strong: the cell's share of T)"}));
    // The swatches: a presence, an absence, weak and strong framed
    // presences, weak and strong unexpected absences, in the grid's colours.
    const Grid grid = gridOf(svg);
    const std::vector<Paint> painted = paintedRectangles(svg);
    std::vector<std::string> swatchFills, swatchFrames;
    for (const Paint& rectangle : painted)
        if (rectangle.y + rectangle.height <= grid.top)
            (rectangle.fill == "none" ? swatchFrames.push_back(rectangle.stroke) : swatchFills.push_back(rectangle.fill));
    const std::string presence = fillAt(painted, grid.x(0.5), grid.y(0.5));
    const std::string strongestAbsence = fillAt(painted, grid.x(2.5), grid.y(1.5));
    EXPECT_EQ(swatchFills, (std::vector<std::string>{presence, "#ffffff", presence, presence,
                                                     fillAt(painted, grid.x(1.5), grid.y(2.5)), strongestAbsence}));
    ASSERT_EQ(swatchFrames.size(), 2u);
    const auto polyline = all(svg, "polyline").at(0);
    const auto sample = inGroups(svg, "legend", "line").at(0);
    EXPECT_EQ(sample->attribute("stroke"), polyline->attribute("stroke"));
    EXPECT_FALSE(polyline->attribute("stroke-dasharray").empty());

    EXPECT_EQ(legendTexts(parseXml(orderedMatrixSvg(orderedMatrix(2, 2, 1)))),
              (std::vector<std::string>{"presence", "absence"}));
    OrderedMatrixPicture large = orderedMatrix(300, 300, 1);
    EXPECT_EQ(legendTexts(parseXml(orderedMatrixSvg(large))),
              std::vector<std::string>{"share of presences in a block"});
}

TEST(PlotNullDistribution, EveryModelHasAPanelWithItsAxesObservedLineAndStatistics)
{
    NullDistributionPicture picture;
    picture.fileName = "a.txt";
    picture.observed = 0.5;
    picture.panels = {{"Er", {1, 2, 3, std::nan("")}, -3.2149, 0.2},
                      {"Ce", {5, 5, 5}, std::nan(""), 0.25},
                      {"Li", {}, std::nan(""), std::nan("")},
                      {"Co", {2.5}, 1.5, 0.5},
                      {"FF", {40, 60, 100, 100, 70}, 0, 1}};
    const Element svg = parseXml(nullDistributionSvg(picture));
    EXPECT_EQ(textsOf(svg, "text").at(1), "null models of the temperature: observed 0.50");
    const auto panels = panelsOf(svg);
    ASSERT_EQ(panels.size(), 5u);
    const std::vector<std::vector<std::string>> expected = {
        {"Er", "n = 4, 1 nan skipped", "SES = -3.21, P = 0.2"},
        {"Ce", "n = 3", "SES = NA, P = 0.25"},
        {"Li", "n = 0", "SES = NA, P = NA", "no simulated values"},
        {"Co", "n = 1", "SES = 1.50, P = 0.5"},
        {"FF", "n = 5", "SES = 0.00, P = 1"}};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        SCOPED_TRACE(picture.panels[i].model);
        for (const std::string& text : expected[i])
            EXPECT_TRUE(hasText(*panels[i], text)) << text;
        for (const char* text : {"observed 0.50", "Temperature", "Simulations"})
            EXPECT_TRUE(hasText(*panels[i], text)) << text;
        // Each value axis covers the panel's values and the observed value.
        const std::vector<double> x = tickValues(*panels[i], "x-ticks");
        expectRoundTicks(x);
        expectRoundTicks(tickValues(*panels[i], "y-ticks"));
        EXPECT_LE(x.front(), 0.5);
        for (const double value : picture.panels[i].values)
            if (!std::isnan(value)) {
                EXPECT_LE(x.front(), value);
                EXPECT_GE(x.back(), value);
            }
    }
    EXPECT_LE(tickValues(*panels[4], "x-ticks").back(), 120);  // FF's axis is its own
    // The observed value is one vermillion line per panel.
    int observedLines = 0;
    for (const Element* line : all(svg, "line"))
        observedLines += line->attribute("stroke") == "#d55e00";
    EXPECT_EQ(observedLines, 5);
    // Freedman-Diaconis: two bins over Er's 1..3 (IQR 1), Ce's and Co's
    // single bars, and two bins over FF's 40..100 (IQR 40).
    EXPECT_EQ(barCount(svg), 2 + 1 + 1 + 2);
}

TEST(PlotNullDistribution, TicksAreRoundForAnyRange)
{
    for (const auto& [low, high] : std::vector<std::pair<double, double>>{
             {0, 1}, {0.001, 0.0013}, {12.3, 987}, {-5, 5}, {99.9, 100}, {3, 3.0000001}, {0, 7}, {1e6, 1.9e6},
             {17.17, 17.18}, {0.5, 4.5}}) {
        SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high));
        NullDistributionPicture picture;
        picture.observed = low;
        NullModelPanel panel{"Er", {}, 0, 0};
        // Counts up to 37 in the tallest bar.
        for (int i = 0; i < 100; ++i)
            panel.values.push_back(i < 37 ? high : low + (high - low) * i / 100);
        picture.panels = {panel};
        const Element svg = parseXml(nullDistributionSvg(picture));
        const auto panels = panelsOf(svg);
        ASSERT_EQ(panels.size(), 1u);
        const std::vector<double> x = tickValues(*panels[0], "x-ticks");
        expectRoundTicks(x);
        const std::vector<double> y = tickValues(*panels[0], "y-ticks");
        expectRoundTicks(y);
        if (x.size() >= 2 && y.size() >= 2) {
            // The value axis covers the values; the count axis goes from 0
            // past the tallest bar in whole steps.
            EXPECT_LE(x.front(), low + (x[1] - x[0]) * 1e-6);
            EXPECT_GE(x.back(), high - (x[1] - x[0]) * 1e-6);
            EXPECT_EQ(y.front(), 0);
            EXPECT_GE(y.back(), 37);
            EXPECT_EQ(y[1] - y[0], std::round(y[1] - y[0]));
        }
    }
}

TEST(PlotNullDistribution, EqualValuesMakeOneBarAndModeNSaysNodf)
{
    NullDistributionPicture picture;
    picture.mode = AnalysisMode::Nodf;
    picture.observed = 7;
    picture.panels = {{"Er", {7, 7, 7}, std::nan(""), 1}};
    const Element svg = parseXml(nullDistributionSvg(picture));
    EXPECT_EQ(textsOf(svg, "text").at(1), "null models of the total NODF (%): observed 7.00");
    EXPECT_TRUE(hasText(svg, "NODF (total, %)"));
    const std::vector<double> x = tickValues(*panelsOf(svg).at(0), "x-ticks");
    EXPECT_EQ(x.front(), 6.5);
    EXPECT_EQ(x.back(), 7.5);
    EXPECT_EQ(barCount(svg), 1);
}

TEST(PlotNullDistribution, BinsFollowTheDataAndNarrowBarsKeepThePalettesColour)
{
    struct Case {
        const char* what;
        std::vector<double> values;
        double observed;
        long bars;
    };
    std::vector<Case> cases = {{"Freedman-Diaconis, 500 even values: ceil(1 / (2 x 0.5 x 500^(-1/3)))", {}, 0, 8},
                               {"the most bins, 300000 even values", {}, 0, 60},
                               {"Sturges when the IQR is 0: 80 zeros and 1..20", std::vector<double>(80, 0), 0, 8},
                               {"far from the observed value: narrow bars", {}, -2000, 8}};
    for (int i = 0; i < 500; ++i) {
        cases[0].values.push_back(i / 499.0);
        cases[3].values.push_back(i / 499.0);
    }
    for (int i = 0; i < 300000; ++i)
        cases[1].values.push_back(i / 299999.0);
    for (int i = 1; i <= 20; ++i)
        cases[2].values.push_back(i);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        NullDistributionPicture picture;
        picture.observed = test.observed;
        picture.panels = {{"Er", test.values, 0, 1}};
        const Element svg = parseXml(nullDistributionSvg(picture));
        EXPECT_EQ(barCount(svg), test.bars);
        // An outline would wash out a bar narrower than 3 px; none is
        // narrower than a pixel.
        for (const Paint& bar : paintedRectangles(svg))
            if (bar.fill == "#56b4e9") {
                EXPECT_EQ(bar.stroke, bar.width < 3 ? "none" : "#ffffff") << bar.width;
                EXPECT_GE(bar.width, 1 - 1e-9);
            }
    }
}

TEST(PlotNullDistribution, PValuesAreShownAsTheResultLineShowsThem)
{
    for (const double p : {1.0 / 1000, 1.0 / 1001, 1.0 / 100001, 1.0 / 9, 0.5, 1.0, 0.0396}) {
        char line[32];
        std::snprintf(line, sizeof line, "%.3g", p);
        EXPECT_EQ(pValueText(p), line);
    }
    EXPECT_EQ(pValueText(1.0 / 1001), "0.000999");
    EXPECT_EQ(pValueText(std::nan("")), "NA");
    EXPECT_EQ(sesText(-3.215), "-3.21");
    EXPECT_EQ(sesText(std::nan("")), "NA");
    EXPECT_EQ(sesText(INFINITY), "NA");
}

TEST(PlotReportPage, SettingsThenTableOfEachMatrixWithItsValuesAndPictureLinks)
{
    ReportPage page;
    page.settings = {{"Seed", "42"}, {"Simulations", "999"}};
    page.headings = {"Temperature", "Er SES"};
    page.note = "SES & P";
    page.rows.push_back({"a b.txt", {"12.34", "-2.00"}, {"a b.txt_packed.svg", "a b.txt_null.svg"}});
    page.rows.push_back({"c.txt", {"5.00"}, {}});
    const Element html = parseXml(reportPageHtml(page));
    EXPECT_EQ(textsOf(html, "dt"), (std::vector<std::string>{"Seed", "Simulations"}));
    EXPECT_EQ(textsOf(html, "dd"), (std::vector<std::string>{"42", "999"}));
    EXPECT_EQ(textsOf(html, "th"), (std::vector<std::string>{"Matrix", "Temperature", "Er SES", "Pictures"}));
    EXPECT_EQ(textsOf(html, "td"),
              (std::vector<std::string>{"a b.txt", "12.34", "-2.00", "", "c.txt", "5.00", "", ""}));
    EXPECT_EQ(textsOf(html, "p"), std::vector<std::string>{"SES & P"});
    // The links of the table, then the pictures shown below it.
    const auto links = all(html, "a");
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0]->attribute("href"), "a%20b.txt_packed.svg");
    EXPECT_EQ(links[0]->text, "packed");
    EXPECT_EQ(links[1]->text, "null");
    const auto images = all(html, "img");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->attribute("src"), "a%20b.txt_packed.svg");
    EXPECT_EQ(images[1]->attribute("src"), "a%20b.txt_null.svg");
    EXPECT_EQ(textsOf(html, "h2"), std::vector<std::string>{"a b.txt"});
    EXPECT_TRUE(all(html, "script").empty());
}

TEST(PlotWellFormed, EveryKindParsesWhateverTheFileName)
{
    for (const std::string name : {"a&b.txt", "<x>.txt", "q\"uo'te.txt", "a\xC3\xA7ores.txt",
                                   "\xD0\xBE\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2.txt",
                                   "\xCE\xBD\xCE\xB7\xCF\x83\xCE\xAF.txt", "\xE5\xB3\xB6.txt", "\xFF\xFE.txt"}) {
        SCOPED_TRACE(name);
        PackedMatrixPicture packed = smallPackedMatrix();
        packed.fileName = name;
        OrderedMatrixPicture ordered = orderedMatrix(2, 2, 1);
        ordered.fileName = name;
        NullDistributionPicture null;
        null.fileName = name;
        null.panels = {{"Er", {1, 2}, 0, 1}};
        for (const std::string& text : {packedMatrixSvg(packed), orderedMatrixSvg(ordered), nullDistributionSvg(null)})
            EXPECT_EQ(textsOf(parseXml(text), "title").at(0).rfind(validUtf8(name) + ": ", 0), 0u);

        ReportPage page;
        page.rows.push_back({name, {}, {name + "_packed.svg"}});
        const Element html = parseXml(reportPageHtml(page));
        EXPECT_EQ(textsOf(html, "td").at(0), validUtf8(name));
        EXPECT_EQ(all(html, "a").at(0)->attribute("href"), percentEncode(name + "_packed.svg"));
    }
}
