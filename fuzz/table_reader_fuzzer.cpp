// Fuzzes the reader of field tables: every input is read as a table, as it
// stands and transposed, and the result is compared with a plain model of
// the table rules: the delimiter, quoting, the header, the row names, the
// cell values and the size limit.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/input/table_reader.h"
#include "fuzz_support.h"

namespace {

struct ModelRecord {
    std::vector<std::string> fields;
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
    for (char c : t) {
        if (lines == 2)
            break;
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
            if (i < n && t[i] == '"') {
                for (i++; i < n; i++) {
                    if (t[i] != '"') {
                        field += t[i];
                    } else if (i + 1 < n && t[i + 1] == '"') {
                        field += '"';
                        i++;
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

ModelTable modelTable(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const char delimiter = modelDelimiter(text);
    const bool decimalComma = delimiter == ';' || delimiter == '\t';
    std::vector<ModelRecord> data = modelRecords(text, delimiter);
    ModelTable table;
    bool hasHeader = false;
    ModelRecord header;
    if (!data.empty())
        for (std::size_t f = 1; f < data[0].fields.size(); f++)
            if (modelCell(data[0].fields[f], decimalComma) == ModelCell::NotANumber)
                hasHeader = true;
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
    if (hasHeader && header.fields.size() != fields && header.fields.size() + 1 != fields)
        return table;
    const bool names = (hasHeader && (header.fields.size() + 1 == fields || header.fields[0].empty())) ||
                       !firstIsNumber;
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

void check(std::string_view text, bool transpose)
{
    const ModelTable model = modelTable(text);
    const TableRead read = readTableText(text, "fuzz.csv", transpose);
    if ((read.outcome == TableOutcome::Read) != model.read)
        fuzzFailure("outcome differs from the model");
    if (!model.read)
        return;
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

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(text, false);
    check(text, true);
    return 0;
}
