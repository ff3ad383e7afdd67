// The text of the classic summary file: its headers, and a matrix's line
// whole or in the parts a front end writes as the values come.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "formats/tables/classic_summary.h"

TEST(ClassicSummary, HeadersAndLinesOfBothModesWithAndWithoutNullModels)
{
    bravolin::TemperatureResult temperature;
    temperature.temperature = 3.5f;
    bravolin::NodfResult nodf;
    nodf.nodf = {1.0f / 160, static_cast<float>(-std::nan("")), 1.0f};
    const std::vector<std::string> nullValues = {"30.51", "0.00", "28.77", "0.01"};
    struct Case {
        AnalysisMode mode;
        std::vector<std::string> observed;
        std::string header, nullHeader, line;
    };
    const Case cases[] = {
        {AnalysisMode::Temperature, summaryValues(temperature), "Matrix T(M)\n",
         "Matrix T(M) T(Er) P(Er) T(Ce) P(Ce)\n", "a b.txt (Packed) 3.50"},
        {AnalysisMode::Nodf, summaryValues(nodf), "Matrix N_Rows N_Columns N_Total\n",
         "Matrix N_Rows N_Columns N_Total NODF(Er) P(Er) NODF(Ce) P(Ce)\n", "a b.txt 0.63 nan 100.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(summaryHeader(c.mode, false), c.header);
        EXPECT_EQ(summaryHeader(c.mode, true), c.nullHeader);
        EXPECT_EQ(summaryLine(c.mode, "a b.txt", c.observed), c.line + "\n");
        std::vector<std::string> all = c.observed;
        all.insert(all.end(), nullValues.begin(), nullValues.end());
        const std::string whole = summaryLine(c.mode, "a b.txt", all);
        EXPECT_EQ(whole, c.line + " 30.51 0.00 28.77 0.01\n");
        // In parts: the name alone, each observed value, then the null
        // models' values.
        std::string parts = summaryLine(c.mode, "a b.txt", {}, true);
        for (const std::string& value : c.observed)
            parts += summaryLineRest({value}, true);
        EXPECT_EQ(parts + summaryLineRest(nullValues), whole);
        // A line cut short after its observed values ends with their blank.
        EXPECT_EQ(summaryLine(c.mode, "a b.txt", c.observed, true) + "\n", c.line + " \n");
    }
}
