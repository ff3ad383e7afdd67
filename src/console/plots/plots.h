// The picture module in one include: SVG pictures of matrices and null-model
// distributions, the batch HTML page and the text helpers they share. Every
// function is pure.
#ifndef BRAVOLIN_CONSOLE_PLOTS_PLOTS_H
#define BRAVOLIN_CONSOLE_PLOTS_PLOTS_H

#include "console/plots/matrix_pictures.h"
#include "console/plots/null_pictures.h"
#include "console/plots/report_page.h"
#include "console/plots/text_escaping.h"

#endif
