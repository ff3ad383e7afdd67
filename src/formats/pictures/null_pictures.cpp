// Histograms of the null-model values of one matrix, one panel per model in
// a grid under a title with the observed value and how the SES and the P
// values are computed.
#include "formats/pictures/null_pictures.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "formats/pictures/svg_writer.h"

namespace {

// Geometry in pixels.
constexpr double kMargin = 10;
constexpr double kTitleHeight = 66;      // three lines of title above the panels
constexpr double kPanelWidth = 360;
constexpr double kPanelHeight = 270;
constexpr double kPlotLeftInset = 60;    // room for the count labels and the count axis title
constexpr double kPlotRightInset = 18;
constexpr double kPlotTopInset = 62;     // room for the panel heading, its statistics and the observed label
constexpr double kPlotBottomInset = 44;  // room for the value labels and the value axis title
constexpr double kTickLength = 4;

constexpr int kMostBins = 60;
// The one bar of values that are all equal, as a share of the value axis.
constexpr double kSingleBarShare = 1.0 / 30;
// Bars narrower than this many pixels are drawn without outlines, which
// would wash them out, with crisp edges and at least kNarrowestBar wide,
// so that each shows at least one pixel column of the palette's colour.
constexpr double kOutlinedBars = 3;
constexpr double kNarrowestBar = 1;
// Half the width of the value axis when every value is the same.
constexpr double kDegenerateHalfWidth = 0.5;
constexpr int kFewestTicks = 4;
// Bounds within this share of a step of a multiple of it are taken as that
// multiple, so that a bound computed with rounding adds no tick.
constexpr double kTickTolerance = 1e-9;

// Okabe-Ito colours, told apart by colour-blind readers.
constexpr std::string_view kBarColour = "#56b4e9";       // sky blue
constexpr std::string_view kObservedColour = "#d55e00";  // vermillion
constexpr std::string_view kAxisColour = "#444444";
constexpr std::string_view kFrameColour = "#cccccc";
constexpr std::string_view kNoteColour = "#555555";

// Ticks at multiples of a round step, the first and the last being the ends
// of the axis.
struct Ticks {
    double step = 1;
    double first = 0;  // the first tick's multiple of the step
    int count = 2;
    int decimals = 0;
    double at(int tick) const { return (first + tick) * step; }
    double low() const { return at(0); }
    double high() const { return at(count - 1); }
};

struct Histogram {
    double low = 0, width = 1;  // the lower edge of the first bin, and each bin's width
    std::vector<int> counts;
    int binned = 0;   // finite values, all in the bars
    int skipped = 0;  // NaN or infinite values
};

struct PlotArea {
    double left = 0, right = 0, top = 0, bottom = 0;
};

Ticks ticksOfStep(double low, double high, double mantissa, int exponent)
{
    Ticks ticks;
    ticks.step = mantissa * std::pow(10.0, exponent);
    ticks.first = std::floor(low / ticks.step + kTickTolerance);
    const double last = std::ceil(high / ticks.step - kTickTolerance);
    ticks.count = static_cast<int>(last - ticks.first) + 1;
    ticks.decimals = std::max(0, (mantissa == 2.5 ? 1 : 0) - exponent);
    return ticks;
}

// The ticks of the largest round step (1, 2, 2.5 or 5 times a power of ten)
// that gives at least kFewestTicks from low to high (low < high). A step
// of ten times the power of ten above the range gives at most 3 ticks, and
// each smaller step at most about doubles them, so there are at most 6.
// With wholeSteps the step is a whole number, and an axis too short for
// kFewestTicks steps of 1 is lengthened to them.
Ticks roundTicks(double low, double high, bool wholeSteps)
{
    constexpr double kMantissas[] = {5, 2.5, 2, 1};
    const int top = static_cast<int>(std::floor(std::log10(high - low))) + 1;
    Ticks ticks = ticksOfStep(low, high, 1, top);
    for (int exponent = top - 1; ticks.count < kFewestTicks && !(wholeSteps && exponent < 0); --exponent) {
        for (const double mantissa : kMantissas) {
            if (wholeSteps && mantissa == 2.5 && exponent == 0)
                continue;
            ticks = ticksOfStep(low, high, mantissa, exponent);
            if (ticks.count >= kFewestTicks)
                break;
        }
    }
    ticks.count = std::max(ticks.count, kFewestTicks);
    return ticks;
}

bool finiteRange(const std::vector<double>& values, double& low, double& high)
{
    bool any = false;
    for (const double value : values) {
        if (!std::isfinite(value))
            continue;
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    }
    return any;
}

// The value axis of a panel: its values and the observed value.
Ticks planValueAxis(const std::vector<double>& values, double observed)
{
    double low = 0, high = 1;
    if (finiteRange(values, low, high)) {
        if (std::isfinite(observed)) {
            low = std::min(low, observed);
            high = std::max(high, observed);
        }
    } else if (std::isfinite(observed)) {
        low = high = observed;
    }
    if (high - low <= 0) {
        low -= kDegenerateHalfWidth;
        high += kDegenerateHalfWidth;
    }
    return roundTicks(low, high, false);
}

// The quantile q (0..1) of sorted values as R's quantile() computes it by
// default (type 7): at h = (n - 1) q from the first, interpolated linearly
// between the values at floor(h) and floor(h) + 1.
double quantileOf(const std::vector<double>& sorted, double q)
{
    const double h = static_cast<double>(sorted.size() - 1) * q;
    const std::size_t below = static_cast<std::size_t>(std::floor(h));
    if (below + 1 >= sorted.size())
        return sorted[below];
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

// The number of bins of the finite values, which span low..high (low <
// high): the Freedman-Diaconis rule, ceil((high - low) / (2 IQR n^(-1/3)))
// with the interquartile range of quantileOf; when the IQR is 0 (most
// values equal), Sturges' rule, ceil(log2(n) + 1); at most kMostBins.
int binCount(const std::vector<double>& values, double low, double high)
{
    std::vector<double> sorted;
    for (const double value : values)
        if (std::isfinite(value))
            sorted.push_back(value);
    std::sort(sorted.begin(), sorted.end());
    const double n = static_cast<double>(sorted.size());
    const double iqr = quantileOf(sorted, 0.75) - quantileOf(sorted, 0.25);
    const double bins = iqr > 0 ? std::ceil((high - low) / (2 * iqr * std::pow(n, -1.0 / 3)))
                                : std::ceil(std::log2(n) + 1);
    return static_cast<int>(std::clamp(bins, 1.0, static_cast<double>(kMostBins)));
}

Histogram countBins(const std::vector<double>& values, const Ticks& axis)
{
    Histogram histogram;
    double low = 0, high = 0;
    if (!finiteRange(values, low, high)) {
        histogram.skipped = static_cast<int>(values.size());
        return histogram;
    }
    int bins = 1;
    if (high > low) {
        bins = binCount(values, low, high);
        histogram.low = low;
        histogram.width = (high - low) / bins;
    } else {
        // One narrow bar centred on the value.
        histogram.width = (axis.high() - axis.low()) * kSingleBarShare;
        histogram.low = low - histogram.width / 2;
    }
    histogram.counts.assign(static_cast<std::size_t>(bins), 0);
    for (const double value : values) {
        if (!std::isfinite(value)) {
            ++histogram.skipped;
            continue;
        }
        // The largest value sits on the upper edge and belongs to the last bin.
        const double position = (value - histogram.low) / histogram.width;
        ++histogram.counts[static_cast<std::size_t>(std::clamp(static_cast<int>(std::floor(position)), 0, bins - 1))];
        ++histogram.binned;
    }
    return histogram;
}

Ticks planCountAxis(const Histogram& histogram)
{
    const int tallest = histogram.counts.empty() ? 0 : *std::max_element(histogram.counts.begin(), histogram.counts.end());
    return roundTicks(0, std::max(tallest, 1), true);
}

double xOf(double value, const Ticks& axis, const PlotArea& area)
{
    return area.left + (value - axis.low()) / (axis.high() - axis.low()) * (area.right - area.left);
}

double yOf(double count, const Ticks& axis, const PlotArea& area)
{
    return area.bottom - count / axis.high() * (area.bottom - area.top);
}

std::string panelCount(const Histogram& histogram)
{
    std::string text = "n = " + std::to_string(histogram.binned + histogram.skipped);
    if (histogram.skipped > 0)
        text += ", " + std::to_string(histogram.skipped) + " nan skipped";
    return text;
}

void drawBars(std::string& out, const Histogram& histogram, const Ticks& values, const Ticks& counts,
              const PlotArea& area)
{
    const bool narrow = xOf(histogram.low + histogram.width, values, area) - xOf(histogram.low, values, area) <
                        kOutlinedBars;
    out += "<g fill=\"";
    out += kBarColour;
    out += narrow ? "\" stroke=\"none\" shape-rendering=\"crispEdges\">\n"
                  : "\" stroke=\"#ffffff\" stroke-width=\"0.5\">\n";
    for (std::size_t bin = 0; bin < histogram.counts.size(); ++bin) {
        if (histogram.counts[bin] == 0)
            continue;
        const double edge = histogram.low + static_cast<double>(bin) * histogram.width;
        // A narrow bar on the end of the axis is cut there.
        double left = std::max(area.left, xOf(edge, values, area));
        double right = std::min(area.right, xOf(edge + histogram.width, values, area));
        if (right - left < kNarrowestBar) {
            left = std::clamp((left + right - kNarrowestBar) / 2, area.left, area.right - kNarrowestBar);
            right = left + kNarrowestBar;
        }
        const double top = yOf(histogram.counts[bin], counts, area);
        appendRect(out, left, top, right - left, area.bottom - top);
    }
    out += "</g>\n";
}

// The ticks of an axis with their labels, in a group of its class with
// its text anchor: drawTick(value) draws each.
template <typename DrawTick>
void drawTicks(std::string& out, const char* className, const char* anchor, const Ticks& axis, DrawTick drawTick)
{
    out += "<g class=\"";
    out += className;
    out += "\" font-size=\"10\" fill=\"";
    out += kAxisColour;
    out += "\" text-anchor=\"";
    out += anchor;
    out += "\">\n";
    for (int tick = 0; tick < axis.count; ++tick)
        drawTick(axis.at(tick));
    out += "</g>\n";
}

// The value axis below the plot, ticks and labels, and its title.
void drawValueAxis(std::string& out, const Ticks& axis, const PlotArea& area, std::string_view title)
{
    appendLine(out, area.left, area.bottom, area.right, area.bottom, kAxisColour, 1);
    drawTicks(out, "x-ticks", "middle", axis, [&out, &axis, &area](double value) {
        const double x = xOf(value, axis, area);
        appendLine(out, x, area.bottom, x, area.bottom + kTickLength, kAxisColour, 1);
        appendText(out, x, area.bottom + 15, "", fixedDecimals(value, axis.decimals));
    });
    appendText(out, (area.left + area.right) / 2, area.bottom + 33, "font-size=\"11\" text-anchor=\"middle\"", title);
}

// The count axis left of the plot, ticks and labels, and its title turned
// upright.
void drawCountAxis(std::string& out, const Ticks& axis, const PlotArea& area, double panelLeft)
{
    appendLine(out, area.left, area.top, area.left, area.bottom, kAxisColour, 1);
    drawTicks(out, "y-ticks", "end", axis, [&out, &axis, &area](double value) {
        const double y = yOf(value, axis, area);
        appendLine(out, area.left - kTickLength, y, area.left, y, kAxisColour, 1);
        appendText(out, area.left - kTickLength - 2, y, "dy=\".35em\"", fixedDecimals(value, 0));
    });
    const double x = panelLeft + 14, y = (area.top + area.bottom) / 2;
    std::string rotation = "font-size=\"11\" text-anchor=\"middle\" transform=\"rotate(-90 ";
    appendCoordinate(rotation, x);
    rotation += ' ';
    appendCoordinate(rotation, y);
    rotation += ")\"";
    appendText(out, x, y, rotation, "Simulations");
}

// The observed value as a vertical line, labelled above the plot on the
// side with room for the label.
void drawObserved(std::string& out, double observed, const Ticks& axis, const PlotArea& area)
{
    if (!std::isfinite(observed))
        return;
    const double x = xOf(observed, axis, area);
    appendLine(out, x, area.top - 2, x, area.bottom, kObservedColour, 2);
    const bool leftHalf = x < (area.left + area.right) / 2;
    std::string attributes = "font-size=\"10\" fill=\"";
    attributes += kObservedColour;
    attributes += leftHalf ? "\" text-anchor=\"start\"" : "\" text-anchor=\"end\"";
    appendText(out, leftHalf ? x + 3 : x - 3, area.top - 6, attributes, "observed " + fixedDecimals(observed, 2));
}

void drawPanel(std::string& out, const NullModelPanel& panel, double x, double y, const NullDistributionPicture& picture)
{
    const PlotArea area{x + kPlotLeftInset, x + kPanelWidth - kPlotRightInset, y + kPlotTopInset,
                        y + kPanelHeight - kPlotBottomInset};
    const Ticks values = planValueAxis(panel.values, picture.observed);
    const Histogram histogram = countBins(panel.values, values);
    const Ticks counts = planCountAxis(histogram);

    out += "<g class=\"panel\">\n<g fill=\"none\" stroke=\"";
    out += kFrameColour;
    out += "\">\n";
    appendRect(out, x, y, kPanelWidth, kPanelHeight);
    out += "</g>\n";
    appendText(out, x + 8, y + 18, "font-size=\"13\" font-weight=\"bold\"", panel.model);
    appendText(out, x + kPanelWidth - 8, y + 18, "font-size=\"11\" text-anchor=\"end\"", panelCount(histogram));
    appendText(out, x + 8, y + 36, "font-size=\"12\"",
               "SES = " + sesText(panel.ses) + ", P = " + pValueText(panel.p));
    if (histogram.binned == 0)
        appendText(out, (area.left + area.right) / 2, (area.top + area.bottom) / 2,
                   "font-size=\"11\" text-anchor=\"middle\" fill=\"#888888\"", "no simulated values");
    drawBars(out, histogram, values, counts, area);
    drawValueAxis(out, values, area,
                  !picture.statistic.empty()           ? picture.statistic
                  : picture.mode == AnalysisMode::Nodf ? "NODF (total, %)"
                                                       : "Temperature");
    drawCountAxis(out, counts, area, x);
    drawObserved(out, picture.observed, values, area);
    out += "</g>\n";
}

std::string pictureFacts(const NullDistributionPicture& picture)
{
    const std::string quantity = !picture.statistic.empty()           ? picture.statistic
                                 : picture.mode == AnalysisMode::Nodf ? "the total NODF (%)"
                                                                      : "the temperature";
    return "null models of " + quantity + ": observed " + fixedDecimals(picture.observed, 2);
}

// How the numbers of the panels are computed, and which way is nested.
std::string statisticsNote(const NullDistributionPicture& picture)
{
    const std::string more = !picture.statistic.empty() ? (picture.lowerIsNested ? "as low as observed or lower"
                                                                                 : "as high as observed or higher")
                             : picture.mode == AnalysisMode::Nodf ? "with a NODF as high as observed or higher"
                                                                  : "as cold as observed or colder";
    return "SES = (observed - mean) / sd; P = (k + 1) / (n + 1), k the simulations " + more;
}

}  // namespace

std::string sesText(double ses)
{
    return std::isfinite(ses) ? fixedDecimals(ses, 2) : "NA";
}

std::string pValueText(double p)
{
    return std::isfinite(p) ? significantDigits(p, 3) : "NA";
}

std::string nullDistributionSvg(const NullDistributionPicture& picture)
{
    const int panels = static_cast<int>(picture.panels.size());
    const int columns = panels > 4 ? 3 : 2;
    const int rows = (panels + columns - 1) / columns;
    const double width = columns * kPanelWidth + (columns + 1) * kMargin;
    const double height = kTitleHeight + rows * (kPanelHeight + kMargin);
    const std::string facts = pictureFacts(picture);

    std::string out;
    openSvg(out, width, height, picture.fileName + ": " + facts);
    appendText(out, kMargin, 20, "font-size=\"14\" font-weight=\"bold\"", picture.fileName);
    appendText(out, kMargin, 38, "font-size=\"12\"", facts);
    std::string noteAttributes = "font-size=\"11\" fill=\"";
    noteAttributes += kNoteColour;
    noteAttributes += '"';
    appendText(out, kMargin, 54, noteAttributes, statisticsNote(picture));
    for (int panel = 0; panel < panels; ++panel) {
        const double x = kMargin + (panel % columns) * (kPanelWidth + kMargin);
        const double y = kTitleHeight + (panel / columns) * (kPanelHeight + kMargin);
        drawPanel(out, picture.panels[static_cast<std::size_t>(panel)], x, y, picture);
    }
    closeSvg(out);
    return out;
}
