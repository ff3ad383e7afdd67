// Text as console messages show it: control characters and bytes that are
// no UTF-8 escaped, quoted text cut.
#include <gtest/gtest.h>

#include <string>

#include "formats/text/text_encoding.h"

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
