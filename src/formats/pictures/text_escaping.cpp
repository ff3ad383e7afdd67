// Valid UTF-8, XML escaping and percent-encoding for the pictures and the page.
#include "formats/pictures/text_escaping.h"

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool inRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at the start of bytes, or 0
// when its first byte does not start one. The allowed second bytes after
// E0, ED, F0 and F4 rule out overlong forms, surrogates and code points past
// U+10FFFF.
std::size_t wellFormedSequenceLength(std::string_view bytes)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (inRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (inRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() < length || !inRange(byteAt(1), secondLow, secondHigh))
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!inRange(byteAt(i), 0x80, 0xBF))
            return 0;
    return length;
}

// Characters XML 1.0 forbids everywhere, even as references.
bool forbiddenInXml(std::string_view character)
{
    const auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 1)
        return first < 0x20 && first != '\t' && first != '\n' && first != '\r';
    return character == "\xEF\xBF\xBE" || character == "\xEF\xBF\xBF";  // U+FFFE, U+FFFF
}

void appendEscaped(std::string& out, std::string_view character)
{
    if (character.size() == 1) {
        switch (character[0]) {
        case '&': out += "&amp;"; return;
        case '<': out += "&lt;"; return;
        case '>': out += "&gt;"; return;
        case '"': out += "&quot;"; return;
        case '\'': out += "&#39;"; return;
        default: break;
        }
    }
    out += character;
}

}  // namespace

std::string validUtf8(std::string_view bytes)
{
    std::string valid;
    valid.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = wellFormedSequenceLength(bytes);
        if (length == 0) {
            valid += kReplacementCharacter;
            bytes.remove_prefix(1);
        } else {
            valid += bytes.substr(0, length);
            bytes.remove_prefix(length);
        }
    }
    return valid;
}

std::string escapeXml(std::string_view text)
{
    const std::string valid = validUtf8(text);
    std::string escaped;
    escaped.reserve(valid.size());
    std::string_view rest = valid;
    while (!rest.empty()) {
        const std::string_view character = rest.substr(0, wellFormedSequenceLength(rest));
        if (!forbiddenInXml(character))
            appendEscaped(escaped, character);
        rest.remove_prefix(character.size());
    }
    return escaped;
}

std::string percentEncode(std::string_view name)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(name.size());
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        const bool unreserved = inRange(byte, 'A', 'Z') || inRange(byte, 'a', 'z') ||
                                inRange(byte, '0', '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            encoded += character;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}
