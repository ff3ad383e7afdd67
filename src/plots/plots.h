// The picture module in one include: SVG pictures of matrices and null-model
// distributions, the batch HTML page and the text helpers they share. Every
// function is pure.
#ifndef BRAVOLIN_PLOTS_PLOTS_H
#define BRAVOLIN_PLOTS_PLOTS_H

#include "plots/matrix_pictures.h"
#include "plots/null_pictures.h"
#include "plots/report_page.h"
#include "plots/text_escaping.h"

#endif
