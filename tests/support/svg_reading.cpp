// Reading the SVG pictures and HTML pages the program writes, as a viewer
// would: parsed with expat, and the rectangles painted back in place.
#include "support/svg_reading.h"

#include <gtest/gtest.h>

#include <expat.h>

#include <cstdio>
#include <sstream>

namespace {

// The elements still open while parsing; children are added to the last.
using OpenElements = std::vector<Element*>;

void XMLCALL startElement(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& open = *static_cast<OpenElements*>(data);
    Element element{name, {}, {}, {}};
    for (int i = 0; attributes[i] != nullptr; i += 2)
        element.attributes[attributes[i]] = attributes[i + 1];
    open.back()->children.push_back(element);
    open.push_back(&open.back()->children.back());
}

void XMLCALL endElement(void* data, const XML_Char*)
{
    static_cast<OpenElements*>(data)->pop_back();
}

void XMLCALL characterData(void* data, const XML_Char* text, int length)
{
    static_cast<OpenElements*>(data)->back()->text.append(text, static_cast<std::size_t>(length));
}

void collect(const Element& element, const std::string& name, std::vector<const Element*>& found)
{
    if (element.name == name)
        found.push_back(&element);
    for (const auto& child : element.children)
        collect(child, name, found);
}

// Where a group's translate-and-scale places its content.
struct Placement {
    double dx = 0, dy = 0, scale = 1;
    std::string fill = "#000000", stroke = "none";
};

void paint(const Element& element, Placement placement, std::vector<Paint>& painted)
{
    if (element.name == "text")
        return;
    if (!element.attribute("fill").empty())
        placement.fill = element.attribute("fill");
    if (!element.attribute("stroke").empty())
        placement.stroke = element.attribute("stroke");
    const std::string transform = element.attribute("transform");
    if (!transform.empty()) {
        double tx = 0, ty = 0, k = 0;
        EXPECT_EQ(std::sscanf(transform.c_str(), "translate(%lf %lf) scale(%lf)", &tx, &ty, &k), 3) << transform;
        placement.dx += placement.scale * tx;
        placement.dy += placement.scale * ty;
        placement.scale *= k;
    }
    // The page background is the only rectangle sized in percent.
    if (element.name == "rect" && element.attribute("width").find('%') == std::string::npos) {
        const auto at = [&](const char* key) { return std::stod(element.attribute(key)) * placement.scale; };
        painted.push_back({placement.dx + at("x"), placement.dy + at("y"), at("width"), at("height"),
                           placement.fill, placement.stroke});
    }
    for (const auto& child : element.children)
        paint(child, placement, painted);
}

}  // namespace

Element parseXml(const std::string& document)
{
    Element top;
    OpenElements open{&top};
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &open);
    XML_SetElementHandler(parser, startElement, endElement);
    XML_SetCharacterDataHandler(parser, characterData);
    if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_ERROR)
        ADD_FAILURE() << XML_ErrorString(XML_GetErrorCode(parser)) << " at line "
                      << XML_GetCurrentLineNumber(parser);
    XML_ParserFree(parser);
    return top.children.empty() ? Element{} : top.children.front();
}

std::vector<const Element*> all(const Element& root, const std::string& name)
{
    std::vector<const Element*> found;
    collect(root, name, found);
    return found;
}

std::vector<std::string> textsOf(const Element& root, const std::string& name)
{
    std::vector<std::string> texts;
    for (const Element* element : all(root, name))
        texts.push_back(element->text);
    return texts;
}

std::vector<Paint> paintedRectangles(const Element& svg)
{
    std::vector<Paint> painted;
    paint(svg, {}, painted);
    return painted;
}

std::string fillAt(const std::vector<Paint>& painted, double x, double y)
{
    for (auto it = painted.rbegin(); it != painted.rend(); ++it)
        if (it->fill != "none" && it->contains(x, y))
            return it->fill;
    return "#ffffff";
}

int channel(const std::string& colour, int index)
{
    return std::stoi(colour.substr(1 + 2 * static_cast<std::size_t>(index), 2), nullptr, 16);
}

double luminance(const std::string& colour)
{
    return 0.299 * channel(colour, 0) + 0.587 * channel(colour, 1) + 0.114 * channel(colour, 2);
}


Grid gridOf(const Element& svg)
{
    Grid grid;
    for (const Element* group : all(svg, "g"))
        if (group->attribute("transform").find("scale") != std::string::npos)
            std::sscanf(group->attribute("transform").c_str(), "translate(%lf %lf) scale(%lf)", &grid.left,
                        &grid.top, &grid.cell);
    EXPECT_GT(grid.cell, 0);
    return grid;
}

std::vector<std::pair<double, double>> polylinePoints(const Element& svg)
{
    const auto polylines = all(svg, "polyline");
    EXPECT_EQ(polylines.size(), 1u);
    std::vector<std::pair<double, double>> points;
    std::istringstream list(polylines.empty() ? "" : polylines[0]->attribute("points"));
    std::string pair;
    while (list >> pair) {
        double x = 0, y = 0;
        EXPECT_EQ(std::sscanf(pair.c_str(), "%lf,%lf", &x, &y), 2) << pair;
        points.push_back({x, y});
    }
    return points;
}

// 4 x 6, with unexpected presences at (0,5), (2,2) and (3,1) and unexpected
// absences at (1,2), the largest contribution, and (2,1), contribution 0.

std::vector<std::vector<std::string>> panelTexts(const Element& svg)
{
    std::vector<std::vector<std::string>> panels;
    for (const Element* group : all(svg, "g"))
        if (group->attribute("class") == "panel")
            panels.push_back(textsOf(*group, "text"));
    return panels;
}
