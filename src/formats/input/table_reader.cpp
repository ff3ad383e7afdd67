// Reader of field tables: records scanned one at a time, cells turned into
// presences as they come, names kept.
#include "formats/input/table_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <locale>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"

namespace {

enum class Delimiter { Comma, Semicolon, Tab, Blanks };

// A field as the scanner hands it out: a view into the table's bytes, or,
// for a quoted field, into the scanner's copy of its text, valid until the
// next field. Views keep a large table's reading free of copies.
struct Field {
    std::string_view text;
    int line;     // the line it starts on
    bool quoted;  // it starts with a quote
};

// A field kept beyond the scanner's next one: a name, or a field of the
// first two rows.
struct SavedField {
    std::string text;
    int line;
    bool quoted;
};

// One of the first two rows, which decide the header: its fields, and the
// line it starts on.
struct Record {
    std::vector<SavedField> fields;
    int line = 0;
};


bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Whether text[at] starts \", a quote escaped by a backslash, as
// write.table writes a quote inside a quoted name.
bool isEscapedQuote(std::string_view text, std::size_t at)
{
    return text[at] == '\\' && at + 1 < text.size() && text[at + 1] == '"';
}

// The delimiter of the table, from its first two lines that are not blank.
// What stands between quotes does not count, so a quoted name with a comma
// in a blank-separated table leaves it blank-separated.
Delimiter detectDelimiter(std::string_view text)
{
    bool tab = false, semicolon = false, comma = false;
    bool quoted = false, lineHasText = false;
    int lines = 0;
    for (std::size_t at = 0; at < text.size() && lines < 2; at++) {
        const char c = text[at];
        if (quoted && isEscapedQuote(text, at)) {
            at++;
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        if (!quoted && isLineEnd(c)) {
            lines += lineHasText ? 1 : 0;
            lineHasText = false;
            continue;
        }
        lineHasText = lineHasText || !isBlank(c);
        if (quoted || c == '"')
            continue;
        tab = tab || c == '\t';
        semicolon = semicolon || c == ';';
        comma = comma || c == ',';
    }
    return tab ? Delimiter::Tab : semicolon ? Delimiter::Semicolon : comma ? Delimiter::Comma : Delimiter::Blanks;
}

// Splits the text into records and fields, one at a time, counting
// physical lines (CR LF is one line end). Fields are handed out one by one
// so that a large table's cells are taken as they come.
class TableScanner {
public:
    TableScanner(std::string_view text, Delimiter delimiter) : text_(text), delimiter_(delimiter)
    {
        if (delimiter == Delimiter::Comma)
            separator_ = ',';
        else if (delimiter == Delimiter::Semicolon)
            separator_ = ';';
        else if (delimiter == Delimiter::Tab)
            separator_ = '\t';
    }

    // Goes to the next record that is not a blank line; false at the end.
    bool startRecord()
    {
        skipBlankLines();
        if (at_ == text_.size())
            return false;
        recordLine_ = line_;
        // A tab table's line without a tab (a header written with blanks)
        // is split at blanks.
        atBlanks_ = delimiter_ == Delimiter::Blanks || (delimiter_ == Delimiter::Tab && !lineHasTab());
        fieldEnds_.fill(false);
        fieldEnds_['\n'] = fieldEnds_['\r'] = true;
        if (atBlanks_)
            fieldEnds_[' '] = fieldEnds_['\t'] = true;
        else
            fieldEnds_[static_cast<unsigned char>(separator_)] = true;
        return true;
    }

    // The line the current record starts on.
    int recordLine() const { return recordLine_; }

    // Reads the current record, handing its fields in order to take, a
    // function of a Field that returns false at a problem. Returns false
    // when take did, true at the record's end. An unquoted field, nearly
    // every cell of a large table, is taken in one pass over its bytes.
    template <typename Take>
    bool readRecord(Take&& take)
    {
        const char* const text = text_.data();
        const std::size_t size = text_.size();
        const bool atBlanks = atBlanks_;
        std::size_t at = at_;
        for (;;) {
            // Blanks before a field, and around the fields of a table split
            // at blanks; a tab is a delimiter unless the line is split at
            // blanks.
            while (at < size && (text[at] == ' ' || (atBlanks && text[at] == '\t')))
                at++;
            Field field{{}, line_, at < size && text[at] == '"'};
            if (field.quoted) {
                at_ = at;
                readQuotedField();
                at = at_;
                field.text = quoted_;
            } else {
                const std::size_t start = at;
                while (at < size && !fieldEnds_[static_cast<unsigned char>(text[at])])
                    at++;
                std::size_t end = at;
                while (end > start && text[end - 1] == ' ')
                    end--;
                field.text = std::string_view(text + start, end - start);
            }
            while (atBlanks && at < size && isBlank(text[at]))
                at++;
            at_ = at;
            if (!take(field))
                return false;
            if (at == size)
                return true;
            if (isLineEnd(text[at])) {
                endLine();
                return true;
            }
            // The field ended at the delimiter, or, split at blanks, the
            // next field starts here.
            if (!atBlanks)
                at++;
        }
    }

private:
    void endLine()
    {
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n')
            at_++;
        at_++;
        line_++;
    }

    void skipBlankLines()
    {
        for (;;) {
            std::size_t end = at_;
            while (end < text_.size() && isBlank(text_[end]))
                end++;
            if (end == text_.size()) {
                at_ = end;
                return;
            }
            if (!isLineEnd(text_[end]))
                return;
            at_ = end;
            endLine();
        }
    }

    bool lineHasTab() const
    {
        for (std::size_t at = at_; at < text_.size() && !isLineEnd(text_[at]); at++)
            if (text_[at] == '\t')
                return true;
        return false;
    }

    // A field that starts with a quote, into quoted_: the quoted text, then
    // whatever follows the closing quote up to the delimiter, as a
    // spreadsheet would keep it (in a table split at blanks, a blank is
    // that delimiter).
    void readQuotedField()
    {
        quoted_.clear();
        readQuoted(quoted_);
        while (!atBlanks_ && at_ < text_.size() && text_[at_] == ' ')
            at_++;
        const std::size_t start = at_;
        while (at_ < text_.size() && !fieldEnds_[static_cast<unsigned char>(text_[at_])])
            at_++;
        std::size_t end = at_;
        while (end > start && text_[end - 1] == ' ')
            end--;
        quoted_.append(text_.data() + start, end - start);
    }

    // A quoted field: a doubled quote and a quote after a backslash are a
    // quote, and a delimiter or a line end inside the quotes belongs to the
    // field.
    void readQuoted(std::string& text)
    {
        at_++;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (isEscapedQuote(text_, at_)) {
                text += '"';
                at_ += 2;
                continue;
            }
            if (c == '"') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                    text += '"';
                    at_ += 2;
                    continue;
                }
                at_++;
                return;
            }
            if (c == '\n' || (c == '\r' && !(at_ + 1 < text_.size() && text_[at_ + 1] == '\n')))
                line_++;
            text += c;
            at_++;
        }
    }

    std::string_view text_;
    Delimiter delimiter_;
    char separator_ = ' ';
    std::size_t at_ = 0;
    int line_ = 1;
    int recordLine_ = 1;
    bool atBlanks_ = false;
    std::array<bool, 256> fieldEnds_{};  // the bytes that end a field of the current record
    std::string quoted_;                 // the text of the last quoted field
};

