// Pieces of SVG text shared by the pictures: locale-independent numbers,
// colours, the document frame, rectangles and text elements.
#ifndef BRAVOLIN_FORMATS_PICTURES_SVG_WRITER_H
#define BRAVOLIN_FORMATS_PICTURES_SVG_WRITER_H

#include <string>
#include <string_view>

// value with exactly `decimals` decimals, as printf's "%.*f" gives it in the C
// locale whatever locale the program runs in; "nan" for any NaN.
std::string fixedDecimals(double value, int decimals);

// value with `digits` significant digits, as printf's "%.*g" gives it in
// the C locale (trailing zeros dropped, an exponent for small values:
// "0.00799", "1e-05"); "nan" for any NaN.
std::string significantDigits(double value, int digits);

// value with at most two decimals, trailing zeros dropped ("12", "3.5",
// "0.25"): coordinates and lengths, kept short because large pictures hold
// tens of thousands of them.
void appendCoordinate(std::string& out, double value);

struct Rgb {
    int red = 0, green = 0, blue = 0;
};

// The colour a fraction `share` (0..1) of the way from `from` to `to`.
Rgb blend(Rgb from, Rgb to, double share);

// "#rrggbb".
std::string hexColour(Rgb colour);

// Starts a standalone SVG 1.1 document of width x height pixels: the XML
// declaration, the root element with its viewBox, the <title> (escaped here)
// and a white background.
void openSvg(std::string& out, double width, double height, std::string_view title);

void closeSvg(std::string& out);

// A <line> from (x1, y1) to (x2, y2) in colour, width wide; dashed when
// dash is above 0 (dash and gap long).
void appendLine(std::string& out, double x1, double y1, double x2, double y2, std::string_view colour,
                double width, double dash = 0, double gap = 0);

// A <rect> with position and size only; fill and stroke come from the
// enclosing group, which keeps the many rectangles of a matrix short.
void appendRect(std::string& out, double x, double y, double width, double height);

// A <text> element at (x, y) with extra attributes (already valid markup)
// and its content escaped here.
void appendText(std::string& out, double x, double y, std::string_view attributes,
                std::string_view content);

// The same with a title, shown as a tooltip, both escaped here.
void appendTextWithTitle(std::string& out, double x, double y, std::string_view attributes,
                         std::string_view content, std::string_view title);

#endif
