// Locale-independent SVG text for the pictures.
#include "formats/pictures/svg_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "formats/pictures/text_escaping.h"

namespace {

// Fixed notation of any double fits: 309 integer digits, a sign, a point and
// the few decimals the pictures use.
constexpr int kNumberBufferSize = 400;

// to_chars writes "-0.00" for small negative values; a picture shows "0.00".
void dropNegativeZeroSign(std::string& text)
{
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
}

int clampToByte(double value)
{
    return static_cast<int>(std::lround(std::fmin(255.0, std::fmax(0.0, value))));
}

// value in to_chars's format with that precision; "nan" for any NaN.
std::string formatted(double value, std::chars_format format, int precision)
{
    if (std::isnan(value))
        return "nan";
    char buffer[kNumberBufferSize];
#if defined(__cpp_lib_to_chars)
    // to_chars never consults the locale, unlike printf and iostreams.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
#else
    // Standard libraries without to_chars for doubles (the WebAssembly
    // build's): printf gives the same text in the C locale, which no front
    // end changes.
    const int length = std::snprintf(buffer, sizeof buffer, format == std::chars_format::fixed ? "%.*f" : "%.*g",
                                     precision, value);
    return std::string(buffer, static_cast<std::size_t>(length));
#endif
}

// Number attributes, each after a blank: name="value", the value as
// appendCoordinate writes it.
void appendNumberAttributes(std::string& out, std::initializer_list<std::pair<const char*, double>> attributes)
{
    for (const auto& [name, value] : attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        appendCoordinate(out, value);
        out += '"';
    }
}

}  // namespace

std::string fixedDecimals(double value, int decimals)
{
    std::string text = formatted(value, std::chars_format::fixed, decimals);
    dropNegativeZeroSign(text);
    return text;
}

std::string significantDigits(double value, int digits)
{
    return formatted(value, std::chars_format::general, digits);
}

void appendCoordinate(std::string& out, double value)
{
    std::string text = fixedDecimals(value, 2);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    dropNegativeZeroSign(text);
    out += text;
}

Rgb blend(Rgb from, Rgb to, double share)
{
    const auto mix = [share](int a, int b) { return clampToByte(a + (b - a) * share); };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

std::string hexColour(Rgb colour)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {colour.red, colour.green, colour.blue}) {
        text += kHexDigits[(part >> 4) & 0x0F];
        text += kHexDigits[part & 0x0F];
    }
    return text;
}

void openSvg(std::string& out, double width, double height, std::string_view title)
{
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    appendNumberAttributes(out, {{"width", width}, {"height", height}});
    out += " viewBox=\"0 0 ";
    appendCoordinate(out, width);
    out += ' ';
    appendCoordinate(out, height);
    out += "\" font-family=\"sans-serif\">\n<title>";
    out += escapeXml(title);
    out += "</title>\n<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
}

void closeSvg(std::string& out)
{
    out += "</svg>\n";
}

void appendLine(std::string& out, double x1, double y1, double x2, double y2, std::string_view colour,
                double width, double dash, double gap)
{
    out += "<line";
    appendNumberAttributes(out, {{"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}});
    out += " stroke=\"";
    out += colour;
    out += '"';
    appendNumberAttributes(out, {{"stroke-width", width}});
    if (dash > 0) {
        out += " stroke-dasharray=\"";
        appendCoordinate(out, dash);
        out += ' ';
        appendCoordinate(out, gap);
        out += '"';
    }
    out += "/>\n";
}

void appendRect(std::string& out, double x, double y, double width, double height)
{
    out += "<rect";
    appendNumberAttributes(out, {{"x", x}, {"y", y}, {"width", width}, {"height", height}});
    out += "/>\n";
}

namespace {

void openText(std::string& out, double x, double y, std::string_view attributes)
{
    out += "<text";
    appendNumberAttributes(out, {{"x", x}, {"y", y}});
    if (!attributes.empty()) {
        out += ' ';
        out += attributes;
    }
    out += '>';
}

}  // namespace

void appendText(std::string& out, double x, double y, std::string_view attributes,
                std::string_view content)
{
    openText(out, x, y, attributes);
    out += escapeXml(content);
    out += "</text>\n";
}

void appendTextWithTitle(std::string& out, double x, double y, std::string_view attributes,
                         std::string_view content, std::string_view title)
{
    openText(out, x, y, attributes);
    out += "<title>";
    out += escapeXml(title);
    out += "</title>";
    out += escapeXml(content);
    out += "</text>\n";
}
