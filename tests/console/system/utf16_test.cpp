// File names between UTF-8 and UTF-16: accented and non-Latin names, names
// beyond the basic plane, and bytes that are no UTF-8 at all.
#include <gtest/gtest.h>

#include <string>

#include "console/system/utf16.h"

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
