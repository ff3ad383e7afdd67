// Reader of matrix text for mode N: one byte at a time into rows.
#include "formats/input/nodf_reader.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"
#include "formats/text/text_format.h"

namespace {

// Position in the file (see MatrixTextState): beside it, the cells stored
// on the current line, whether the column limit has been reported, and
// the numbers of the first lines lost.
struct ReaderState : MatrixTextState {
    using MatrixTextState::MatrixTextState;

    int column = 0;
    bool truncationReported = false;
    std::vector<int> lostLineNumbers;  // the first few
    // Cells beyond the column limit: on the current line, and on the rows
    // completed, with the first such row and its cells.
    int cellsBeyondLimitOnLine = 0;
    int rowsBeyondLimit = 0;
    int cellsBeyondLimit = 0;
    int firstLineBeyondLimit = 0;
    int firstCellsBeyondLimit = 0;
};

// Lost lines named one by one; the rest are counted.
constexpr std::size_t kLostLinesNamed = 3;

// Mode N's reader reads one row beyond the program's limit, and stops when
// a line end completes it.
constexpr int kRowsReadAtMost = bravolin::kMaxMatrixSide + 1;

void storeCell(ReaderState& s, int value)
{
    if (s.skipLine)
        return;
    if (s.column == bravolin::kMaxMatrixSide) {
        if (!s.truncationReported)
            s.say(formatText("File: %s has more than %d columns! The Matrix will be truncated!\n", s.name.c_str(),
                             bravolin::kMaxMatrixSide));
        s.truncationReported = true;
        s.cellsBeyondLimitOnLine++;
        return;
    }
    s.line.push_back(static_cast<std::uint8_t>(value));
    s.column++;
}

// A lost line leaves nothing behind: the next line fills the same row.
void discardLostLine(ReaderState& s)
{
    s.line.clear();
    s.column = 0;
    s.skipLine = false;
    s.cellsBeyondLimitOnLine = 0;
}

// Keeps the current line as a row, counting the cells it had beyond the
// column limit.
void keepRow(ReaderState& s)
{
    if (s.cellsBeyondLimitOnLine > 0 && s.rowsBeyondLimit++ == 0) {
        s.firstLineBeyondLimit = s.lines.line();
        s.firstCellsBeyondLimit = s.cellsBeyondLimitOnLine;
    }
    s.cellsBeyondLimit += s.cellsBeyondLimitOnLine;
    s.cellsBeyondLimitOnLine = 0;
    s.rows.push_back(std::move(s.line));
    s.line.clear();
    s.column = 0;
    s.row++;
}

// Returns false when the line completed a row beyond the row limit.
bool endLine(ReaderState& s)
{
    if (s.skipLine) {
        discardLostLine(s);
        return true;
    }
    if (s.columns == 0)
        s.columns = s.column;
    if (s.column == 0)
        return true;  // a blank line between rows
    if (s.column > s.columns)
        s.cutRows.note(s.lines.line());
    keepRow(s);
    return s.row < kRowsReadAtMost;
}

void loseLine(ReaderState& s)
{
    if (!s.skipLine && s.row > 0 && ++s.lostLines <= static_cast<int>(kLostLinesNamed))
        s.lostLineNumbers.push_back(s.lines.line());
    s.skipLine = true;
}

// The cells of the rows read beyond the column limit, said once for the
// file.
void reportCellsBeyondLimit(const ReaderState& s)
{
    const int limit = bravolin::kMaxMatrixSide;
    if (s.rowsBeyondLimit == 1)
        s.say(formatText("File: %s: line %d has %d cells; %s, so its last %s not read.\n", s.name.c_str(),
                         s.firstLineBeyondLimit, limit + s.firstCellsBeyondLimit, limitRule().c_str(),
                         (countAfterDeterminer(s.cellsBeyondLimit, "cell") + (s.cellsBeyondLimit == 1 ? " is" : " are")).c_str()));
    else if (s.rowsBeyondLimit > 1)
        s.say(formatText("File: %s: line %d and %d more lines have more than %d cells; %s, so their %s after column "
                         "%d are not read.\n",
                         s.name.c_str(), s.firstLineBeyondLimit, s.rowsBeyondLimit - 1, limit, limitRule().c_str(),
                         countOf(s.cellsBeyondLimit, "cell").c_str(), limit));
}

// What the reader dropped, said once the file is read: the lines below the
// first row that are not rows (the first few by number), the rows cut to
// the width of the first or at the column limit, and a single row without
// a line end, which gives no column.
void reportDroppedCells(const ReaderState& s)
{
    for (int line : s.lostLineNumbers)
        s.say(formatText("File: %s: line %d is not a row of 0s and 1s and is not read.\n", s.name.c_str(), line));
    if (s.lostLines > static_cast<int>(kLostLinesNamed))
        s.say(formatText("File: %s: and %d more lines are not rows of 0s and 1s and are not read.\n",
                         s.name.c_str(), s.lostLines - static_cast<int>(kLostLinesNamed)));
    s.cutRows.report(s.say, s.name, s.columns);
    reportCellsBeyondLimit(s);
    if (s.columns == 0 && !s.rows.empty() && !s.rows[0].empty())
        s.say(formatText("File: %s: line %d has no line end, so its cells are not read.\n", s.name.c_str(),
                         s.lines.line()));
}

enum class ByteOutcome { Continue, RowLimit, EndOfFileMark };

ByteOutcome takeByte(ReaderState& s, int c)
{
    if (c != '\n' && c != '\r')
        s.lines.take(c);
    switch (c) {
    case '0':
    case '1':
        storeCell(s, c - '0');
        break;
    case ' ':
    case '\t':
        break;
    case '\n':
    case '\r':
        if (!endLine(s))
            return ByteOutcome::RowLimit;
        s.lines.take(c);
        break;
    case kEndOfFileMark:
        return ByteOutcome::EndOfFileMark;
    default:
        loseLine(s);
        break;
    }
    return ByteOutcome::Continue;
}

// The last line counts without a line end, but unlike a line closed by its
// line end it never sets the column count. A row beyond the limit counts as
// too many, whether a line end completes it or the file ends.
bool endFile(ReaderState& s)
{
    if (s.skipLine)
        discardLostLine(s);
    if (s.column == 0)
        return true;
    if (s.columns > 0 && s.column > s.columns)
        s.cutRows.note(s.lines.line());
    keepRow(s);
    return s.row < kRowsReadAtMost;
}

}  // namespace

NodfRead readNodfText(std::string_view bytes, const std::string& name, const ReaderMessages& say)
{
    bytes = withoutByteOrderMark(bytes);
    ReaderState s(name, say);
    std::size_t at = 0;
    const ByteOutcome outcome = takeBytes<ByteOutcome>(bytes, at, s, [&s](int c) { return takeByte(s, c); });
    if (outcome == ByteOutcome::RowLimit || !endFile(s)) {
        // The classic program's words, whatever the limit: scripts that read
        // the console match them.
        say("File " + s.name + " has more than 1000 lines!!!\n");
        return {NodfReadOutcome::TooManyRows, s.lostLines, {}};
    }
    reportDroppedCells(s);
    const bool cellsDropped = s.cutRows.count() > 0 || s.rowsBeyondLimit > 0 || (s.columns == 0 && !s.rows.empty());
    return {NodfReadOutcome::Read, s.lostLines + (cellsDropped ? 1 : 0), matrixOfRows(s.rows, s.columns)};
}
