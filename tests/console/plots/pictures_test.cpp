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

#include "console/plots/plots.h"
#include "support/svg_reading.h"

namespace {

// The histogram bars of all four panels.
long barCount(const Element& svg)
{
    const auto painted = paintedRectangles(svg);
    return std::count_if(painted.begin(), painted.end(), [](const Paint& p) { return p.fill == "#4a7ab5"; });
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
    for (const Paint& rectangle : paintedRectangles(svg)) {
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
                EXPECT_GT(channel(colour, 0), channel(colour, 2) + 40);  // orange
            const bool framed = std::any_of(painted.begin(), painted.end(), [&](const Paint& rectangle) {
                return rectangle.fill == "none" && rectangle.stroke != "#999999" && rectangle.contains(x, y);
            });
            EXPECT_EQ(framed, picture.cells[i] && picture.unexpected[i]);
        }
    }
    // The absence with the largest contribution is the strongest orange.
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
    ASSERT_GE(texts.size(), 2u + 4 + 6);  // two title lines, then row and column numbers
    EXPECT_EQ(texts[0], picture.fileName);
    EXPECT_EQ(texts[1], facts);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 2, texts.end()),
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
    for (const Paint& rectangle : painted) {
        EXPECT_LE(rectangle.x + rectangle.width, grid.x(601) + 1e-6);
        EXPECT_LE(rectangle.y + rectangle.height, grid.y(601) + 1e-6);
    }
    EXPECT_EQ(textsOf(svg, "text").size(), 2u);  // the title lines: no numbers beside blocks
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
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 2, texts.end()),
              (std::vector<std::string>{"101", "102", "103"}));
}

TEST(PlotNullDistribution, PanelsShowBinsCountsObservedValueAndPValues)
{
    NullDistributionPicture picture;
    picture.fileName = "a.txt";
    picture.observed = 0.5;
    picture.values[0] = {1, 2, 3, std::nan("")};
    picture.values[1] = {5, 5, 5};
    picture.values[3] = {2.5};
    picture.pEr = 0.034;
    picture.pCe = 0.1;
    const Element svg = parseXml(nullDistributionSvg(picture));
    const auto texts = textsOf(svg, "text");
    EXPECT_EQ(texts.at(1), "null models, temperature: observed 0.50 (red line), P(Er) = 0.03, P(Ce) = 0.10");
    for (const char* expected : {"Er", "Ce", "Li", "Co", "n = 4, 1 nan skipped", "n = 3", "n = 0", "n = 1",
                                 "no simulated values", "0.50", "5.00"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    // Five bins over 0.50..5.00: Er fills three, Ce and Co one each.
    EXPECT_EQ(barCount(svg), 5);
    int observedLines = 0;
    for (const Element* line : all(svg, "line"))
        observedLines += line->attribute("stroke") == "#d62728";
    EXPECT_EQ(observedLines, 4);
}

TEST(PlotNullDistribution, EqualValuesMakeOneBarAndModeNSaysNodf)
{
    NullDistributionPicture picture;
    picture.mode = 'N';
    picture.observed = 7;
    picture.values[2] = {7, 7, 7};
    const Element svg = parseXml(nullDistributionSvg(picture));
    const auto texts = textsOf(svg, "text");
    EXPECT_EQ(texts.at(1).rfind("null models, total NODF (%): observed 7.00", 0), 0u);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "6.50"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "7.50"), texts.end());
    EXPECT_EQ(barCount(svg), 1);
}

TEST(PlotReportPage, TableHoldsEachMatrixWithItsValuesAndPictureLinks)
{
    ReportPage page;
    page.headings = {"T(M)", "P(Er)"};
    page.rows.push_back({"a b.txt", {"12.34", "0.03"}, {"a b.txt_packed.svg", "a b.txt_null.svg"}});
    page.rows.push_back({"c.txt", {"5.00"}, {}});
    const Element html = parseXml(reportPageHtml(page));
    EXPECT_EQ(textsOf(html, "th"), (std::vector<std::string>{"Matrix", "T(M)", "P(Er)", "Pictures"}));
    EXPECT_EQ(textsOf(html, "td"),
              (std::vector<std::string>{"a b.txt", "12.34", "0.03", "", "c.txt", "5.00", "", ""}));
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
        for (const std::string& text : {packedMatrixSvg(packed), orderedMatrixSvg(ordered), nullDistributionSvg(null)})
            EXPECT_EQ(textsOf(parseXml(text), "title").at(0).rfind(validUtf8(name) + ": ", 0), 0u);

        ReportPage page;
        page.rows.push_back({name, {}, {name + "_packed.svg"}});
        const Element html = parseXml(reportPageHtml(page));
        EXPECT_EQ(textsOf(html, "td").at(0), validUtf8(name));
        EXPECT_EQ(all(html, "a").at(0)->attribute("href"), percentEncode(name + "_packed.svg"));
    }
}
