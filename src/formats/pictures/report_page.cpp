// Writing the batch page as HTML5 in XML syntax, so that browsers show it and
// XML tools can read it.
#include "formats/pictures/report_page.h"

#include <string>
#include <string_view>
#include <vector>

#include "formats/pictures/text_escaping.h"

namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "table{border-collapse:collapse}"
    "th,td{border:1px solid #bbb;padding:0.3em 0.6em}"
    "th{background:#eee;text-align:left}"
    "td.value{text-align:right;font-variant-numeric:tabular-nums}"
    "td.pictures a{margin-right:0.6em}"
    "dl.settings{display:grid;grid-template-columns:max-content auto;gap:0.2em 1em;margin:0 0 1.2em}"
    "dl.settings dt{font-weight:bold}"
    "dl.settings dd{margin:0}"
    "p.note{color:#555;font-size:0.9em}"
    "section{margin-top:2em}"
    "section img{max-width:100%;margin:0.5em 1em 0.5em 0;vertical-align:top;border:1px solid #ddd}";

std::string pageTitle(AnalysisMode mode)
{
    return mode == AnalysisMode::Nodf ? "BRAVOLIN: NODF results" : "BRAVOLIN: temperature results";
}

// "packed" for "a.txt_packed.svg" of matrix "a.txt": the part of the name
// that tells the pictures of one matrix apart.
std::string pictureLabel(const std::string& matrixName, const std::string& pictureName)
{
    std::string_view label = pictureName;
    if (label.size() > matrixName.size() && label.substr(0, matrixName.size()) == matrixName) {
        label.remove_prefix(matrixName.size());
        if (label.front() == '_' || label.front() == '.')
            label.remove_prefix(1);
        const std::size_t extension = label.rfind('.');
        if (extension != std::string_view::npos && extension > 0)
            label = label.substr(0, extension);
    }
    return label.empty() ? pictureName : std::string(label);
}

void appendCell(std::string& out, std::string_view tag, std::string_view cssClass, const std::string& text)
{
    out += '<';
    out += tag;
    if (!cssClass.empty()) {
        out += " class=\"";
        out += cssClass;
        out += '"';
    }
    out += '>';
    out += escapeXml(text);
    out += "</";
    out += tag;
    out += ">";
}

void appendHeaderRow(std::string& out, const std::vector<std::string>& headings, bool pictures)
{
    out += "<thead><tr>";
    appendCell(out, "th", "", "Matrix");
    for (const auto& heading : headings)
        appendCell(out, "th", "", heading);
    if (pictures)
        appendCell(out, "th", "", "Pictures");
    out += "</tr></thead>\n";
}

void appendMatrixRow(std::string& out, const ReportRow& row, std::size_t headingCount, bool pictures)
{
    out += "<tr>";
    appendCell(out, "td", "", row.fileName);
    for (const auto& value : row.values)
        appendCell(out, "td", "value", value);
    for (std::size_t missing = row.values.size(); missing < headingCount; ++missing)
        appendCell(out, "td", "value", "");
    if (!pictures) {
        out += "</tr>\n";
        return;
    }
    out += "<td class=\"pictures\">";
    for (const auto& picture : row.pictureFiles) {
        out += "<a href=\"" + percentEncode(picture) + "\" title=\"" + escapeXml(picture) + "\">";
        out += escapeXml(pictureLabel(row.fileName, picture));
        out += "</a>";
    }
    out += "</td></tr>\n";
}

void appendTable(std::string& out, const std::vector<std::string>& headings, const std::vector<ReportRow>& rows,
                 bool pictures)
{
    out += "<table>\n";
    appendHeaderRow(out, headings, pictures);
    out += "<tbody>\n";
    for (const auto& row : rows)
        appendMatrixRow(out, row, headings.size(), pictures);
    out += "</tbody>\n</table>\n";
}

// The run's settings, as label and value pairs.
void appendSettings(std::string& out, const PageSettings& settings)
{
    if (settings.empty())
        return;
    out += "<dl class=\"settings\">\n";
    for (const auto& [label, value] : settings) {
        appendCell(out, "dt", "", label);
        appendCell(out, "dd", "", value);
        out += '\n';
    }
    out += "</dl>\n";
}

// The matrix's pictures shown on the page itself, each linked to its file.
void appendMatrixPictures(std::string& out, const ReportRow& row)
{
    if (row.pictureFiles.empty())
        return;
    out += "<section>\n<h2>" + escapeXml(row.fileName) + "</h2>\n";
    for (const auto& picture : row.pictureFiles) {
        const std::string link = percentEncode(picture);
        out += "<a href=\"" + link + "\"><img src=\"" + link + "\" alt=\"" +
               escapeXml(pictureLabel(row.fileName, picture)) + "\"/></a>\n";
    }
    out += "</section>\n";
}

}  // namespace

std::string reportPageHtml(const ReportPage& page)
{
    const std::string title = pageTitle(page.mode);
    std::string out;
    out += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n";
    out += "<meta charset=\"utf-8\"/>\n<title>" + title + "</title>\n";
    out += "<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n";
    appendSettings(out, page.settings);
    appendTable(out, page.headings, page.rows, true);
    if (!page.note.empty())
        out += "<p class=\"note\">" + escapeXml(page.note) + "</p>\n";
    for (const ReportSection& section : page.sections) {
        out += "<section>\n<h2>" + escapeXml(section.title) + "</h2>\n";
        appendTable(out, section.headings, section.rows, false);
        if (!section.note.empty())
            out += "<p class=\"note\">" + escapeXml(section.note) + "</p>\n";
        out += "</section>\n";
    }
    for (const auto& row : page.rows)
        appendMatrixPictures(out, row);
    out += "</body>\n</html>\n";
    return out;
}
