// SVG picture of the null-model simulations of one matrix: one panel per
// model that ran, each a histogram of the model's simulated values against
// the observed value, with the model's SES and nestedness P value.
//
// Each panel has axes of its own. The value axis covers the panel's values
// and the observed value, from and to round numbers, with 4 to 6 labelled
// ticks at a round step (1, 2, 2.5 or 5 times a power of ten); when they are
// all equal it is widened by 0.5 on both sides. The count axis starts at 0
// and has 4 to 6 ticks at a round whole step. The bars divide the range of
// the panel's values into bins whose number follows the data (the
// Freedman-Diaconis rule, or Sturges' when the interquartile range is 0,
// at most 60; see binCount), so that the shape of the distribution shows
// however many simulations ran and however far the observed value lies
// from it; values that are all equal form one narrow bar. Bars narrower
// than 3 pixels have no outline, so that they keep the palette's colour.
// The observed value is a labelled vertical line.
#ifndef BRAVOLIN_FORMATS_PICTURES_NULL_PICTURES_H
#define BRAVOLIN_FORMATS_PICTURES_NULL_PICTURES_H

#include <string>
#include <vector>

#include "formats/analysis_mode.h"

struct NullModelPanel {
    std::string model;          // the model's name, as the tables write it
    // The simulated values. NaN or infinite values are left out of the bars
    // and counted in the panel.
    std::vector<double> values;
    double ses = 0;             // NaN when undefined
    double p = 0;               // nestedness P value, (k + 1) / (n + 1); NaN when undefined
};

struct NullDistributionPicture {
    std::string fileName;
    AnalysisMode mode = AnalysisMode::Temperature;  // of the temperature, or of the total NODF (percent)
    double observed = 0;        // drawn as a vertical line in every panel (none when NaN)
    std::vector<NullModelPanel> panels;
    // A further metric's statistic (as the tables name it) instead of the
    // mode's own, and whether its lower values are the more nested.
    std::string statistic;
    bool lowerIsNested = false;
};

std::string nullDistributionSvg(const NullDistributionPicture& picture);

// The statistics as the pictures and the page print them: an SES with two
// decimals, and a P value with three significant digits, as the result
// line of a scripted run prints it (so 1 / 1001 is 0.000999, never 0.00);
// "NA" for either when undefined.
std::string sesText(double ses);
std::string pValueText(double p);

#endif