enum class CellKind { Presence, Absence, Negative, NotANumber, Empty };

bool equalsIgnoringCase(std::string_view text, const char* word)
{
    std::size_t i = 0;
    for (; word[i] != '\0'; i++)
        if (i == text.size() || (text[i] | 0x20) != word[i])
            return false;
    return i == text.size();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a cell's text holds: a number in C notation (a decimal comma where
// the table allows it), TRUE or FALSE. A number is a presence when any
// digit of its mantissa is not 0: whatever its exponent, it is then above
// 0.
CellKind cellKind(std::string_view text, bool decimalComma)
{
    if (text.size() == 1 && isDigit(text[0]))
        return text[0] == '0' ? CellKind::Absence : CellKind::Presence;
    if (text.empty())
        return CellKind::Empty;
    if (equalsIgnoringCase(text, "true"))
        return CellKind::Presence;
    if (equalsIgnoringCase(text, "false"))
        return CellKind::Absence;
    std::size_t at = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+')
        at++;
    bool digits = false, nonZero = false;
    for (; at < text.size() && isDigit(text[at]); at++) {
        digits = true;
        nonZero = nonZero || text[at] != '0';
    }
    if (at < text.size() && (text[at] == '.' || (decimalComma && text[at] == ','))) {
        for (at++; at < text.size() && isDigit(text[at]); at++) {
            digits = true;
            nonZero = nonZero || text[at] != '0';
        }
    }
    if (!digits)
        return CellKind::NotANumber;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        at++;
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            at++;
        if (at == text.size() || !isDigit(text[at]))
            return CellKind::NotANumber;
        while (at < text.size() && isDigit(text[at]))
            at++;
    }
    if (at != text.size())
        return CellKind::NotANumber;
    if (!nonZero)
        return CellKind::Absence;
    return negative ? CellKind::Negative : CellKind::Presence;
}

