// Pictures and the batch page: asked for by option only, named after the
// whole file name, showing what the analysis computed, and changing no
// other output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bravolin/temperature.h"
#include "console/reports/analyses.h"
#include "console/reports/picture_report.h"
#include "support/disk_session.h"
#include "support/matrices.h"
#include "support/session.h"
#include "support/svg_reading.h"

namespace {

void writeMatrices(const ScratchDirectory& dir)
{
    dir.write("a.txt", matrixText(randomRows(15, 18, 0.35, 5)));
    dir.write("a.csv", matrixText(randomRows(6, 7, 0.5, 6)));
    dir.write("R&D <\"1\">.txt", "110\n101\n011\n");
    dir.write("a\xC3\xA7ores.txt", "1101\n1100\n0110\n");
}

bool isPicture(const std::string& name)
{
    return name.size() > 4 && (name.substr(name.size() - 4) == ".svg" || name.substr(name.size() - 5) == ".html");
}

bool contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The cells of the page's one matrix row, by heading.
std::map<std::string, std::string> pageRow(const Element& page)
{
    const std::vector<std::string> headings = textsOf(page, "th"), cells = textsOf(page, "td");
    std::map<std::string, std::string> row;
    for (std::size_t i = 0; i < headings.size() && i < cells.size(); ++i)
        row[headings[i]] = cells[i];
    return row;
}

}  // namespace

TEST(PicturesSession, PicturesChangeNoOtherFileAndEveryOneIsWellFormed)
{
    for (const char* mode : {"T", "N"}) {
        ScratchDirectory plain, drawn;
        writeMatrices(plain);
        writeMatrices(drawn);
        const std::vector<std::string> options = {"-m", mode, "-o", "-p", "-n", "8", "-s", "5", "*"};
        std::vector<std::string> modeOptions = options;
        if (std::string(mode) == "T")
            modeOptions.erase(modeOptions.begin() + 2);  // no --order in mode T
        std::vector<std::string> withReport = modeOptions;
        withReport.insert(withReport.begin(), "--report");
        const SessionResult withoutPictures = runCommand(plain, modeOptions);
        const SessionResult withPictures = runCommand(drawn, withReport);
        EXPECT_EQ(withPictures.exitCode, withoutPictures.exitCode) << mode;
        EXPECT_EQ(withPictures.console, withoutPictures.console) << mode;
        std::vector<std::string> others;
        for (const std::string& name : drawn.files())
            if (!isPicture(name))
                others.push_back(name);
        EXPECT_EQ(others, plain.files()) << mode;
        for (const std::string& name : plain.files())
            EXPECT_EQ(drawn.read(name), plain.read(name)) << mode << " " << name;
        // a.txt and a.csv never share a picture.
        const std::string kind = std::string(mode) == "T" ? "_packed.svg" : "_ordered.svg";
        const std::string null = std::string(mode) == "T" ? "_T_null.svg" : "_N_null.svg";
        for (const char* matrix : {"a.txt", "a.csv", "R&D <\"1\">.txt", "a\xC3\xA7ores.txt"}) {
            EXPECT_TRUE(drawn.exists(matrix + kind)) << matrix;
            EXPECT_TRUE(drawn.exists(matrix + null)) << matrix;
            parseXml(drawn.read(matrix + kind));
            parseXml(drawn.read(matrix + null));
        }
        const Element page = parseXml(drawn.read(std::string("BRAVOLIN_") + mode + "_report.html"));
        EXPECT_EQ(all(page, "tr").size(), 5u) << mode;  // a heading row and one per matrix
        EXPECT_EQ(all(page, "script").size(), 0u);
        // The run's settings, the date last.
        std::vector<std::string> settings = {"Mode", "Seed", "Seed per file", "Simulations", "Null models",
                                             "Version", "Date"};
        std::vector<std::string> values = {"T (temperature)", "5", "no", "8", "Er, Ce, Li, Co", "3.0.3"};
        if (std::string(mode) == "N") {
            settings.insert(settings.begin() + 1, "Ordered");
            values = {"N (NODF)", "yes", "5", "no", "8", "Er, Ce, Li, Co", "3.0.3"};
        }
        EXPECT_EQ(textsOf(page, "dt"), settings) << mode;
        std::vector<std::string> shown = textsOf(page, "dd");
        ASSERT_EQ(shown.size(), values.size() + 1) << mode;
        shown.pop_back();
        EXPECT_EQ(shown, values) << mode;
        // The observed values, and each model's SES and P with no curveball asked for.
        std::vector<std::string> headings = {"Matrix"};
        if (std::string(mode) == "T")
            headings.push_back("Temperature");
        else
            headings.insert(headings.end(), {"NODF rows", "NODF columns", "NODF total"});
        for (const char* model : {"Er", "Ce", "Li", "Co"})
            headings.insert(headings.end(), {std::string(model) + " SES", std::string(model) + " P"});
        headings.push_back("Pictures");
        EXPECT_EQ(textsOf(page, "th"), headings) << mode;
    }
}

