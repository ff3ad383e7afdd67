// Conversions between UTF-8 and UTF-16.
#include "console/system/utf16.h"

#include "formats/text/text_encoding.h"

namespace {

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
            point = kReplacementCodePoint;
        }
        appendUtf8(out, point);
    }
    return out;
}
