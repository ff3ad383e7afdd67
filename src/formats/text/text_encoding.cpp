// Decoding UTF-8, and escapes for console messages.
#include "formats/text/text_encoding.h"

#include <cstdio>

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
        return kReplacementCodePoint;
    }
    if (at + static_cast<std::size_t>(continuation) >= text.size())
        return kReplacementCodePoint;  // cut short by the end of the text
    for (int i = 1; i <= continuation; i++) {
        const unsigned char next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return kReplacementCodePoint;
        point = (point << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and points beyond Unicode are invalid.
    if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return kReplacementCodePoint;
    *length = static_cast<std::size_t>(continuation) + 1;
    return point;
}

namespace {

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
        const bool strayByte = point == kReplacementCodePoint && length == 1;
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

std::string printableText(std::string_view text)
{
    return escapedText(text, kMostQuotedPoints);
}

std::string printableFileName(std::string_view name)
{
    return escapedText(name, std::string_view::npos);
}