bool isNumber(CellKind kind)
{
    return kind == CellKind::Presence || kind == CellKind::Absence || kind == CellKind::Negative;
}

bool isCell(CellKind kind)
{
    return kind == CellKind::Presence || kind == CellKind::Absence;
}

// The message of a cell that is no presence or absence; empty for one that
// is.
std::string cellProblem(std::string_view text, CellKind kind)
{
    if (kind == CellKind::Empty)
        return "the cell is empty";
    if (kind == CellKind::Negative)
        return "\"" + printableText(text) + "\" is a negative number";
    if (kind == CellKind::NotANumber)
        return "\"" + printableText(text) + "\" is not a number";
    return "";
}

// Why the first row was or was not read as a header.
enum class HeaderSource {
    Given,     // --header
    None,      // nothing said it is one
    Names,     // a field after the first is no number
    Numbers,   // its fields are numbers, but its empty corner, its length or its quotes say it is one
};

// Why the first column was or was not read as row names.
enum class RowNamesSource {
    Given,          // --row-names
    None,           // nothing said it holds names
    EmptyCorner,    // the header's field above it is empty
    ShorterHeader,  // the header has no field above it
    Text,           // none of its cells is a number
    Identifier,     // its cells number the rows
};

// What the reading of a table has gathered, and its first problem.
struct Table {
    std::optional<Record> header;
    std::size_t fields = 0;  // of every data row
    std::vector<SavedField> firstFields;
    std::vector<CellKind> firstKinds;
    std::vector<std::uint8_t> cells;  // data rows by fields - 1 cells, the first field left out
    // With abundances kept: the numbers of cells, in the same order.
    bool keepAbundances = false;
    bool decimalComma = false;
    std::vector<double> abundances;
    int dataRows = 0;
    std::string problem;
};

void reportProblem(const ReaderMessages& say, const std::string& name, const std::string& problem)
{
    say("File: " + printableFileName(name) + ": " + problem + ".\n");
}

std::string position(int line, std::size_t column)
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The number of a cell of that kind (a presence or an absence): TRUE is
// 1 and FALSE 0. Read in the C locale, whatever the program's. None for
// a presence whose number a double cannot hold: beyond the largest, or so
// small that it would be 0.
std::optional<double> cellNumber(std::string_view text, CellKind kind, bool decimalComma)
{
    if (kind == CellKind::Absence)
        return 0.0;
    if (equalsIgnoringCase(text, "true"))
        return 1.0;
    std::string number(text);
    if (decimalComma)
        std::replace(number.begin(), number.end(), ',', '.');
    std::istringstream in(number);
    in.imbue(std::locale::classic());
    double value = 0;
    if (!(in >> value) || !std::isfinite(value) || !(value > 0))
        return std::nullopt;
    return value;
}

