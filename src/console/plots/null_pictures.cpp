// Histograms of the null-model values of one matrix, four panels in a 2 x 2
// grid under a title with the observed value and the P values.
#include "console/plots/null_pictures.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "console/plots/svg_writer.h"

namespace {

constexpr const char* kModelNames[4] = {"Er", "Ce", "Li", "Co"};

// Geometry in pixels.
constexpr double kMargin = 10;
constexpr double kTitleHeight = 50;
constexpr double kPanelWidth = 320;
constexpr double kPanelHeight = 210;
constexpr double kPlotLeftInset = 44;   // room for the count labels
constexpr double kPlotRightInset = 12;
constexpr double kPlotTopInset = 34;    // room for the panel heading
constexpr double kPlotBottomInset = 30; // room for the value labels

constexpr int kFewestBins = 5;
constexpr int kMostBins = 30;
// Half the width of the axis when every value is the same.
constexpr double kDegenerateHalfWidth = 0.5;

constexpr std::string_view kBarColour = "#4a7ab5";
constexpr std::string_view kObservedColour = "#d62728";
constexpr std::string_view kAxisColour = "#444444";
constexpr std::string_view kFrameColour = "#cccccc";

struct ValueAxis {
    double low = 0, high = 1;
    int bins = kFewestBins;
};

struct Histogram {
    std::vector<int> counts;
    int binned = 0;   // finite values, all in the bars
    int skipped = 0;  // NaN or infinite values
};

struct PlotArea {
    double left = 0, right = 0, top = 0, bottom = 0;
};

std::size_t finiteCount(const std::vector<double>& values)
{
    return static_cast<std::size_t>(std::count_if(values.begin(), values.end(),
                                                  [](double v) { return std::isfinite(v); }));
}

ValueAxis planAxis(const NullDistributionPicture& picture)
{
    bool any = std::isfinite(picture.observed);
    double low = any ? picture.observed : 0.0;
    double high = any ? picture.observed : 1.0;
    std::size_t largestCount = 0;
    for (const auto& values : picture.values) {
        largestCount = std::max(largestCount, finiteCount(values));
        for (const double value : values) {
            if (!std::isfinite(value))
                continue;
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    }
    ValueAxis axis;
    axis.low = low;
    axis.high = high;
    if (axis.high - axis.low <= 0) {
        axis.low -= kDegenerateHalfWidth;
        axis.high += kDegenerateHalfWidth;
    }
    const int rootCount = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(largestCount))));
    axis.bins = std::clamp(rootCount, kFewestBins, kMostBins);
    return axis;
}

Histogram countBins(const std::vector<double>& values, const ValueAxis& axis)
{
    Histogram histogram;
    histogram.counts.assign(axis.bins, 0);
    for (const double value : values) {
        if (!std::isfinite(value)) {
            ++histogram.skipped;
            continue;
        }
        const double position = (value - axis.low) / (axis.high - axis.low) * axis.bins;
        // The largest value sits on the upper edge and belongs to the last bin.
        const int bin = std::clamp(static_cast<int>(std::floor(position)), 0, axis.bins - 1);
        ++histogram.counts[bin];
        ++histogram.binned;
    }
    return histogram;
}

std::string panelHeading(const Histogram& histogram)
{
    std::string heading = "n = " + std::to_string(histogram.binned + histogram.skipped);
    if (histogram.skipped > 0)
        heading += ", " + std::to_string(histogram.skipped) + " nan skipped";
    return heading;
}

void appendLine(std::string& out, double x1, double y1, double x2, double y2, std::string_view colour,
                double width)
{
    out += "<line x1=\"";
    appendCoordinate(out, x1);
    out += "\" y1=\"";
    appendCoordinate(out, y1);
    out += "\" x2=\"";
    appendCoordinate(out, x2);
    out += "\" y2=\"";
    appendCoordinate(out, y2);
    out += "\" stroke=\"";
    out += colour;
    out += "\" stroke-width=\"";
    appendCoordinate(out, width);
    out += "\"/>\n";
}

