// SVG picture of the null-model simulations of one matrix: a histogram of
// the simulated values of each model (Er, Ce, Li, Co) against the observed
// value.
//
// The four panels share one value axis, which spans every simulated value
// and the observed one, and one set of bins: the square root of the largest
// number of values in a panel, at least 5 and at most 30 bins. When every
// value and the observed one are equal, the axis is widened by 0.5 on both
// sides and the values form a single bar.
#ifndef BRAVOLIN_CONSOLE_PLOTS_NULL_PICTURES_H
#define BRAVOLIN_CONSOLE_PLOTS_NULL_PICTURES_H

#include <string>
#include <vector>

struct NullDistributionPicture {
    std::string fileName;
    char mode = 'T';                  // 'T': temperature, 'N': total NODF (percent)
    double observed = 0;              // drawn as a vertical line in every panel (none when NaN)
    // Simulated values per model, in the order Er, Ce, Li, Co. NaN or
    // infinite values are left out of the bars and counted in the panel.
    std::vector<double> values[4];
    double pEr = 0, pCe = 0;          // shown with two decimals
};

std::string nullDistributionSvg(const NullDistributionPicture& picture);

#endif
