#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/output_file.h"
#include "common/shared_state.h"
#include "packing/pack_report.h"
#include "packing/packing.h"
#include "support/mode_t_matrix.h"
#include "support/scratch.h"
#include "temperature/temperature.h"
#include "temperature/temperature_summary.h"

using Rows = std::vector<std::string>;

namespace {

// The observed analysis of the driver: pack, measure, report.
PackingContext packed;
TemperatureContext measured;

void analyse(const Rows& rows, const char* fileName = "ISLANDS.TXT")
{
    loadObservedMatrix(packed, rows, fileName);
    testing::internal::CaptureStdout();
    packMatrix(packed, PackRun::Observed);
    testing::internal::GetCapturedStdout();
    computeTemperature(measured, packed);
    writeTemperatureSummary(packed, measured);
}

// A column of lines cells whose row temperatures are all 0 but the first's.
void loadLineTemperatures(int lines, const char* fileName)
{
    loadObservedMatrix(packed, Rows(static_cast<std::size_t>(lines), "1"), fileName);
    measured.rowTemperature.assign(static_cast<std::size_t>(lines) + 1, 0.0f);
    measured.columnTemperature.assign(2, 0.0f);
    measured.rowTemperature[1] = 100;
}

std::vector<std::string> labels(const std::string& text)
{
    std::vector<std::string> result;
    for (const std::string& line : splitLines(text))
        result.push_back(line.substr(line.find(' ') + 1));
    return result;
}

std::string twoDecimals(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

TEST(TemperatureSummary, LinesAreLabelledWithTheirNumbersInTheMatrixFile)
{
    ScratchDirectory dir;
    dir.enter();
    analyse({"0100", "1111", "0110", "1101"});
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\nISLANDS.TXT (Packed) " + twoDecimals(measured.matrixTemperature) + "\n");
    EXPECT_EQ(labels(dir.read("ISLANDS.LIN")), (std::vector<std::string>{"02", "04", "03", "01"}));
    EXPECT_EQ(labels(dir.read("ISLANDS.COL")), (std::vector<std::string>{"02", "01", "03", "04"}));
    const std::vector<std::string> rowLines = splitLines(dir.read("ISLANDS.LIN"));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%05.2f 02", measured.rowTemperature[1]);
    EXPECT_EQ(rowLines[0], expected);
}

TEST(TemperatureSummary, TrimmedLinesHaveNoLineAndTheRestKeepTheirNumbers)
{
    ScratchDirectory dir;
    dir.enter();
    analyse({"111", "111", "100", "000"}, "TRIM.TXT");
    EXPECT_EQ(labels(dir.read("TRIM.LIN")), (std::vector<std::string>{"02", "03"}));
    EXPECT_EQ(labels(dir.read("TRIM.COL")), (std::vector<std::string>{"01", "02", "03"}));
}

TEST(TemperatureSummary, TwoMatricesLeaveTwoHeadersAndTwoLines)
{
    ScratchDirectory dir;
    dir.enter();
    analyse({"110", "011", "100"}, "a.txt");
    const float first = measured.matrixTemperature;
    analyse({"1100", "1010", "0111"}, "b.txt");
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\na.txt (Packed) " + twoDecimals(first) +
                                           "\nMatrix T(M)\nb.txt (Packed) " +
                                           twoDecimals(measured.matrixTemperature) + "\n");
}

TEST(TemperatureSummary, WithNullModelsTheLineStaysOpenAfterTheTemperature)
{
    ScratchDirectory dir;
    dir.enter();
    nullModelsEnabled = 1;
    analyse({"110", "011", "100"});
    EXPECT_TRUE(summaryLineIsOpen());
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "");
    endOpenSummaryLine();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)\nISLANDS.TXT (Packed) " +
                                           twoDecimals(measured.matrixTemperature) + " \n");
}

TEST(TemperatureSummary, LabelWidthFollowsTheNumberOfLines)
{
    ScratchDirectory dir;
    dir.enter();
    for (int lines : {99, 100}) {
        loadLineTemperatures(lines, lines == 99 ? "W99.TXT" : "W100.TXT");
        writeTemperatureSummary(packed, measured);
    }
    const std::vector<std::string> narrow = splitLines(dir.read("W99.LIN"));
    ASSERT_EQ(narrow.size(), 99u);
    EXPECT_EQ(narrow[0], "100.00 01");
    EXPECT_EQ(narrow[1], "00.00 02");
    EXPECT_EQ(narrow[98], "00.00 99");
    const std::vector<std::string> wide = splitLines(dir.read("W100.LIN"));
    ASSERT_EQ(wide.size(), 100u);
    EXPECT_EQ(wide[0], "100.00 001");
    EXPECT_EQ(wide[99], "00.00 100");

    // Numbers beyond the minimum width are written in full.
    loadLineTemperatures(122, "OFFSET.TXT");
    packed.rowCount = 2;
    packed.removedFullRows = 120;
    writeTemperatureSummary(packed, measured);
    EXPECT_EQ(labels(dir.read("OFFSET.LIN")), (std::vector<std::string>{"121", "122"}));
}