void drawBars(std::string& out, const Histogram& histogram, const PlotArea& area)
{
    const int tallest = *std::max_element(histogram.counts.begin(), histogram.counts.end());
    if (tallest == 0)
        return;
    const double binWidth = (area.right - area.left) / histogram.counts.size();
    const double height = area.bottom - area.top;
    out += "<g fill=\"";
    out += kBarColour;
    out += "\" stroke=\"#ffffff\" stroke-width=\"0.5\">\n";
    for (std::size_t bin = 0; bin < histogram.counts.size(); ++bin) {
        if (histogram.counts[bin] == 0)
            continue;
        const double barHeight = height * histogram.counts[bin] / tallest;
        appendRect(out, area.left + bin * binWidth, area.bottom - barHeight, binWidth, barHeight);
    }
    out += "</g>\n";
}

// The two axes with the value range below and the count range beside.
void drawAxes(std::string& out, const Histogram& histogram, const ValueAxis& axis, const PlotArea& area)
{
    appendLine(out, area.left, area.bottom, area.right, area.bottom, kAxisColour, 1);
    appendLine(out, area.left, area.top, area.left, area.bottom, kAxisColour, 1);
    out += "<g font-size=\"10\" fill=\"";
    out += kAxisColour;
    out += "\">\n";
    const double valueLine = area.bottom + 14;
    appendText(out, area.left, valueLine, "text-anchor=\"start\"", fixedDecimals(axis.low, 2));
    appendText(out, area.right, valueLine, "text-anchor=\"end\"", fixedDecimals(axis.high, 2));
    const int tallest = *std::max_element(histogram.counts.begin(), histogram.counts.end());
    appendText(out, area.left - 4, area.bottom, "text-anchor=\"end\"", "0");
    if (tallest > 0)
        appendText(out, area.left - 4, area.top, "dy=\".7em\" text-anchor=\"end\"", std::to_string(tallest));
    out += "</g>\n";
}

void drawObserved(std::string& out, double observed, const ValueAxis& axis, const PlotArea& area)
{
    if (!std::isfinite(observed))
        return;
    const double x = area.left + (observed - axis.low) / (axis.high - axis.low) * (area.right - area.left);
    appendLine(out, x, area.top - 6, x, area.bottom, kObservedColour, 1.5);
}

void drawPanel(std::string& out, int model, const NullDistributionPicture& picture, const ValueAxis& axis)
{
    const double x = kMargin + (model % 2) * (kPanelWidth + kMargin);
    const double y = kTitleHeight + (model / 2) * (kPanelHeight + kMargin);
    const PlotArea area{x + kPlotLeftInset, x + kPanelWidth - kPlotRightInset, y + kPlotTopInset,
                        y + kPanelHeight - kPlotBottomInset};
    const Histogram histogram = countBins(picture.values[model], axis);

    out += "<g fill=\"none\" stroke=\"";
    out += kFrameColour;
    out += "\">\n";
    appendRect(out, x, y, kPanelWidth, kPanelHeight);
    out += "</g>\n";
    appendText(out, x + 8, y + 18, "font-size=\"13\" font-weight=\"bold\"", kModelNames[model]);
    appendText(out, x + kPanelWidth - 8, y + 18, "font-size=\"11\" text-anchor=\"end\"", panelHeading(histogram));
    if (histogram.binned == 0)
        appendText(out, (area.left + area.right) / 2, (area.top + area.bottom) / 2,
                   "font-size=\"11\" text-anchor=\"middle\" fill=\"#888888\"", "no simulated values");
    drawBars(out, histogram, area);
    drawAxes(out, histogram, axis, area);
    drawObserved(out, picture.observed, axis, area);
}

}  // namespace

std::string nullDistributionSvg(const NullDistributionPicture& picture)
{
    const std::string quantity = picture.mode == 'N' ? "total NODF (%)" : "temperature";
    const std::string facts = "null models, " + quantity + ": observed " + fixedDecimals(picture.observed, 2) +
                              " (red line), P(Er) = " + fixedDecimals(picture.pEr, 2) +
                              ", P(Ce) = " + fixedDecimals(picture.pCe, 2);
    const double width = 2 * kPanelWidth + 3 * kMargin;
    const double height = kTitleHeight + 2 * kPanelHeight + 2 * kMargin;

    std::string out;
    openSvg(out, width, height, picture.fileName + ": " + facts);
    appendText(out, kMargin, 20, "font-size=\"14\" font-weight=\"bold\"", picture.fileName);
    appendText(out, kMargin, 38, "font-size=\"12\"", facts);
    const ValueAxis axis = planAxis(picture);
    for (int model = 0; model < 4; ++model)
        drawPanel(out, model, picture, axis);
    closeSvg(out);
    return out;
}
