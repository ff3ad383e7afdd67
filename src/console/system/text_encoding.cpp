// Conversions between UTF-8 and UTF-16, and escapes for console messages.
#include "console/system/text_encoding.h"

#include <cstdio>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point that starts at text[at], and how many bytes it takes; an
// invalid sequence is one byte long and gives the replacement character.
char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t* length)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    *length = 1;
    if (lead < 0x80)
        return lead;
    int continuation;
    char32_t point, smallest;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3, point = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacement;
    }
    if (at + static_cast<std::size_t>(continuation) >= text.size())
        return kReplacement;  // cut short by the end of the text
    for (int i = 1; i <= continuation; i++) {
        const unsigned char next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return kReplacement;
        point = (point << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and points beyond Unicode are invalid.
    if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return kReplacement;
    *length = static_cast<std::size_t>(continuation) + 1;
    return point;
}

void appendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The most code points of file content a message quotes.
constexpr std::size_t kMostQuotedPoints = 40;

void appendEscape(std::string& out, const char* format, unsigned value)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    out += escape;
}

// The text with its control characters and stray bytes escaped, cut after
// mostPoints code points.
std::string escapedText(std::string_view text, std::size_t mostPoints)
{
    std::string out;
    std::size_t points = 0;
    for (std::size_t at = 0; at < text.size(); points++) {
        if (points == mostPoints)
            return out + "...";
        std::size_t length;
        const char32_t point = decodeUtf8(text, at, &length);
        const bool strayByte = point == kReplacement && length == 1;
        if (point == 0)
            out += "\\0";
        else if (point == '\t')
            out += "\\t";
        else if (point == '\n')
            out += "\\n";
        else if (point == '\r')
            out += "\\r";
        else if (strayByte || point < 0x20 || point == 0x7F)
            appendEscape(out, "\\x%02x", static_cast<unsigned char>(text[at]));
        else if (point >= 0x80 && point <= 0x9F)
            appendEscape(out, "\\u%04x", static_cast<unsigned>(point));
        else
            out.append(text, at, length);
        at += length;
    }
    return out;
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view utf8)
{
    std::u16string out;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length;
        const char32_t point = decodeUtf8(utf8, at, &length);
        at += length;
        if (point < 0x10000) {
            out += static_cast<char16_t>(point);
        } else {
            const char32_t offset = point - 0x10000;
            out += static_cast<char16_t>(0xD800 | (offset >> 10));
            out += static_cast<char16_t>(0xDC00 | (offset & 0x3FF));
        }
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view utf16)
{
    std::string out;
    for (std::size_t at = 0; at < utf16.size(); at++) {
        const char16_t unit = utf16[at];
        char32_t point = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
            utf16[at + 1] <= 0xDFFF) {
            point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (utf16[at + 1] - 0xDC00);
            at++;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            point = kReplacement;
        }
        appendUtf8(out, point);
    }
    return out;
}

std::string printableText(std::string_view text)
{
    return escapedText(text, kMostQuotedPoints);
}

std::string printableFileName(std::string_view name)
{
    return escapedText(name, std::string_view::npos);
}
