// The summary line and the row and column temperature files of mode T.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bravolin/temperature.h"
#include "console/output/output_session.h"
#include "console/reports/temperature_reports.h"
#include "support/disk_session.h"
#include "support/matrices.h"
#include "support/scratch.h"

namespace {

// The observed analysis of the driver: analyse, report.
bravolin::TemperatureResult analyse(OutputSession& output, const Rows& rows,
                                    const std::string& fileName = "ISLANDS.TXT", bool nullModels = false)
{
    const bravolin::TemperatureResult result = bravolin::analyseTemperature(matrixOf(rows));
    writeTemperatureSummary(output, fileName, temperatureReportNames(fileName), result, nullModels);
    return result;
}

// A column of lines lines whose row temperatures are all 0 but the
// first's; the lines are numbered from firstLine.
bravolin::TemperatureResult lineTemperatures(int lines, int firstLine)
{
    bravolin::TemperatureResult result;
    for (int line = 0; line < lines; line++)
        result.rowOrder.push_back(firstLine - 1 + line);
    result.rowTemperature.assign(static_cast<std::size_t>(lines), 0.0f);
    result.rowTemperature[0] = 100;
    result.columnOrder = {0};
    result.columnTemperature = {0};
    return result;
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

TEST(TemperatureReports, LinesAreLabelledWithTheirNumbersInTheMatrixFile)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    const bravolin::TemperatureResult result = analyse(disk.output, {"0100", "1111", "0110", "1101"});
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\nISLANDS.TXT (Packed) " + twoDecimals(result.temperature) + "\n");
    EXPECT_EQ(labels(dir.read("ISLANDS.LIN")), (std::vector<std::string>{"02", "04", "03", "01"}));
    EXPECT_EQ(labels(dir.read("ISLANDS.COL")), (std::vector<std::string>{"02", "01", "03", "04"}));
    const std::vector<std::string> rowLines = splitLines(dir.read("ISLANDS.LIN"));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%05.2f 02", result.rowTemperature[0]);
    EXPECT_EQ(rowLines[0], expected);
}

TEST(TemperatureReports, TrimmedLinesHaveNoLineAndTheRestKeepTheirNumbers)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    analyse(disk.output, {"111", "111", "100", "000"}, "TRIM.TXT");
    EXPECT_EQ(labels(dir.read("TRIM.LIN")), (std::vector<std::string>{"02", "03"}));
    EXPECT_EQ(labels(dir.read("TRIM.COL")), (std::vector<std::string>{"01", "02", "03"}));
}

TEST(TemperatureReports, TwoMatricesLeaveTwoHeadersAndTwoLines)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    const float first = analyse(disk.output, {"110", "011", "100"}, "a.txt").temperature;
    const float second = analyse(disk.output, {"1100", "1010", "0111"}, "b.txt").temperature;
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "Matrix T(M)\na.txt (Packed) " + twoDecimals(first) +
                                           "\nMatrix T(M)\nb.txt (Packed) " + twoDecimals(second) + "\n");
}

TEST(TemperatureReports, WithNullModelsTheLineStaysOpenAfterTheTemperature)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    const float temperature = analyse(disk.output, {"110", "011", "100"}, "ISLANDS.TXT", true).temperature;
    EXPECT_TRUE(disk.output.summaryLine().isOpen());
    EXPECT_EQ(dir.read("SYSTEMP.TXT"), "");
    disk.output.summaryLine().endOpen();
    EXPECT_EQ(dir.read("SYSTEMP.TXT"),
              "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)\nISLANDS.TXT (Packed) " + twoDecimals(temperature) + " \n");
}

TEST(TemperatureReports, LabelWidthFollowsTheNumberOfLines)
{
    ScratchDirectory dir;
    dir.enter();
    DiskSession disk;
    for (int lines : {99, 100}) {
        const std::string name = lines == 99 ? "W99.TXT" : "W100.TXT";
        writeTemperatureSummary(disk.output, name, temperatureReportNames(name), lineTemperatures(lines, 1), false);
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
    writeTemperatureSummary(disk.output, "OFFSET.TXT", temperatureReportNames("OFFSET.TXT"), lineTemperatures(2, 121), false);
    EXPECT_EQ(labels(dir.read("OFFSET.LIN")), (std::vector<std::string>{"121", "122"}));
}