TEST(PicturesSession, EachModelThatRanHasAPanelAndItsSesAndNestednessPOnThePageOfItsMode)
{
    ScratchDirectory dir;
    dir.enter();
    // Nestedness is a low temperature: P counts the simulations at most as
    // hot; and a high NODF: P counts those at least as high.
    DiskSession disk;
    const auto temperature = pictureReport<TemperatureAnalysis>(
        disk.output, true, true, {{"Seed", "42"}, {"Simulations", "4"}, {"FF burn-in", "400"}});
    bravolin::TemperatureResult cold;
    cold.temperature = 20;
    bravolin::TemperatureNullModels hot;
    hot.run.completed = 4;
    hot.models = {{bravolin::Er, {10, 20, 30, 40}}, {bravolin::Ce, {30, 35, 40, 45}},
                  {bravolin::Li, {40, 45, 50, 55}}, {bravolin::Co, {50, 60, 70, 80}},
                  {bravolin::Curveball, {18, 22, 24, 26}}};
    const AnalysedFile<TemperatureAnalysis> coldFile{"a.txt", nullptr, &cold, &hot, 0, 4};
    temperature->nullModelsDone(coldFile);
    temperature->finished(coldFile, Completeness::Complete);

    const auto nodf = pictureReport<NodfAnalysis>(disk.output, true, true, {{"Seed", "42"}});
    NodfFileResult high;
    high.nodf = {0.4f, 0.6f, 0.5f};
    NodfFileNullModels low;
    low.run.completed = 4;
    low.models = bravolin::NodfNullModels(bravolin::modelsOfRun({})).models;
    for (const float total : {0.2f, 0.4f, 0.6f, 0.8f}) {
        low.models[0].values.push_back({0, 0, total});
        low.models[1].values.push_back({0, 0, 0.1f});
        low.models[2].values.push_back({0, 0, 0.5f});
        low.models[3].values.push_back({0, 0, 0.9f});
    }
    const AnalysedFile<NodfAnalysis> highFile{"a.txt", nullptr, &high, &low, 0, 4};
    nodf->nullModelsDone(highFile);
    nodf->finished(highFile, Completeness::Complete);

    const auto panels = panelTexts(parseXml(dir.read("a.txt_T_null.svg")));
    ASSERT_EQ(panels.size(), 5u);
    EXPECT_TRUE(contains(panels[4], "curveball"));
    EXPECT_TRUE(contains(panels[4], "observed 20.00"));
    EXPECT_TRUE(contains(panels[0], "SES = -0.39, P = 0.6"));
    EXPECT_EQ(panelTexts(parseXml(dir.read("a.txt_N_null.svg"))).size(), 4u);

    const Element page = parseXml(dir.read("BRAVOLIN_T_report.html"));
    EXPECT_EQ(textsOf(page, "dt"), (std::vector<std::string>{"Seed", "Simulations", "FF burn-in"}));
    const auto row = pageRow(page);
    // The matrix, T, five models' SES and P (none for the models that did
    // not run), the pictures.
    EXPECT_EQ(row.size(), 13u);
    EXPECT_EQ(row.at("Temperature"), "20.00");
    EXPECT_EQ(row.at("Er SES"), "-0.39");
    EXPECT_EQ(row.at("Er P"), "0.6");
    EXPECT_EQ(row.at("Ce P"), "0.2");
    EXPECT_EQ(row.at("curveball P"), "0.4");
    const auto nodfRow = pageRow(parseXml(dir.read("BRAVOLIN_N_report.html")));
    EXPECT_EQ(nodfRow.size(), 13u);  // the matrix, 3 NODF values, four models' SES and P, the pictures
    EXPECT_EQ(nodfRow.at("NODF total"), "50.00");
    EXPECT_EQ(nodfRow.at("Er SES"), "0.00");
    EXPECT_EQ(nodfRow.at("Er P"), "0.6");
    EXPECT_EQ(nodfRow.at("Ce P"), "0.2");
    EXPECT_EQ(nodfRow.at("Co P"), "1");
    EXPECT_EQ(nodfRow.count("curveball P"), 0u);
}

