// Reading the SVG pictures and HTML pages the program writes, as a viewer
// would: parsed with expat (a test fails on a document that is not
// well-formed), and the rectangles painted back in place.
#ifndef BRAVOLIN_TESTS_SUPPORT_SVG_READING_H
#define BRAVOLIN_TESTS_SUPPORT_SVG_READING_H

#include <map>
#include <string>
#include <utility>
#include <vector>

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<Element> children;

    std::string attribute(const std::string& key) const
    {
        const auto found = attributes.find(key);
        return found == attributes.end() ? "" : found->second;
    }
};

// A rectangle in picture pixels with the fill and stroke it inherits.
struct Paint {
    double x = 0, y = 0, width = 0, height = 0;
    std::string fill, stroke;
    bool contains(double px, double py) const { return px > x && px < x + width && py > y && py < y + height; }
};

// The document's root element.
Element parseXml(const std::string& document);

// Every element of that name under root, root included.
std::vector<const Element*> all(const Element& root, const std::string& name);

// The texts of every element of that name.
std::vector<std::string> textsOf(const Element& root, const std::string& name);

// The texts of each panel of a null picture.
std::vector<std::vector<std::string>> panelTexts(const Element& svg);

// Every rectangle of the picture, in drawing order, where the viewer sees it.
std::vector<Paint> paintedRectangles(const Element& svg);

// The colour a viewer sees at a point: the last filled rectangle over it.
std::string fillAt(const std::vector<Paint>& painted, double x, double y);

// The grid's top-left corner and cell size, from the one scaled group.
struct Grid {
    double left = 0, top = 0, cell = 0;
    double x(double column) const { return left + column * cell; }
    double y(double row) const { return top + row * cell; }
};
Grid gridOf(const Element& svg);

// The points of the one polyline of the picture, in picture units.
std::vector<std::pair<double, double>> polylinePoints(const Element& svg);

// The brightness (0 to 255) of a colour written #rrggbb.
double luminance(const std::string& colour);
int channel(const std::string& colour, int index);

#endif
