// Fuzzes the reader of field tables: every input is read as a table, as it
// stands and transposed, and with each --header and --row-names, and the
// result is compared with a plain model of the table rules: the refused
// files, the delimiter, quoting, the header, the row names, the cell values
// and the size limit.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "formats/input/table_reader.h"
#include "fuzz_support.h"

namespace {

struct ModelRecord {
    std::vector<std::string> fields;
    std::vector<bool> quoted;
};

bool endsLine(char c)
{
    return c == '\n' || c == '\r';
}

// The delimiter character, or ' ' for runs of blanks: a tab, semicolon or
// comma outside quotes in the first two lines with text decides.
char modelDelimiter(std::string_view t)
{
    bool tab = false, semicolon = false, comma = false, quoted = false, text = false;
    int lines = 0;
    for (std::size_t i = 0; i < t.size(); i++) {
        const char c = t[i];
        if (lines == 2)
            break;
        if (quoted && c == '\\' && i + 1 < t.size() && t[i + 1] == '"') {
            i++;
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && endsLine(c)) {
            if (text)
                lines++;
            text = false;
            continue;
        }
        if (c != ' ' && c != '\t')
            text = true;
        if (!quoted && c != '"') {
            tab |= c == '\t';
            semicolon |= c == ';';
            comma |= c == ',';
        }
    }
    return tab ? '\t' : semicolon ? ';' : comma ? ',' : ' ';
}

// The records of the text as a character-by-character walk.
std::vector<ModelRecord> modelRecords(std::string_view t, char delimiter)
{
    std::vector<ModelRecord> records;
    const std::size_t n = t.size();
    std::size_t i = 0;
    auto passLineEnd = [&]() { i += (t[i] == '\r' && i + 1 < n && t[i + 1] == '\n') ? 2 : 1; };
    while (i < n) {
        std::size_t k = i;
        while (k < n && (t[k] == ' ' || t[k] == '\t'))
            k++;
        if (k == n)
            break;
        if (endsLine(t[k])) {
            i = k;
            passLineEnd();
            continue;
        }
        bool lineHasTab = false;
        for (std::size_t e = i; e < n && !endsLine(t[e]); e++)
            lineHasTab |= t[e] == '\t';
        const bool blanks = delimiter == ' ' || (delimiter == '\t' && !lineHasTab);
        auto isSpace = [&](char c) { return c == ' ' || (blanks && c == '\t'); };
        ModelRecord record;
        for (;;) {
            while (i < n && isSpace(t[i]))
                i++;
            std::string field;
            const bool quoted = i < n && t[i] == '"';
            if (quoted) {
                for (i++; i < n; i++) {
                    if ((t[i] == '\\' || t[i] == '"') && i + 1 < n && t[i + 1] == '"') {
                        field += '"';
                        i++;
                    } else if (t[i] != '"') {
                        field += t[i];
                    } else {
                        i++;
                        break;
                    }
                }
                while (!blanks && i < n && t[i] == ' ')
                    i++;
            }
            std::string rest;
            while (i < n && !endsLine(t[i]) && !(blanks ? isSpace(t[i]) : t[i] == delimiter))
                rest += t[i++];
            while (!rest.empty() && rest.back() == ' ')
                rest.pop_back();
            record.fields.push_back(field + rest);
            record.quoted.push_back(quoted);
            while (blanks && i < n && (t[i] == ' ' || t[i] == '\t'))
                i++;
            if (i == n)
                break;
            if (endsLine(t[i])) {
                passLineEnd();
                break;
            }
            if (!blanks)
                i++;
        }
        records.push_back(record);
    }
    return records;
}

enum class ModelCell { Presence, Absence, OtherNumber, NotANumber };

// A cell value through strtod, on the characters C notation allows.
ModelCell modelCell(std::string text, bool decimalComma)
{
    if (text.size() == 4 || text.size() == 5) {
        std::string lower = text;
        for (char& c : lower)
            c = static_cast<char>(c | 0x20);
        if (lower == "true")
            return ModelCell::Presence;
        if (lower == "false")
            return ModelCell::Absence;
    }
    if (text.empty() || text.find_first_not_of(decimalComma ? "0123456789+-.eE," : "0123456789+-.eE") !=
                            std::string::npos)
        return ModelCell::NotANumber;
    for (char& c : text)
        if (c == ',')
            c = '.';
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return ModelCell::NotANumber;
    // Out of range: the sign alone says whether it is above 0.
    if (errno == ERANGE)
        return text[0] == '-' ? ModelCell::OtherNumber : ModelCell::Presence;
    return value > 0 ? ModelCell::Presence : value == 0 ? ModelCell::Absence : ModelCell::OtherNumber;
}

bool isCell(ModelCell kind)
{
    return kind == ModelCell::Presence || kind == ModelCell::Absence;
}

struct ModelTable {
    bool read = false;
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<std::string> rowNames, columnNames;
};

// What the command line may say: nothing, yes or no.
struct ModelLayout {
    std::optional<bool> header, rowNames;
};

bool isZeroOneLine(std::string line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    const std::size_t start = line.find_first_not_of(" \t");
    line = start == std::string::npos ? "" : line.substr(start);
    return line.size() >= 2 && line.find_first_not_of("01") == std::string::npos;
}

// Every line with text a run of 0s and 1s, split at LF and CR.
bool modelZeroOneMatrix(std::string_view t)
{
    bool any = false;
    std::string line;
    for (std::size_t i = 0; i <= t.size(); i++) {
        if (i < t.size() && !endsLine(t[i])) {
            line += t[i];
            continue;
        }
        if (line.find_first_not_of(" \t") != std::string::npos) {
            if (!isZeroOneLine(line))
                return false;
            any = true;
        }
        line.clear();
    }
    return any;
}

bool allDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool modelNamesIdentifiers(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string word :
         {"plot", "site", "id", "sample", "station", "island", "quadrat", "transect", "locality", "name"})
        if (name.rfind(word, 0) == 0) {
            const std::string rest = name.substr(word.size());
            if (rest.empty() || rest == "s" || rest == "_id" || allDigits(rest))
                return true;
        }
    return false;
}

