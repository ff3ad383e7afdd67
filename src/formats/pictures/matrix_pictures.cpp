// Drawing presence/absence matrices as SVG: the grid of cells or of blocks,
// the file's row and column numbers, unexpected cells and the isocline.
#include "formats/pictures/matrix_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "formats/pictures/svg_writer.h"

namespace {

// Picture geometry, in pixels.
constexpr double kLongestGridSide = 800;  // the grid's longer side, unless cells hit a bound below
constexpr double kLargestCell = 20;       // small matrices do not blow up
constexpr double kSmallestLabelledCell = 7; // numbers beside the grid stay readable
constexpr double kLargestLabelFont = 11;
constexpr double kMargin = 10;
constexpr double kNarrowestPicture = 560; // room for the title lines
constexpr double kDigitWidth = 0.62;      // of the font size, for sans-serif digits
constexpr double kIsoclineWidth = 2.5;
constexpr double kBorderWidth = 1;

// Up to this many cells every cell is drawn; beyond it the picture is reduced
// to blocks, so that any matrix of up to 3000 x 3000 stays a few megabytes.
constexpr long long kMostCellsDrawn = 250LL * 250LL;
constexpr long long kMostBlocks = 200LL * 200LL;
constexpr int kMostLabelledLines = 200;
// Characters of a label beyond which a name is shortened.
constexpr std::size_t kLongestLabel = 16;
// The isocline is thinned to this many points: more add bytes, not shape.
constexpr std::size_t kMostIsoclinePoints = 2000;

// Frames of unexpected presences: stroke width and its inset from the cell
// edge, in cells, so the frame lies inside the square.
constexpr double kFrameWidth = 0.16;
constexpr double kFrameInset = kFrameWidth / 2;

// Okabe-Ito colours, which colour-blind readers tell apart, with presences
// in a dark blue-grey: vermillion tints for unexpected absences, sky-blue
// frames for unexpected presences, and a dashed reddish-purple isocline,
// which shows over both presences and absences.
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kPresence{0x2d, 0x3e, 0x50};
constexpr Rgb kUnexpectedAbsence{0xd5, 0x5e, 0x00};
constexpr Rgb kUnexpectedPresence{0x56, 0xb4, 0xe9};
constexpr std::string_view kIsoclineColour = "#cc79a7";
constexpr std::string_view kBorderColour = "#999999";
constexpr std::string_view kLabelColour = "#555555";
constexpr std::string_view kLegendColour = "#333333";
// The weakest tint of an unexpected cell, as a share of the way to the full
// colour from white (absences) or from the presence colour (the frames of
// presences): weak enough to tell contributions apart, strong enough to
// tell the cell from an ordinary one.
constexpr double kWeakestAbsenceTint = 0.3;
constexpr double kWeakestPresenceTint = 0.45;
// The isocline's dashes and gaps, in pixels.
constexpr double kIsoclineDash = 6;
constexpr double kIsoclineGap = 3;

// The legend, in rows of entries under the title: a swatch and its label.
constexpr double kLegendTop = 48;
constexpr double kLegendRowHeight = 18;
constexpr double kLegendFont = 11;
constexpr double kLegendCharacterWidth = 0.56;  // of the font size, for sans-serif text
constexpr double kSwatchSize = 12;
constexpr double kSwatchGap = 2;                // between the squares of one swatch
constexpr double kLegendLabelGap = 5;           // between a swatch and its label
constexpr double kLegendEntryGap = 18;
constexpr double kLegendBottomGap = 6;
constexpr int kShareSwatchSteps = 4;

// Quantisation of shaded things: few levels keep neighbouring equal levels
// frequent, so runs stay long and pictures small.
constexpr int kContributionLevels = 5;
constexpr int kGreyLevels = 16;
constexpr int kUnexpectedShareLevels = 4;
constexpr double kUnexpectedShareOpacityStep = 0.2;

long long ceilDivide(long long a, long long b)
{
    return (a + b - 1) / b;
}

// Cells per block side: 1 when every cell is drawn, otherwise the smallest
// size that brings the block count within kMostBlocks.
int blockSizeFor(int rows, int columns)
{
    if (static_cast<long long>(rows) * columns <= kMostCellsDrawn)
        return 1;
    int size = 2;
    while (ceilDivide(rows, size) * ceilDivide(columns, size) > kMostBlocks)
        ++size;
    return size;
}

// A label as shown: at most kLongestLabel characters, a longer name cut
// with an ellipsis (characters are counted as UTF-8 sequences, and never
// cut in the middle).
std::string shownLabel(const std::string& label)
{
    std::size_t characters = 0, cut = label.size();
    for (std::size_t at = 0; at < label.size(); at++) {
        if ((static_cast<unsigned char>(label[at]) & 0xC0) == 0x80)
            continue;
        if (characters == kLongestLabel - 1)
            cut = at;
        if (++characters > kLongestLabel)
            return label.substr(0, cut) + "\u2026";
    }
    return label;
}

std::size_t characterCount(const std::string& text)
{
    std::size_t characters = 0;
    for (char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

std::size_t longestLabelLength(const std::vector<std::string>& labels)
{
    std::size_t longest = 0;
    for (const std::string& label : labels)
        longest = std::max(longest, characterCount(shownLabel(label)));
    return longest;
}

// A label that is a name rather than a number carries its whole text as a
// tooltip.
bool isNumber(const std::string& label)
{
    return !label.empty() && label.find_first_not_of("0123456789") == std::string::npos;
}

// What a legend entry's swatch shows.
enum class Swatch {
    Presence,
    Absence,
    UnexpectedPresence,  // with the weakest and the strongest frame
    UnexpectedAbsence,   // with the weakest and the strongest tint
    Isocline,
    PresenceShares,      // blocks of growing shares of presences
    UnexpectedShares,    // blocks of growing shares of unexpected cells
    None,                // a note
};

struct LegendEntry {
    Swatch swatch = Swatch::None;
    std::string label;
    double x = 0, y = 0;  // the top-left corner of the swatch, once laid out
};

double swatchWidth(Swatch swatch)
{
    switch (swatch) {
    case Swatch::Presence:
    case Swatch::Absence:
        return kSwatchSize;
    case Swatch::UnexpectedPresence:
    case Swatch::UnexpectedAbsence:
    case Swatch::Isocline:
        return 2 * kSwatchSize + kSwatchGap;
    case Swatch::PresenceShares:
    case Swatch::UnexpectedShares:
        return kShareSwatchSteps * kSwatchSize;
    case Swatch::None:
        break;
    }
    return 0;
}

double legendEntryWidth(const LegendEntry& entry)
{
    const double swatch = swatchWidth(entry.swatch);
    return swatch + (swatch > 0 ? kLegendLabelGap : 0) +
           characterCount(entry.label) * kLegendCharacterWidth * kLegendFont;
}

// Places the entries in rows from kLegendTop, each row as wide as fits the
// picture's width; returns the legend's height.
double layOutLegend(std::vector<LegendEntry>& legend, double pictureWidth)
{
    double x = kMargin, y = kLegendTop;
    for (LegendEntry& entry : legend) {
        const double width = legendEntryWidth(entry);
        if (x > kMargin && x + width > pictureWidth - kMargin) {
            x = kMargin;
            y += kLegendRowHeight;
        }
        entry.x = x;
        entry.y = y;
        x += width + kLegendEntryGap;
    }
    return legend.empty() ? 0 : y + kLegendRowHeight - kLegendTop + kLegendBottomGap;
}

struct GridLayout {
    int rows = 0, columns = 0;
    int blockSize = 1;        // cells per block side; 1 when every cell is drawn
    double cellPixels = 0;
    double left = 0, top = 0; // the grid's top-left corner in the picture
    double width = 0, height = 0; // the whole picture
    bool labelRows = false, labelColumns = false;
    double labelFont = 0;
    std::vector<LegendEntry> legend;
};

// The legend of a picture drawn cell by cell, or in blocks; packed: with
// the unexpected cells and the isocline of mode T.
std::vector<LegendEntry> legendEntries(bool packed, bool blocks)
{
    if (blocks) {
        std::vector<LegendEntry> legend = {{Swatch::PresenceShares, "share of presences in a block"}};
        if (packed) {
            legend.push_back({Swatch::UnexpectedShares, "share of unexpected cells in a block"});
            legend.push_back({Swatch::Isocline, "isocline"});
        }
        return legend;
    }
    std::vector<LegendEntry> legend = {{Swatch::Presence, "presence"}, {Swatch::Absence, "absence"}};
    if (packed) {
        legend.push_back({Swatch::UnexpectedPresence, "unexpected presence"});
        legend.push_back({Swatch::UnexpectedAbsence, "unexpected absence"});
        legend.push_back({Swatch::Isocline, "isocline"});
        legend.push_back({Swatch::None, "(weak to strong: the cell's share of T)"});
    }
    return legend;
}

GridLayout planGrid(const MatrixGrid& grid, bool packed)
{
    const int rows = grid.rows, columns = grid.columns;
    GridLayout layout;
    layout.rows = rows;
    layout.columns = columns;
    layout.blockSize = blockSizeFor(rows, columns);
    const bool everyCell = layout.blockSize == 1;
    layout.labelRows = everyCell && rows > 0 && rows <= kMostLabelledLines;
    layout.labelColumns = everyCell && columns > 0 && columns <= kMostLabelledLines;

    double cell = std::min(kLargestCell, kLongestGridSide / std::max({rows, columns, 1}));
    if (layout.labelRows || layout.labelColumns)
        cell = std::max(cell, kSmallestLabelledCell);
    // Four decimals, as the scale is written, so positions computed here and
    // by a reader of the picture agree.
    layout.cellPixels = std::floor(cell * 10000) / 10000;
    layout.labelFont = std::min(kLargestLabelFont, 0.8 * layout.cellPixels);

    const double labelGap = 6;
    const auto labelExtent = [&](bool shown, const std::vector<std::string>& labels) {
        return shown ? longestLabelLength(labels) * kDigitWidth * layout.labelFont + labelGap : 0.0;
    };
    layout.left = kMargin + labelExtent(layout.labelRows, grid.rowLabels);
    layout.width = std::max(kNarrowestPicture, layout.left + columns * layout.cellPixels + kMargin);
    layout.legend = legendEntries(packed, !everyCell);
    const double legendHeight = layOutLegend(layout.legend, layout.width);
    layout.top = kLegendTop + legendHeight + labelExtent(layout.labelColumns, grid.columnLabels);
    layout.height = layout.top + rows * layout.cellPixels + kMargin;
    return layout;
}

// One small level per drawn unit (a cell, or a block of cells); level 0 is
// not drawn.
struct LevelGrid {
    int rows = 0, columns = 0;
    std::vector<unsigned char> levels;
};

// Draws every run of consecutive equal non-zero levels in a row of units as
// one rectangle in cell coordinates, cut at the matrix edge and shrunk by
// inset on each side. The rectangles of a level share one group carrying
// styles[level], so each rectangle needs only its position and size.
void drawLevelRuns(std::string& out, const LevelGrid& grid, const GridLayout& layout,
                   const std::vector<std::string>& styles, double inset)
{
    std::vector<std::string> rectanglesByLevel(styles.size());
    const int unit = layout.blockSize;
    for (int unitRow = 0; unitRow < grid.rows; ++unitRow) {
        const unsigned char* levels = grid.levels.data() + static_cast<std::size_t>(unitRow) * grid.columns;
        const int top = unitRow * unit;
        const int bottom = std::min(top + unit, layout.rows);
        int start = 0;
        while (start < grid.columns) {
            int end = start + 1;
            while (end < grid.columns && levels[end] == levels[start])
                ++end;
            if (levels[start] != 0) {
                const int left = start * unit;
                const int right = std::min(end * unit, layout.columns);
                appendRect(rectanglesByLevel[levels[start]], left + inset, top + inset,
                           right - left - 2 * inset, bottom - top - 2 * inset);
            }
            start = end;
        }
    }
    for (std::size_t level = 1; level < styles.size(); ++level) {
        if (rectanglesByLevel[level].empty())
            continue;
        // Crisp edges: anti-aliased edges of neighbouring rectangles would
        // otherwise show as faint seams between rows at fractional scales.
        out += "<g " + styles[level] + " shape-rendering=\"crispEdges\">\n";
        out += rectanglesByLevel[level];
        out += "</g>\n";
    }
}

// The share of set flags in each block, as a level from 1 to levelCount for a
// block holding any (so that a single presence never vanishes) and 0 for none.
LevelGrid blockShareLevels(const std::vector<unsigned char>& flags, const GridLayout& layout,
                           int levelCount)
{
    const int size = layout.blockSize;
    LevelGrid grid;
    grid.rows = static_cast<int>(ceilDivide(layout.rows, size));
    grid.columns = static_cast<int>(ceilDivide(layout.columns, size));
    std::vector<int> counts(static_cast<std::size_t>(grid.rows) * grid.columns, 0);
    for (int row = 0; row < layout.rows; ++row) {
        const unsigned char* flagRow = flags.data() + static_cast<std::size_t>(row) * layout.columns;
        int* countRow = counts.data() + static_cast<std::size_t>(row / size) * grid.columns;
        for (int column = 0; column < layout.columns; ++column)
            countRow[column / size] += flagRow[column] != 0;
    }
    grid.levels.resize(counts.size());
    for (int blockRow = 0; blockRow < grid.rows; ++blockRow) {
        const int height = std::min(size, layout.rows - blockRow * size);
        for (int blockColumn = 0; blockColumn < grid.columns; ++blockColumn) {
            const int width = std::min(size, layout.columns - blockColumn * size);
            const std::size_t index = static_cast<std::size_t>(blockRow) * grid.columns + blockColumn;
            const double share = static_cast<double>(counts[index]) / (width * height);
            const long long level = counts[index] == 0 ? 0 : std::max(1L, std::lround(share * levelCount));
            grid.levels[index] = static_cast<unsigned char>(level);
        }
    }
    return grid;
}

// The tint of an unexpected absence, and the frame of an unexpected
// presence, of a strength from 0 (the weakest) to 1 (the full colour).
Rgb unexpectedAbsenceTint(double strength)
{
    return blend(kWhite, kUnexpectedAbsence, kWeakestAbsenceTint + (1 - kWeakestAbsenceTint) * strength);
}

Rgb unexpectedPresenceTint(double strength)
{
    return blend(kPresence, kUnexpectedPresence, kWeakestPresenceTint + (1 - kWeakestPresenceTint) * strength);
}

// The fill of a block of a reduced picture by its share level of presences
// (1 to kGreyLevels), and the overlay of its share level of unexpected cells
// (1 to kUnexpectedShareLevels).
std::string presenceShareFill(int level)
{
    return "fill=\"" + hexColour(blend(kWhite, kPresence, static_cast<double>(level) / kGreyLevels)) + "\"";
}

std::string unexpectedShareFill(int level)
{
    return "fill=\"" + hexColour(kUnexpectedAbsence) + "\" fill-opacity=\"" +
           fixedDecimals(level * kUnexpectedShareOpacityStep, 2) + "\"";
}

void drawPresences(std::string& out, const std::vector<unsigned char>& cells, const GridLayout& layout)
{
    if (layout.blockSize == 1) {
        LevelGrid grid{layout.rows, layout.columns, {}};
        grid.levels.reserve(cells.size());
        for (const unsigned char cell : cells)
            grid.levels.push_back(cell != 0);
        drawLevelRuns(out, grid, layout, {"", "fill=\"" + hexColour(kPresence) + "\""}, 0);
        return;
    }
    std::vector<std::string> greys(kGreyLevels + 1);
    for (int level = 1; level <= kGreyLevels; ++level)
        greys[level] = presenceShareFill(level);
    drawLevelRuns(out, blockShareLevels(cells, layout, kGreyLevels), layout, greys, 0);
}

// Unexpected cells of a picture drawn cell by cell: the tint of each follows
// its contribution relative to the largest one, in kContributionLevels steps.
void drawUnexpectedCells(std::string& out, const PackedMatrixPicture& picture, const GridLayout& layout)
{
    float largest = 0;
    for (std::size_t i = 0; i < picture.unexpected.size(); ++i)
        if (picture.unexpected[i] != 0)
            largest = std::fmax(largest, picture.contribution[i]);

    LevelGrid absences{layout.rows, layout.columns, std::vector<unsigned char>(picture.cells.size(), 0)};
    LevelGrid presences = absences;
    for (std::size_t i = 0; i < picture.unexpected.size(); ++i) {
        if (picture.unexpected[i] == 0)
            continue;
        const double share = largest > 0 ? std::fmax(0.0f, picture.contribution[i]) / largest : 0.0;
        const auto level = static_cast<unsigned char>(1 + std::lround(share * (kContributionLevels - 1)));
        (picture.cells[i] != 0 ? presences : absences).levels[i] = level;
    }

    std::vector<std::string> fills(kContributionLevels + 1);
    std::vector<std::string> frames(kContributionLevels + 1);
    for (int level = 1; level <= kContributionLevels; ++level) {
        const double strength = static_cast<double>(level - 1) / (kContributionLevels - 1);
        fills[level] = "fill=\"" + hexColour(unexpectedAbsenceTint(strength)) + "\"";
        frames[level] = "fill=\"none\" stroke=\"" + hexColour(unexpectedPresenceTint(strength)) +
                        "\" stroke-width=\"" + fixedDecimals(kFrameWidth, 2) + "\"";
    }
    drawLevelRuns(out, absences, layout, fills, 0);
    drawLevelRuns(out, presences, layout, frames, kFrameInset);
}

// Unexpected cells of a reduced picture: contributions of single cells are
// lost at that scale, so each block shows its share of unexpected cells.
void drawUnexpectedBlocks(std::string& out, const PackedMatrixPicture& picture, const GridLayout& layout)
{
    std::vector<std::string> overlays(kUnexpectedShareLevels + 1);
    for (int level = 1; level <= kUnexpectedShareLevels; ++level)
        overlays[level] = unexpectedShareFill(level);
    drawLevelRuns(out, blockShareLevels(picture.unexpected, layout, kUnexpectedShareLevels), layout,
                  overlays, 0);
}

// The isocline as a polyline in cell coordinates (y turned to grow
// downwards), thinned evenly to kMostIsoclinePoints with its last point kept.
void drawIsocline(std::string& out, const std::vector<std::pair<double, double>>& curve,
                  const GridLayout& layout)
{
    std::vector<std::pair<double, double>> points;
    for (const auto& point : curve)
        if (std::isfinite(point.first) && std::isfinite(point.second))
            points.push_back(point);
    if (points.size() < 2)
        return;
    const std::size_t step = static_cast<std::size_t>(ceilDivide(static_cast<long long>(points.size()),
                                                                 static_cast<long long>(kMostIsoclinePoints)));
    out += "<polyline fill=\"none\" stroke=\"";
    out += kIsoclineColour;
    out += "\" stroke-width=\"";
    appendCoordinate(out, kIsoclineWidth / layout.cellPixels);
    out += "\" stroke-dasharray=\"";
    appendCoordinate(out, kIsoclineDash / layout.cellPixels);
    out += ' ';
    appendCoordinate(out, kIsoclineGap / layout.cellPixels);
    out += "\" stroke-linejoin=\"round\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i % step != 0 && i + 1 != points.size())
            continue;
        if (i != 0)
            out += ' ';
        appendCoordinate(out, points[i].first);
        out += ',';
        appendCoordinate(out, layout.rows - points[i].second);
    }
    out += "\"/>\n";
}

void openGrid(std::string& out, const GridLayout& layout)
{
    out += "<g transform=\"translate(";
    appendCoordinate(out, layout.left);
    out += ' ';
    appendCoordinate(out, layout.top);
    out += ") scale(" + fixedDecimals(layout.cellPixels, 4) + ")\">\n";
}

// The outline of the matrix, drawn last so that it stays visible over cells.
void closeGrid(std::string& out, const GridLayout& layout)
{
    out += "<g fill=\"none\" stroke=\"";
    out += kBorderColour;
    out += "\" stroke-width=\"";
    appendCoordinate(out, kBorderWidth / layout.cellPixels);
    out += "\">\n";
    appendRect(out, 0, 0, layout.columns, layout.rows);
    out += "</g>\n</g>\n";
}

void appendLabel(std::string& out, double x, double y, std::string_view attributes, const std::string& label)
{
    if (isNumber(label))
        appendText(out, x, y, attributes, label);
    else
        appendTextWithTitle(out, x, y, attributes, shownLabel(label), label);
}

// The row labels left of the grid and the column labels above it, turned
// upright, each centred on its line.
void drawLabels(std::string& out, const GridLayout& layout, const std::vector<std::string>& rowLabels,
                const std::vector<std::string>& columnLabels)
{
    if (!layout.labelRows && !layout.labelColumns)
        return;
    const double gap = 3;
    out += "<g font-size=\"";
    appendCoordinate(out, layout.labelFont);
    out += "\" fill=\"";
    out += kLabelColour;
    out += "\">\n";
    if (layout.labelRows) {
        for (int row = 0; row < layout.rows; ++row)
            appendLabel(out, layout.left - gap, layout.top + (row + 0.5) * layout.cellPixels,
                        "dy=\".35em\" text-anchor=\"end\"", rowLabels[static_cast<std::size_t>(row)]);
    }
    if (layout.labelColumns) {
        const double y = layout.top - gap;
        for (int column = 0; column < layout.columns; ++column) {
            const double x = layout.left + (column + 0.5) * layout.cellPixels;
            std::string rotation = "dy=\".35em\" transform=\"rotate(-90 ";
            appendCoordinate(rotation, x);
            rotation += ' ';
            appendCoordinate(rotation, y);
            rotation += ")\"";
            appendLabel(out, x, y, rotation, columnLabels[static_cast<std::size_t>(column)]);
        }
    }
    out += "</g>\n";
}

// A square of the legend, its fill and stroke given as attributes.
void appendSwatchSquare(std::string& out, double x, double y, const std::string& attributes)
{
    out += "<g " + attributes + ">\n";
    appendRect(out, x, y, kSwatchSize, kSwatchSize);
    out += "</g>\n";
}

// A presence with the frame of an unexpected one of that strength, drawn as
// in the grid.
void appendFramedPresence(std::string& out, double x, double y, double strength)
{
    appendSwatchSquare(out, x, y, "fill=\"" + hexColour(kPresence) + "\"");
    const double frame = kFrameWidth * kSwatchSize;
    std::string attributes = "fill=\"none\" stroke=\"" + hexColour(unexpectedPresenceTint(strength)) +
                             "\" stroke-width=\"";
    appendCoordinate(attributes, frame);
    attributes += '"';
    out += "<g " + attributes + ">\n";
    appendRect(out, x + frame / 2, y + frame / 2, kSwatchSize - frame, kSwatchSize - frame);
    out += "</g>\n";
}

void drawSwatch(std::string& out, const LegendEntry& entry)
{
    const double x = entry.x, y = entry.y, next = kSwatchSize + kSwatchGap;
    const std::string outline = "stroke=\"" + std::string(kBorderColour) + "\" stroke-width=\"1\"";
    switch (entry.swatch) {
    case Swatch::Presence:
        appendSwatchSquare(out, x, y, "fill=\"" + hexColour(kPresence) + "\"");
        break;
    case Swatch::Absence:
        appendSwatchSquare(out, x, y, "fill=\"#ffffff\" " + outline);
        break;
    case Swatch::UnexpectedPresence:
        appendFramedPresence(out, x, y, 0);
        appendFramedPresence(out, x + next, y, 1);
        break;
    case Swatch::UnexpectedAbsence:
        appendSwatchSquare(out, x, y, "fill=\"" + hexColour(unexpectedAbsenceTint(0)) + "\"");
        appendSwatchSquare(out, x + next, y, "fill=\"" + hexColour(unexpectedAbsenceTint(1)) + "\"");
        break;
    case Swatch::Isocline:
        appendLine(out, x, y + kSwatchSize / 2, x + swatchWidth(entry.swatch), y + kSwatchSize / 2,
                   kIsoclineColour, kIsoclineWidth, kIsoclineDash, kIsoclineGap);
        break;
    case Swatch::PresenceShares:
    case Swatch::UnexpectedShares:
        for (int step = 1; step <= kShareSwatchSteps; ++step) {
            const double share = static_cast<double>(step) / kShareSwatchSteps;
            appendSwatchSquare(out, x + (step - 1) * kSwatchSize, y,
                               entry.swatch == Swatch::PresenceShares
                                   ? presenceShareFill(static_cast<int>(std::lround(share * kGreyLevels)))
                                   : unexpectedShareFill(static_cast<int>(std::lround(share * kUnexpectedShareLevels))));
        }
        out += "<g fill=\"none\" " + outline + ">\n";
        appendRect(out, x, y, swatchWidth(entry.swatch), kSwatchSize);
        out += "</g>\n";
        break;
    case Swatch::None:
        break;
    }
}

// The legend: each entry's swatch, drawn as the grid draws what it stands
// for, and its label.
void drawLegend(std::string& out, const GridLayout& layout)
{
    out += "<g class=\"legend\" font-size=\"";
    appendCoordinate(out, kLegendFont);
    out += "\" fill=\"";
    out += kLegendColour;
    out += "\">\n";
    for (const LegendEntry& entry : layout.legend) {
        drawSwatch(out, entry);
        const double swatch = swatchWidth(entry.swatch);
        appendText(out, entry.x + swatch + (swatch > 0 ? kLegendLabelGap : 0), entry.y + kSwatchSize / 2,
                   "dy=\".35em\"", entry.label);
    }
    out += "</g>\n";
}

std::string reductionNote(const GridLayout& layout)
{
    if (layout.blockSize == 1)
        return "";
    const std::string size = std::to_string(layout.blockSize);
    return ", reduced: blocks of " + size + " x " + size + " cells";
}

// The picture of grid laid out so: the file name on the first line and
// the facts on the second, both also forming the document's <title>, the
// legend, the presences, what drawOver draws over them, and the labels.
template <typename DrawOver>
std::string gridPicture(const MatrixGrid& grid, const GridLayout& layout, const std::string& facts, DrawOver drawOver)
{
    std::string out;
    openSvg(out, layout.width, layout.height, grid.fileName + ": " + facts);
    appendText(out, kMargin, 20, "font-size=\"14\" font-weight=\"bold\"", grid.fileName);
    appendText(out, kMargin, 38, "font-size=\"12\"", facts);
    drawLegend(out, layout);
    openGrid(out, layout);
    drawPresences(out, grid.cells, layout);
    drawOver(out);
    closeGrid(out, layout);
    drawLabels(out, layout, grid.rowLabels, grid.columnLabels);
    closeSvg(out);
    return out;
}

void requireLength(std::size_t actual, long long expected, const char* what)
{
    if (static_cast<long long>(actual) != expected)
        throw std::invalid_argument(std::string("matrix picture: ") + what + " does not match the matrix size");
}

void requireMatrixSizes(const MatrixGrid& grid)
{
    if (grid.rows < 0 || grid.columns < 0)
        throw std::invalid_argument("matrix picture: negative matrix size");
    requireLength(grid.cells.size(), static_cast<long long>(grid.rows) * grid.columns, "cell count");
    requireLength(grid.rowLabels.size(), grid.rows, "row label count");
    requireLength(grid.columnLabels.size(), grid.columns, "column label count");
}

std::string matrixSize(int rows, int columns)
{
    return std::to_string(rows) + " x " + std::to_string(columns);
}

}  // namespace

std::string packedMatrixSvg(const PackedMatrixPicture& picture)
{
    requireMatrixSizes(picture);
    requireLength(picture.contribution.size(), static_cast<long long>(picture.cells.size()), "contribution count");
    requireLength(picture.unexpected.size(), static_cast<long long>(picture.cells.size()), "unexpected count");

    const GridLayout layout = planGrid(picture, true);
    const std::string facts = "packed " + matrixSize(picture.rows, picture.columns) + ", fill " +
                              fixedDecimals(picture.packedFillPercent, 2) + "%, T = " +
                              fixedDecimals(picture.temperature, 2) + reductionNote(layout);
    return gridPicture(picture, layout, facts, [&picture, &layout](std::string& out) {
        if (layout.blockSize == 1)
            drawUnexpectedCells(out, picture, layout);
        else
            drawUnexpectedBlocks(out, picture, layout);
        drawIsocline(out, picture.isocline, layout);
    });
}

std::string orderedMatrixSvg(const OrderedMatrixPicture& picture)
{
    requireMatrixSizes(picture);

    const GridLayout layout = planGrid(picture, false);
    const std::string facts = matrixSize(picture.rows, picture.columns) + ", " +
                              (picture.ordered ? "ordered by totals" : "file order") + ", NODF rows " +
                              fixedDecimals(picture.nodfRows, 2) + ", columns " +
                              fixedDecimals(picture.nodfColumns, 2) + ", total " +
                              fixedDecimals(picture.nodfTotal, 2) + reductionNote(layout);
    return gridPicture(picture, layout, facts, [](std::string&) {});
}
