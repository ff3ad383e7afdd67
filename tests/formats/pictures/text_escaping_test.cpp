// Tests of the text helpers that make outside names safe in pictures and pages.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formats/pictures/svg_writer.h"
#include "formats/pictures/text_escaping.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

std::string replacements(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += kReplacement;
    return text;
}

std::string coordinate(double value)
{
    std::string text;
    appendCoordinate(text, value);
    return text;
}

}  // namespace

TEST(PlotText, ValidUtf8KeepsWellFormedTextWhole)
{
    for (const std::string text : {"a.txt", "a\xC3\xA7ores.txt", "\xCE\xB1\xCE\xB2", "\xD0\xB4\xD0\xB0",
                                   "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x8C\xB2", "\xEF\xBF\xBD"})
        EXPECT_EQ(validUtf8(text), text);
}

TEST(PlotText, ValidUtf8ReplacesEachBadByte)
{
    EXPECT_EQ(validUtf8("\xFF\xFE.txt"), replacements(2) + ".txt");
    EXPECT_EQ(validUtf8("a\x80"), "a" + replacements(1));            // stray continuation byte
    EXPECT_EQ(validUtf8("\xE2\x82" "A"), replacements(2) + "A");     // truncated sequence
    EXPECT_EQ(validUtf8("\xC0\xAF"), replacements(2));               // overlong '/'
    EXPECT_EQ(validUtf8("\xE0\x80\xAF"), replacements(3));           // overlong '/'
    EXPECT_EQ(validUtf8("\xED\xA0\x80"), replacements(3));           // surrogate
    EXPECT_EQ(validUtf8("\xF4\x90\x80\x80"), replacements(4));       // above U+10FFFF
    EXPECT_EQ(validUtf8("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF");    // U+10FFFF itself
}

TEST(PlotText, EscapeXmlEscapesMarkupAndDropsForbiddenCharacters)
{
    EXPECT_EQ(escapeXml("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
    EXPECT_EQ(escapeXml(std::string("a\x01" "b\x1F" "c\x7F\0", 7)), "abc\x7F");
    EXPECT_EQ(escapeXml("tab\tline\ncr\r"), "tab\tline\ncr\r");
    EXPECT_EQ(escapeXml("x\xEF\xBF\xBEy\xEF\xBF\xBFz"), "xyz");  // U+FFFE, U+FFFF
    EXPECT_EQ(escapeXml("\xFF&\xC3\xA7"), kReplacement + "&amp;\xC3\xA7");
}

TEST(PlotText, PercentEncodeKeepsOnlyUnreservedBytes)
{
    EXPECT_EQ(percentEncode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(percentEncode("a b&c.txt_packed.svg"), "a%20b%26c.txt_packed.svg");
    EXPECT_EQ(percentEncode("../x/y?z#w%:"), "..%2Fx%2Fy%3Fz%23w%25%3A");
    EXPECT_EQ(percentEncode("\xC3\xA7\xFF"), "%C3%A7%FF");
    EXPECT_EQ(percentEncode(std::string(1, '\0')), "%00");
}

TEST(PlotText, NumbersAreWrittenWithFixedDecimals)
{
    EXPECT_EQ(fixedDecimals(62.5, 2), "62.50");
    EXPECT_EQ(fixedDecimals(1234.5678, 2), "1234.57");
    EXPECT_EQ(fixedDecimals(std::nan(""), 2), "nan");
    EXPECT_EQ(fixedDecimals(-std::nan(""), 2), "nan");
    EXPECT_EQ(fixedDecimals(-0.001, 2), "0.00");
    EXPECT_EQ(fixedDecimals(-1.5, 1), "-1.5");
    EXPECT_EQ(coordinate(12), "12");
    EXPECT_EQ(coordinate(3.5), "3.5");
    EXPECT_EQ(coordinate(0.256), "0.26");
    EXPECT_EQ(coordinate(-0.001), "0");
    EXPECT_EQ(coordinate(100), "100");
}
