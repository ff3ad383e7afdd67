// The pictures of a batch's analyses and the page of the batch as files,
// written when the command line asks for them (--svg, --report): each
// picture is written whole under its name ("a.txt_packed.svg"), replacing
// the picture of an earlier run, and the page anew after every matrix.
// What they show is the formats library's (formats/pictures).
#ifndef BRAVOLIN_CONSOLE_REPORTS_PICTURE_REPORT_H
#define BRAVOLIN_CONSOLE_REPORTS_PICTURE_REPORT_H

#include <memory>

#include "console/reports/file_report.h"
#include "formats/pictures/report_page.h"

class OutputSession;

// The writer of a batch's pictures: for every file, its matrix as analysed
// (NAME_packed.svg in mode T, NAME_ordered.svg in mode N, unexpected cells
// included) and, with null models, their values against the observed one
// (NAME_T_null.svg or NAME_N_null.svg, FF too, each model with its SES and
// nestedness P value). With page, the batch's page (BRAVOLIN_T_report.html
// or _N_), run with these settings, which it lists in this order: a row
// for every file analysed, with its summary values as written, the SES and
// P value of every model that ran, and its pictures.
template <typename Analysis>
std::unique_ptr<FileWriter<Analysis>> pictureReport(OutputSession& session, bool page, bool nullModels,
                                                    const PageSettings& settings);

#endif