// The problem of a cell whose number cannot be held.
std::string numberProblem(int line, std::size_t column, std::string_view text)
{
    return position(line, column) + ": \"" + printableText(text) + "\" is beyond the numbers that can be held";
}

// Keeps the number of a cell as an abundance; false for one that cannot
// be held.
bool takeAbundance(Table& table, std::string_view text, CellKind kind, bool decimalComma)
{
    const std::optional<double> value = cellNumber(text, kind, decimalComma);
    if (!value)
        return false;
    table.abundances.push_back(*value);
    return true;
}

// Takes field f (from 0) of a data row: the first as it is, the others as
// cells. Returns false at a problem. Fields beyond the first data row's are
// left for takeRowEnd to report.
bool takeField(Table& table, const Field& field, std::size_t f, bool decimalComma)
{
    if (f == 0) {
        table.firstFields.push_back({std::string(field.text), field.line, field.quoted});
        table.firstKinds.push_back(cellKind(field.text, decimalComma));
        return true;
    }
    if (table.dataRows > 0 && f >= table.fields)
        return true;
    const CellKind kind = cellKind(field.text, decimalComma);
    if (!isCell(kind)) {
        table.problem = position(field.line, f + 1) + ": " + cellProblem(field.text, kind);
        return false;
    }
    table.cells.push_back(kind == CellKind::Presence ? 1 : 0);
    if (table.keepAbundances && !takeAbundance(table, field.text, kind, decimalComma)) {
        table.problem = numberProblem(field.line, f + 1, field.text);
        return false;
    }
    return true;
}

// Ends a data row of count fields that starts on line; false when its
// count differs from the first data row's.
bool takeRowEnd(Table& table, std::size_t count, int line)
{
    if (table.dataRows == 0)
        table.fields = count;
    if (count != table.fields) {
        table.problem = "line " + std::to_string(line) + " has " + std::to_string(count) +
                        " fields, the data rows above it " + std::to_string(table.fields);
        return false;
    }
    table.dataRows++;
    return true;
}

// Reads the scanner's current record as a data row, field by field; false
// at a problem.
bool readDataRow(TableScanner& scanner, Table& table, bool decimalComma)
{
    std::size_t count = 0;
    const bool taken = scanner.readRecord([&](const Field& field) {
        const std::size_t f = count++;
        // A one-digit cell, by far the most common, is taken here at once.
        const std::string_view text = field.text;
        if (f > 0 && text.size() == 1 && isDigit(text[0]) && (table.dataRows == 0 || f < table.fields)) {
            table.cells.push_back(text[0] != '0');
            if (table.keepAbundances)
                table.abundances.push_back(text[0] - '0');
            return true;
        }
        return takeField(table, field, f, decimalComma);
    });
    return taken && takeRowEnd(table, count, scanner.recordLine());
}

// The scanner's current record, kept whole.
Record readSavedRecord(TableScanner& scanner)
{
    Record record{{}, scanner.recordLine()};
    scanner.readRecord([&](const Field& field) {
        record.fields.push_back({std::string(field.text), field.line, field.quoted});
        return true;
    });
    return record;
}

// Takes a kept record as a data row; false at a problem.
bool takeSavedRecord(Table& table, const Record& record, bool decimalComma)
{
    for (std::size_t f = 0; f < record.fields.size(); f++) {
        const SavedField& field = record.fields[f];
        if (!takeField(table, {field.text, field.line, field.quoted}, f, decimalComma))
            return false;
    }
    return takeRowEnd(table, record.fields.size(), record.line);
}

