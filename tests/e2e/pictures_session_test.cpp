// Pictures and the batch page: asked for by option only, named after the
// whole file name, showing what the analysis computed, and changing no
// other output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bravolin/temperature.h"
#include "console/driver/temperature_mode.h"
#include "console/input/matrix_reader.h"
#include "support/listed_answers.h"
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
        const Element page = parseXml(drawn.read("BRAVOLIN_report.html"));
        EXPECT_EQ(all(page, "tr").size(), 5u) << mode;  // a heading row and one per matrix
        EXPECT_EQ(all(page, "script").size(), 0u);
    }
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
    dir.enter();
    ListedAnswers none;
    const MatrixRead read = readMatrixFile("ISLANDS.TXT", none);
    ASSERT_EQ(read.outcome, ReadOutcome::Read);
    RunContext run(none);
    run.threads = 1;
    run.pictures.pictures = true;
    testing::internal::CaptureStdout();
    analyseTemperatureFile(run, "ISLANDS.TXT", read.matrix);
    testing::internal::GetCapturedStdout();

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
            else  // white, or orange where the absence is unexpected
                EXPECT_TRUE(luminance(colour) > 240 || channel(colour, 0) > channel(colour, 2) + 40)
                    << row << "," << column << " " << colour;
        }
    char temperature[32];
    std::snprintf(temperature, sizeof temperature, "%.2f", bravolin::analyseTemperature(read.matrix).temperature);
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
