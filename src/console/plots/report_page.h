// The HTML page of a batch: one table row per matrix with its summary values
// and links to its pictures, readable offline from the folder it lies in.
#ifndef BRAVOLIN_CONSOLE_PLOTS_REPORT_PAGE_H
#define BRAVOLIN_CONSOLE_PLOTS_REPORT_PAGE_H

#include <string>
#include <vector>

struct ReportRow {
    std::string fileName;                  // the matrix file, any bytes
    std::vector<std::string> values;       // the summary values as printed
    std::vector<std::string> pictureFiles; // its pictures, in the page's folder
};

struct ReportPage {
    char mode = 'T';                       // 'T': temperature, 'N': NODF
    std::vector<std::string> headings;     // the value columns, after "Matrix"
    std::vector<ReportRow> rows;
};

// An HTML5 page that is also well-formed XML: no script, no outside
// resources, styles inline. Below the table every matrix's pictures are
// shown on the page itself. A picture named after its matrix ("a.txt" and
// "a.txt_packed.svg") is linked as the rest of its name ("packed"), any other
// by its whole name. A row with fewer values than headings gets empty cells.
std::string reportPageHtml(const ReportPage& page);

#endif