// Whether the first row is a header, from what it and the row below it
// (none for a table of one row) hold.
HeaderSource headerSource(const Record& first, const std::optional<Record>& second, bool decimalComma)
{
    for (std::size_t f = 1; f < first.fields.size(); f++)
        if (!isNumber(cellKind(first.fields[f].text, decimalComma)))
            return HeaderSource::Names;
    if (first.fields[0].text.empty())
        return HeaderSource::Numbers;
    if (!second)
        return HeaderSource::None;
    if (first.fields.size() + 1 == second->fields.size())
        return HeaderSource::Numbers;
    for (const SavedField& field : first.fields)
        if (!field.quoted)
            return HeaderSource::None;
    for (std::size_t f = 1; f < second->fields.size(); f++)
        if (second->fields[f].quoted)
            return HeaderSource::None;
    return HeaderSource::Numbers;
}

bool isDigits(std::string_view text)
{
    for (char c : text)
        if (!isDigit(c))
            return false;
    return !text.empty();
}

// Whether a header field names a column of identifiers: plot, site, id,
// sample, station, island, quadrat, transect, locality or name, in any
// letter case, alone or followed by s, _id or digits.
bool namesIdentifiers(std::string_view field)
{
    static const char* const kWords[] = {"plot",    "site",     "id",       "sample",   "station",
                                         "island",  "quadrat",  "transect", "locality", "name"};
    std::string lower(field);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c | 0x20);
    for (const std::string_view word : kWords) {
        if (lower.compare(0, word.size(), word) != 0)
            continue;
        const std::string_view rest = std::string_view(lower).substr(word.size());
        if (rest.empty() || rest == "s" || rest == "_id" || isDigits(rest))
            return true;
    }
    return false;
}

// The header's field above the first column; empty when it has none.
std::string_view firstColumnName(const Table& table)
{
    if (!table.header || table.header->fields.size() != table.fields)
        return {};
    return table.header->fields[0].text;
}

// Whether the first column is one of identifiers: integers, all different
// and not all 0 and 1 (a column of presences), that are 1, 2, ..., m in
// order or stand under a header field that names identifiers.
bool isIdentifierColumn(const Table& table)
{
    std::set<std::string_view> seen;
    bool numbered = true, presences = true;
    for (std::size_t r = 0; r < table.firstFields.size(); r++) {
        std::string_view value = table.firstFields[r].text;
        if (!isDigits(value))
            return false;
        while (value.size() > 1 && value[0] == '0')
            value.remove_prefix(1);
        if (!seen.insert(value).second)
            return false;
        numbered = numbered && value == std::to_string(r + 1);
        presences = presences && (value == "0" || value == "1");
    }
    return !presences && (numbered || namesIdentifiers(firstColumnName(table)));
}

// Whether the first column holds row names, from the header and the column.
RowNamesSource rowNamesSource(const Table& table)
{
    if (table.header && table.header->fields.size() + 1 == table.fields)
        return RowNamesSource::ShorterHeader;
    if (table.header && table.header->fields[0].text.empty())
        return RowNamesSource::EmptyCorner;
    bool anyNumber = false;
    for (CellKind kind : table.firstKinds)
        anyNumber = anyNumber || isNumber(kind);
    if (!anyNumber && !table.firstKinds.empty())
        return RowNamesSource::Text;
    return isIdentifierColumn(table) ? RowNamesSource::Identifier : RowNamesSource::None;
}

