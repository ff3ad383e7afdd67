// The HTML page of a batch: the run's settings, one table row per matrix
// with its values and links to its pictures, and the pictures themselves,
// readable offline from the folder it lies in.
#ifndef BRAVOLIN_FORMATS_PICTURES_REPORT_PAGE_H
#define BRAVOLIN_FORMATS_PICTURES_REPORT_PAGE_H

#include <string>
#include <utility>
#include <vector>

#include "formats/analysis_mode.h"

// The run's settings as the page lists them, in order: (label, value).
using PageSettings = std::vector<std::pair<std::string, std::string>>;

struct ReportRow {
    std::string fileName;                  // the matrix file, any bytes
    std::vector<std::string> values;       // one per heading; missing ones are empty
    std::vector<std::string> pictureFiles; // its pictures, in the page's folder
};

// A further table of the page, after the main one: one statistic of a
// further metric, a row per matrix, without pictures.
struct ReportSection {
    std::string title;
    std::vector<std::string> headings;     // the value columns, after "Matrix"
    std::string note;                      // under the table; may be empty
    std::vector<ReportRow> rows;
};

struct ReportPage {
    AnalysisMode mode = AnalysisMode::Temperature;
    PageSettings settings;
    std::vector<std::string> headings;     // the value columns, after "Matrix"
    std::string note;                      // what the values are, under the table; may be empty
    std::vector<ReportRow> rows;
    std::vector<ReportSection> sections;   // in the order they were added
};

// An HTML5 page that is also well-formed XML: no script, no outside
// resources, styles inline. The settings are listed above the table, and
// below it every matrix's pictures are shown on the page itself. A picture
// named after its matrix ("a.txt" and "a.txt_packed.svg") is linked as the
// rest of its name ("packed"), any other by its whole name. A row with
// fewer values than headings gets empty cells. Each section follows the
// main table, as a titled table of its own.
std::string reportPageHtml(const ReportPage& page);

#endif