// Integers as numbers (through strtoull where they fit), all different, not
// all 0 and 1, numbered 1..m or under a name of identifiers.
bool modelIdentifiers(const std::vector<ModelRecord>& data, const std::string& columnName)
{
    std::set<std::string> values;
    bool numbered = true, presences = true;
    for (std::size_t r = 0; r < data.size(); r++) {
        const std::string& text = data[r].fields[0];
        if (!allDigits(text))
            return false;
        const std::string value = text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
        if (!values.insert(value).second)
            return false;
        numbered = numbered && value.size() <= 6 && std::strtoull(value.c_str(), nullptr, 10) == r + 1;
        presences = presences && (value == "0" || value == "1");
    }
    return !presences && (numbered || modelNamesIdentifiers(columnName));
}

ModelTable modelTable(std::string_view text, const ModelLayout& layout)
{
    ModelTable table;
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (modelZeroOneMatrix(text))
        return table;
    const char delimiter = modelDelimiter(text);
    const bool decimalComma = delimiter == ';' || delimiter == '\t';
    std::vector<ModelRecord> data = modelRecords(text, delimiter);
    if (data.empty())
        return table;
    bool hasHeader = false;
    const ModelRecord& top = data[0];
    for (std::size_t f = 1; f < top.fields.size(); f++)
        if (modelCell(top.fields[f], decimalComma) == ModelCell::NotANumber)
            hasHeader = true;
    if (top.fields[0].empty())
        hasHeader = true;
    if (data.size() > 1 && top.fields.size() + 1 == data[1].fields.size())
        hasHeader = true;
    if (data.size() > 1) {
        bool quotedNames = true, quotedCells = false;
        for (bool quoted : top.quoted)
            quotedNames = quotedNames && quoted;
        for (std::size_t f = 1; f < data[1].quoted.size(); f++)
            quotedCells = quotedCells || data[1].quoted[f];
        hasHeader = hasHeader || (quotedNames && !quotedCells);
    }
    hasHeader = layout.header.value_or(hasHeader);
    ModelRecord header;
    if (hasHeader) {
        header = data[0];
        data.erase(data.begin());
    }
    if (data.empty() || data.size() > 3000)
        return table;
    const std::size_t fields = data[0].fields.size();
    bool firstIsNumber = false;
    for (const ModelRecord& record : data) {
        if (record.fields.size() != fields)
            return table;
        firstIsNumber |= modelCell(record.fields[0], decimalComma) != ModelCell::NotANumber;
    }
    const bool shorter = hasHeader && header.fields.size() + 1 == fields;
    const std::string columnName = hasHeader && header.fields.size() == fields ? header.fields[0] : "";
    const bool names = layout.rowNames.value_or(shorter || (hasHeader && header.fields[0].empty()) ||
                                                !firstIsNumber || modelIdentifiers(data, columnName));
    if (hasHeader && header.fields.size() != fields && !(shorter && names))
        return table;
    const std::size_t first = names ? 1 : 0;
    if (fields - first == 0 || fields - first > 3000)
        return table;
    for (const ModelRecord& record : data) {
        std::vector<std::uint8_t> row;
        for (std::size_t f = first; f < fields; f++) {
            const ModelCell kind = modelCell(record.fields[f], decimalComma);
            if (!isCell(kind))
                return table;
            row.push_back(kind == ModelCell::Presence ? 1 : 0);
        }
        table.rows.push_back(row);
        if (names)
            table.rowNames.push_back(record.fields[0]);
    }
    if (hasHeader)
        table.columnNames.assign(header.fields.begin() + (header.fields.size() == fields ? first : 0),
                                 header.fields.end());
    table.read = true;
    return table;
}

