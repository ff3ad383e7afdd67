// File names between UTF-8 and UTF-16: accented and non-Latin names, names
// beyond the basic plane, and bytes that are no UTF-8 at all; and text as
// console messages show it.
#include <gtest/gtest.h>

#include <string>

#include "console/system/text_encoding.h"

TEST(TextEncoding, NamesGoToUtf16AndBackUnchanged)
{
    const std::string names[] = {"islands.txt", "a\xC3\xA7ores.txt",                     // açores
                                 "\xD0\x9E\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2.txt",   // Остров (Cyrillic)
                                 "\xE5\xB3\xB6.txt",                                        // 島 (CJK)
                                 "\xF0\x9F\x8C\xB4 palms.txt"};                            // a palm, beyond the BMP
    for (const std::string& name : names)
        EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(name)), name) << name;
    EXPECT_EQ(utf16FromUtf8("a\xC3\xA7ores"), u"a\u00E7ores");
    EXPECT_EQ(utf16FromUtf8("\xE5\xB3\xB6"), u"\u5CF6");
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x8C\xB4"), u"\U0001F334");
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x8C\xB4").size(), 2u);
}

TEST(TextEncoding, InvalidSequencesBecomeReplacementCharacters)
{
    EXPECT_EQ(utf16FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf16FromUtf8("\xC3"), u"\uFFFD");                // cut short
    EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");      // overlong
    EXPECT_EQ(utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a surrogate
    EXPECT_EQ(utf8FromUtf16(u"x\xD800y"), "x\xEF\xBF\xBDy");     // unpaired surrogate
}

TEST(TextEncoding, MessagesShowControlCharactersAsEscapesAndCutQuotedText)
{
    const struct {
        std::string text, shown;
    } texts[] = {
        {"islands.txt", "islands.txt"},
        {"a\xC3\xA7ores \xE5\xB3\xB6 \"x\" \\ ~", "a\xC3\xA7ores \xE5\xB3\xB6 \"x\" \\ ~"},
        {"red\x1b[31m", "red\\x1b[31m"},
        {std::string("a\0b", 3), "a\\0b"},
        {"\t\n\r\x7f", "\\t\\n\\r\\x7f"},
        {"\xC2\x9B" "2J", "\\u009b2J"},     // a C1 control, written in UTF-8
        {"\x9B" "2J\xFF", "\\x9b2J\\xff"},  // bytes that are no UTF-8
    };
    for (const auto& text : texts) {
        EXPECT_EQ(printableText(text.text), text.shown);
        EXPECT_EQ(printableFileName(text.text), text.shown);
    }
    // Quoted text is cut after 40 code points, file names never.
    std::string accented;
    for (int i = 0; i < 40; i++)
        accented += "\xC3\xA9";
    EXPECT_EQ(printableText(accented), accented);
    EXPECT_EQ(printableText(accented + "\x1b" "x"), accented + "...");
    const std::string name = std::string(200, 'n') + ".txt";
    EXPECT_EQ(printableFileName(name), name);
}
