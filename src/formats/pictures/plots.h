// The picture module in one include: SVG pictures of matrices and null-model
// distributions, the batch HTML page and the text helpers they share. Every
// function is pure.
#ifndef BRAVOLIN_FORMATS_PICTURES_PLOTS_H
#define BRAVOLIN_FORMATS_PICTURES_PLOTS_H

#include "formats/pictures/matrix_pictures.h"
#include "formats/pictures/null_pictures.h"
#include "formats/pictures/report_page.h"
#include "formats/pictures/text_escaping.h"

#endif