// The matrix of the table; its cells and names are taken from the table,
// which is left without them.
bravolin::Matrix matrixOfTable(Table& table, bool names)
{
    const int rows = table.dataRows;
    const int columns = static_cast<int>(table.fields) - (names ? 1 : 0);
    const std::size_t stored = table.fields - 1;
    std::vector<std::uint8_t> cells;
    if (names) {
        cells = std::move(table.cells);
    } else {
        // The first field of each row is its first cell.
        cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        for (std::size_t r = 0; r < static_cast<std::size_t>(rows); r++) {
            std::uint8_t* row = cells.data() + r * static_cast<std::size_t>(columns);
            *row++ = table.firstKinds[r] == CellKind::Presence ? 1 : 0;
            std::copy(table.cells.begin() + static_cast<std::ptrdiff_t>(r * stored),
                      table.cells.begin() + static_cast<std::ptrdiff_t>((r + 1) * stored), row);
        }
    }
    bravolin::Matrix matrix(rows, columns, std::move(cells));
    if (names) {
        std::vector<std::string> rowNames;
        for (SavedField& field : table.firstFields)
            rowNames.push_back(std::move(field.text));
        matrix.setRowNames(std::move(rowNames));
    }
    if (table.header) {
        std::vector<std::string> columnNames;
        const std::size_t first = table.header->fields.size() == table.fields && names ? 1 : 0;
        for (std::size_t f = first; f < table.header->fields.size(); f++)
            columnNames.push_back(std::move(table.header->fields[f].text));
        matrix.setColumnNames(std::move(columnNames));
    }
    return matrix;
}

// The abundances of the table read into matrix (matrixOfTable), with its
// names; the table is left without them. None, and the table's problem
// set, for a first cell too large to be held.
std::optional<bravolin::AbundanceMatrix> abundancesOfTable(Table& table, bool names, const bravolin::Matrix& matrix)
{
    const std::size_t rows = static_cast<std::size_t>(matrix.rows());
    const std::size_t columns = static_cast<std::size_t>(matrix.columns());
    const std::size_t stored = table.fields - 1;
    std::vector<double> cells;
    if (names) {
        cells = std::move(table.abundances);
    } else {
        // The first field of each row is its first cell.
        cells.resize(rows * columns);
        for (std::size_t r = 0; r < rows; r++) {
            double* row = cells.data() + r * columns;
            const SavedField& first = table.firstFields[r];
            const std::optional<double> number = cellNumber(first.text, table.firstKinds[r], table.decimalComma);
            if (!number) {
                table.problem = numberProblem(first.line, 1, first.text);
                return std::nullopt;
            }
            *row++ = *number;
            std::copy(table.abundances.begin() + static_cast<std::ptrdiff_t>(r * stored),
                      table.abundances.begin() + static_cast<std::ptrdiff_t>((r + 1) * stored), row);
        }
    }
    bravolin::AbundanceMatrix abundances(matrix.rows(), matrix.columns(), std::move(cells));
    abundances.setRowNames(matrix.rowNames());
    abundances.setColumnNames(matrix.columnNames());
    return abundances;
}

// A matrix of presences or of abundances, transposed with its names.
template <typename Cells>
Cells transposed(const Cells& matrix)
{
    std::remove_const_t<std::remove_reference_t<decltype(matrix.cells())>> cells(matrix.cells().size());
    for (int r = 0; r < matrix.rows(); r++)
        for (int c = 0; c < matrix.columns(); c++)
            cells[static_cast<std::size_t>(c) * static_cast<std::size_t>(matrix.rows()) + static_cast<std::size_t>(r)] =
                matrix.at(r, c);
    Cells result(matrix.columns(), matrix.rows(), std::move(cells));
    result.setRowNames(matrix.columnNames());
    result.setColumnNames(matrix.rowNames());
    return result;
}

// The problem of a table whose first fields are cells, at the first of them
// that is not a presence or an absence.
std::string firstFieldProblem(const Table& table)
{
    for (std::size_t r = 0; r < table.firstFields.size(); r++) {
        const CellKind kind = table.firstKinds[r];
        if (!isCell(kind))
            return position(table.firstFields[r].line, 1) + ": " + cellProblem(table.firstFields[r].text, kind);
    }
    return "";
}

// What the file's rows and columns are: sites and species, or the other
// way round in a table read transposed.
struct Words {
    const char* rows;
    const char* columns;
};

std::string headerPhrase(bool header, HeaderSource source, const Words& words)
{
    if (source == HeaderSource::Given)
        return header ? "header row of names (--header yes)" : "no header row (--header no)";
    if (!header)
        return std::string("no header row (--header yes reads the first row as ") + words.columns + " names)";
    if (source == HeaderSource::Numbers)
        return std::string("header row of names (--header no reads it as a ") + words.rows + ")";
    return "header row of names";
}

