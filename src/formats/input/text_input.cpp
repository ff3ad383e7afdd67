// The byte order marks, line counts, limits and messages of the readers.
#include "formats/input/text_input.h"

#include <algorithm>
#include <utility>

#include "formats/text/text_encoding.h"
#include "formats/text/text_format.h"

std::string_view withoutByteOrderMark(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

bool startsAsUtf16(std::string_view text)
{
    const std::string_view start = text.substr(0, 2);
    return start == "\xFF\xFE" || start == "\xFE\xFF";
}

std::string utf16TextMessage(const std::string& name)
{
    return formatText("File: %s is UTF-16 text; save it as UTF-8 or CSV.\n", printableFileName(name).c_str());
}

void CutRows::report(const ReaderMessages& say, const std::string& name, int columns) const
{
    if (count_ == 1)
        say(formatText("File: %s: line %d has more cells than the first row; the cells after column %d are not "
                       "read.\n",
                       name.c_str(), firstLine_, columns));
    else if (count_ > 1)
        say(formatText("File: %s: line %d and %d more lines have more cells than the first row; the cells after "
                       "column %d are not read.\n",
                       name.c_str(), firstLine_, count_ - 1, columns));
}

MatrixTextState::MatrixTextState(const std::string& fileName, const ReaderMessages& messages)
    : name(printableFileName(fileName)), say(messages)
{
}

std::string limitRule()
{
    return formatText("the program reads at most %d rows and %d columns", bravolin::kMaxMatrixSide,
                      bravolin::kMaxMatrixSide);
}

std::string countOf(int count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string countAfterDeterminer(int count, const char* noun)
{
    return count == 1 ? std::string(noun) : countOf(count, noun);
}

UnreadText unreadText(std::string_view rest)
{
    UnreadText unread;
    bool firstLine = true;
    bool lineHasCell = false;
    for (char c : rest) {
        if (c == kEndOfFileMark)
            break;
        if (c == '\n' || c == '\r') {
            if (!firstLine && lineHasCell)
                unread.rowsAfter++;
            firstLine = false;
            lineHasCell = false;
        } else if (c == '0' || c == '1') {
            lineHasCell = true;
            if (firstLine)
                unread.cellsOnLine++;
        }
    }
    if (!firstLine && lineHasCell)
        unread.rowsAfter++;
    return unread;
}

void reportTextAfterEndOfFileMark(const ReaderMessages& say, std::string_view rest, const std::string& name)
{
    for (char c : rest) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            say("File: " + name + " ends at a Ctrl-Z byte; the rest of it is not read.\n");
            return;
        }
    }
}

bravolin::Matrix matrixOfRows(const std::vector<std::vector<std::uint8_t>>& rows, int columns)
{
    const std::size_t width = static_cast<std::size_t>(columns);
    std::vector<std::uint8_t> cells(rows.size() * width, 0);
    for (std::size_t r = 0; r < rows.size(); r++) {
        const std::vector<std::uint8_t>& row = rows[r];
        std::copy(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(std::min(row.size(), width)),
                  cells.begin() + static_cast<std::ptrdiff_t>(r * width));
    }
    return bravolin::Matrix(static_cast<int>(rows.size()), columns, std::move(cells));
}