TEST(PicturesSession, FixedFixedRunsHaveTheirPanelAndColumnsAndEachModeKeepsItsPage)
{
    ScratchDirectory dir;
    dir.write("a.txt", matrixText(randomRows(8, 9, 0.45, 3)));
    const SessionResult temperature =
        runCommand(dir, {"--report", "-m", "T", "--no-print", "--fixed-fixed", "-n", "9", "-s", "3", "a.txt"});
    ASSERT_EQ(temperature.exitCode, 0);
    ASSERT_EQ(runCommand(dir, {"--report", "-m", "N", "-o", "--no-print", "-n", "9", "-s", "3", "a.txt"}).exitCode, 0);
    EXPECT_EQ(panelTexts(parseXml(dir.read("a.txt_T_null.svg"))).size(), 5u);
    EXPECT_EQ(panelTexts(parseXml(dir.read("a.txt_N_null.svg"))).size(), 4u);
    const auto temperatureRow = pageRow(parseXml(dir.read("BRAVOLIN_T_report.html")));
    // P of 9 simulations: a multiple of 0.1 from 0.1 to 1, as the result
    // line prints it.
    ASSERT_EQ(temperatureRow.count("curveball P"), 1u);
    const double p = std::stod(temperatureRow.at("curveball P"));
    EXPECT_NEAR(p * 10, std::round(p * 10), 1e-9);
    EXPECT_GE(p, 0.1);
    EXPECT_NE(temperature.console.find(" P " + temperatureRow.at("curveball P") + "\n"), std::string::npos)
        << temperature.console;
    EXPECT_EQ(pageRow(parseXml(dir.read("BRAVOLIN_N_report.html"))).count("curveball P"), 0u);
    EXPECT_FALSE(dir.exists("BRAVOLIN_report.html"));
}

TEST(PicturesSession, TheBatchNeverReadsPicturesOrPages)
{
    ScratchDirectory dir;
    dir.write("a.txt", "110\n100\n");
    dir.write("old.svg", "101\n010\n");
    dir.write("page.HTML", "101\n010\n");
    SessionResult result = runCommand(dir, {"-m", "N", "--no-order", "--no-null", "*"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(splitLines(dir.read("SYSTEMP.TXT")).size(), 2u);
    EXPECT_FALSE(dir.exists("old_row_pairwise.TXT"));
}

TEST(PicturesSession, ThePackedPictureShowsThePackedMatrixAndItsIsocline)
{
    ScratchDirectory dir;
    dir.write("ISLANDS.TXT", "0100\n1111\n0110\n1101\n");
    ASSERT_EQ(runInProcess(dir, {"-m", "T", "--no-print", "--no-null", "--svg", "ISLANDS.TXT"}, machineEnvironment())
                  .exitCode,
              0);
    const bravolin::Matrix matrix = matrixOf({"0100", "1111", "0110", "1101"});

    const Element svg = parseXml(dir.read("ISLANDS.TXT_packed.svg"));
    const Grid grid = gridOf(svg);
    const std::vector<Paint> painted = paintedRectangles(svg);
    // The packed matrix: 1111, 1101, 1010, 1000; rows 2, 4, 3, 1 of the file.
    const char* const packed[] = {"1111", "1101", "1010", "1000"};
    for (int row = 0; row < 4; row++)
        for (int column = 0; column < 4; column++) {
            const std::string colour = fillAt(painted, grid.x(column + 0.5), grid.y(row + 0.5));
            if (packed[row][column] == '1')
                EXPECT_LT(luminance(colour), 80) << row << "," << column;
            else  // white, or vermillion where the absence is unexpected
                EXPECT_TRUE(luminance(colour) > 240 || channel(colour, 0) > channel(colour, 2) + 40)
                    << row << "," << column << " " << colour;
        }
    char temperature[32];
    std::snprintf(temperature, sizeof temperature, "%.2f", bravolin::analyseTemperature(matrix).temperature);
    const std::vector<std::string> texts = textsOf(svg, "text");
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        std::string("packed 4 x 4, fill 62.50%, T = ") + temperature),
              texts.end());
    // The curve runs from the bottom-left cell centre to the top-right one
    // (in cells, counted from the top-left corner).
    const auto points = polylinePoints(svg);
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front(), std::make_pair(0.5, 3.5));
    EXPECT_EQ(points.back(), std::make_pair(3.5, 0.5));
}