std::string rowNamesPhrase(const Table& table, bool names, RowNamesSource source, const Words& words)
{
    const std::string rowNames = std::string(words.rows) + " names";
    if (!names)
        return "no column of " + rowNames +
               (source == RowNamesSource::Given ? " (--row-names no)"
                                                : " (--row-names yes reads the first column as " + rowNames + ")");
    std::string phrase = "first column";
    const std::string_view columnName = firstColumnName(table);
    if (!columnName.empty())
        phrase += " \"" + printableText(columnName) + "\"";
    else if (source == RowNamesSource::Identifier)
        phrase += ", numbered 1 to " + std::to_string(table.dataRows) + ",";
    phrase += " read as " + rowNames;
    if (source == RowNamesSource::Given)
        return phrase + " (--row-names yes)";
    if (source == RowNamesSource::EmptyCorner)
        phrase += ", below an empty corner";
    if (source == RowNamesSource::ShorterHeader)
        phrase += ", the header having no field above it";
    bool cells = true;
    for (CellKind kind : table.firstKinds)
        cells = cells && isCell(kind);
    if (cells && (source == RowNamesSource::EmptyCorner || source == RowNamesSource::Identifier))
        phrase += std::string(" (--row-names no reads it as a ") + words.columns + ")";
    return phrase;
}

// The line that says what was read: the matrix's size (after transposing),
// and how the header and the first column were read.
std::string announcement(const std::string& name, const bravolin::Matrix& matrix, const Table& table,
                         HeaderSource header, bool names, RowNamesSource rowNames, bool transpose)
{
    const Words words = transpose ? Words{"species", "site"} : Words{"site", "species"};
    return "File: " + printableFileName(name) + ": " + std::to_string(matrix.rows()) +
           (matrix.rows() == 1 ? " site x " : " sites x ") + std::to_string(matrix.columns()) + " species" +
           (transpose ? ", its rows read as species; " : "; ") + headerPhrase(table.header.has_value(), header, words) +
           "; " + rowNamesPhrase(table, names, rowNames, words) + ".\n";
}

// Whether every line that is not blank is one run of two or more 0s and 1s,
// as in the matrix files the plain readers read.
bool isMatrixOfZerosAndOnes(std::string_view text)
{
    bool anyLine = false;
    for (std::size_t at = 0; at < text.size(); at++) {
        std::size_t end = at;
        while (end < text.size() && !isLineEnd(text[end]))
            end++;
        std::string_view line = text.substr(at, end - at);
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && isBlank(line.back()))
            line.remove_suffix(1);
        if (!line.empty()) {
            if (line.size() < 2 || line.find_first_not_of("01") != std::string_view::npos)
                return false;
            anyLine = true;
        }
        at = end;
    }
    return anyLine;
}

// Reads the first two rows, decides the header, and takes the rows that are
// data; the first row is kept as the header when it is one.
HeaderSource readFirstRows(TableScanner& scanner, Table& table, const TableLayout& layout, bool decimalComma)
{
    if (!scanner.startRecord())
        return layout.header ? HeaderSource::Given : HeaderSource::None;
    Record first = readSavedRecord(scanner);
    std::optional<Record> second;
    if (scanner.startRecord())
        second = readSavedRecord(scanner);
    const HeaderSource source = layout.header ? HeaderSource::Given : headerSource(first, second, decimalComma);
    const bool header = layout.header ? *layout.header : source != HeaderSource::None;
    if (header)
        table.header = std::move(first);
    else
        takeSavedRecord(table, first, decimalComma);
    if (second && table.problem.empty())
        takeSavedRecord(table, *second, decimalComma);
    return source;
}

