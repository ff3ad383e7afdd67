// A plain RFC 4180 reader for the tests.
#include "support/csv.h"

namespace {

// The records of text: fields split at commas, quotes undone.
std::vector<std::vector<std::string>> csvRecords(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); at++) {
        const char c = text[at];
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"')
                field += text[++at];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return records;
}

}  // namespace

std::vector<std::map<std::string, std::string>> csvRows(const std::string& text)
{
    const std::vector<std::vector<std::string>> records = csvRecords(text);
    std::vector<std::map<std::string, std::string>> rows;
    for (std::size_t r = 1; r < records.size(); r++) {
        std::map<std::string, std::string> row;
        for (std::size_t f = 0; f < records[0].size() && f < records[r].size(); f++)
            row[records[0][f]] = records[r][f];
        rows.push_back(row);
    }
    return rows;
}

std::string withoutDateField(const std::string& line)
{
    const std::size_t last = line.rfind(',');
    return line.substr(0, line.rfind(',', last - 1)) + line.substr(last);
}