void check(std::string_view text, const TableLayout& layout)
{
    const ModelTable model = modelTable(text, {layout.header, layout.rowNames});
    std::vector<std::string> said;
    const TableRead read = readTableText(text, "fuzz.csv", layout, gatherInto(said));
    if ((read.outcome == TableOutcome::Read) != model.read)
        fuzzFailure("outcome differs from the model");
    if (!model.read) {
        if (said.size() != 1 || said[0].empty() || said[0].find('\n') != said[0].size() - 1)
            fuzzFailure("a refused table is not said why in one line");
        return;
    }
    if (read.announcement.empty() || read.announcement.back() != '\n' ||
        read.announcement.find('\n') != read.announcement.size() - 1)
        fuzzFailure("the announcement is not one line");
    const bool transpose = layout.transpose;
    const bravolin::Matrix& matrix = read.matrix;
    const int rows = static_cast<int>(model.rows.size());
    const int columns = static_cast<int>(model.rows[0].size());
    if (matrix.rows() != (transpose ? columns : rows) || matrix.columns() != (transpose ? rows : columns))
        fuzzFailure("size differs from the model");
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            if ((transpose ? matrix.at(c, r) : matrix.at(r, c)) != model.rows[r][c])
                fuzzFailure("a cell differs from the model");
    if ((transpose ? matrix.columnNames() : matrix.rowNames()) != model.rowNames ||
        (transpose ? matrix.rowNames() : matrix.columnNames()) != model.columnNames)
        fuzzFailure("names differ from the model");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<bool> choices[] = {std::nullopt, true, false};
    for (const std::optional<bool>& header : choices)
        for (const std::optional<bool>& rowNames : choices)
            check(text, {header, rowNames, false});
    check(text, {std::nullopt, std::nullopt, true});
    return 0;
}