// Reads the data rows after the first two, until a problem; returns how
// many rows there are beyond the limit, which are only counted, for the
// message.
int readOtherRows(TableScanner& scanner, Table& table, bool decimalComma)
{
    int rowsBeyondLimit = 0;
    while (table.problem.empty() && scanner.startRecord()) {
        if (table.dataRows < bravolin::kMaxMatrixSide) {
            readDataRow(scanner, table, decimalComma);
            continue;
        }
        rowsBeyondLimit++;
        scanner.readRecord([](const Field&) { return true; });
    }
    return rowsBeyondLimit;
}

}  // namespace

TableRead readTableText(std::string_view bytes, const std::string& name, const TableLayout& layout,
                        const ReaderMessages& say)
{
    if (startsAsUtf16(bytes)) {
        say(utf16TextMessage(name));
        return {TableOutcome::Skipped, {}, std::nullopt, ""};
    }
    bytes = withoutByteOrderMark(bytes);
    if (isMatrixOfZerosAndOnes(bytes)) {
        say("File: " + printableFileName(name) + " looks like a matrix of 0s and 1s; read it without --table.\n");
        return {TableOutcome::MatrixFile, {}, std::nullopt, ""};
    }
    const Delimiter delimiter = detectDelimiter(bytes);
    const bool decimalComma = delimiter == Delimiter::Semicolon || delimiter == Delimiter::Tab;
    TableScanner scanner(bytes, delimiter);
    Table table;
    table.keepAbundances = layout.abundances;
    table.decimalComma = decimalComma;
    const HeaderSource header = readFirstRows(scanner, table, layout, decimalComma);
    const int rowsBeyondLimit = readOtherRows(scanner, table, decimalComma);
    const RowNamesSource rowNames = layout.rowNames ? RowNamesSource::Given : rowNamesSource(table);
    const bool names = layout.rowNames ? *layout.rowNames : rowNames != RowNamesSource::None;
    const std::size_t headerFields = table.header ? table.header->fields.size() : 0;
    if (table.problem.empty() && table.header && table.dataRows > 0 && headerFields != table.fields &&
        (headerFields + 1 != table.fields || !names))
        table.problem = "line " + std::to_string(table.header->line) + " (the header) has " +
                        std::to_string(headerFields) + " fields, the data rows " + std::to_string(table.fields);
    if (!names) {
        // A cell of the first column comes before any problem found later.
        const std::string problem = firstFieldProblem(table);
        if (!problem.empty())
            table.problem = problem;
    }
    const int columns = static_cast<int>(table.fields) - (names ? 1 : 0);
    if (table.problem.empty() && table.dataRows == 0)
        table.problem = "the table has no data row";
    else if (table.problem.empty() && columns == 0)
        table.problem = "the table has no column of cells, only names";
    else if (table.problem.empty() && (rowsBeyondLimit > 0 || columns > bravolin::kMaxMatrixSide))
        table.problem = "the table has " + std::to_string(table.dataRows + rowsBeyondLimit) + " rows and " +
                        std::to_string(columns) + " columns of cells; at most " +
                        std::to_string(bravolin::kMaxMatrixSide) + " of each can be analysed";
    if (!table.problem.empty()) {
        reportProblem(say, name, table.problem);
        return {TableOutcome::Skipped, {}, std::nullopt, ""};
    }
    bravolin::Matrix read = matrixOfTable(table, names);
    std::optional<bravolin::AbundanceMatrix> abundances;
    if (layout.abundances) {
        abundances = abundancesOfTable(table, names, read);
        if (!abundances) {
            reportProblem(say, name, table.problem);
            return {TableOutcome::Skipped, {}, std::nullopt, ""};
        }
        if (layout.transpose)
            abundances = transposed(*abundances);
    }
    bravolin::Matrix matrix = layout.transpose ? transposed(read) : std::move(read);
    std::string said = announcement(name, matrix, table, header, names, rowNames, layout.transpose);
    return {TableOutcome::Read, std::move(matrix), std::move(abundances), std::move(said)};
}
