// Reader of matrix text files for mode N: one byte at a time straight into
// nodfReadMatrix.
#include "nodf/nodf_reader.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/input_file.h"
#include "common/shared_state.h"

namespace {

// Position in the file: cells stored on the current line, rows completed,
// the column count (0 until the first row is complete), whether the current
// line is lost, and whether the column limit has been reported.
struct ReaderState {
    int column;
    int row;
    int columns;
    bool skipLine;
    bool truncationReported;
    int lostLines;
};

void storeCell(ReaderState& s, int value)
{
    if (s.skipLine)
        return;
    if (s.column == kMaxMatrixSide) {
        if (!s.truncationReported)
            consolePrintf("File: %s has more than %d columns! The Matrix will be truncated!\n",
                        currentFileName, kMaxMatrixSide);
        s.truncationReported = true;
        return;
    }
    nodfReadMatrix[s.row][s.column++] = static_cast<unsigned char>(value);
}

// A lost line leaves nothing behind: the next line fills the same row.
void discardLostLine(ReaderState& s)
{
    std::memset(nodfReadMatrix[s.row], 0, static_cast<std::size_t>(s.column));
    s.column = 0;
    s.skipLine = false;
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
    s.column = 0;
    s.row++;
    return s.row < kTableSide;
}

void loseLine(ReaderState& s)
{
    if (!s.skipLine && s.row > 0)
        s.lostLines++;
    s.skipLine = true;
}

enum class ByteOutcome { Continue, RowLimit, EndOfFileMark };

ByteOutcome takeByte(ReaderState& s, int c)
{
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
// line end it never sets the column count.
int rowsAtEndOfFile(ReaderState& s)
{
    if (s.skipLine)
        discardLostLine(s);
    return s.column > 0 ? s.row + 1 : s.row;
}

}  // namespace

NodfReadResult readNodfMatrix()
{
    InputFile file(currentFileName);
    if (!file.isOpen())
        return {NodfReadOutcome::CannotOpen, 0};
    ReaderState s = {0, 0, 0, false, false, 0};
    ByteOutcome outcome = ByteOutcome::Continue;
    for (int c; outcome == ByteOutcome::Continue && (c = file.next()) != EOF;)
        outcome = takeByte(s, c);
    if (outcome == ByteOutcome::RowLimit) {
        consolePrintf("File %s has more than 1000 lines!!!\n", currentFileName);
        return {NodfReadOutcome::TooManyRows, s.lostLines};
    }
    if (outcome == ByteOutcome::EndOfFileMark)
        reportTextAfterEndOfFileMark(file, currentFileName);
    rowCount = rowsAtEndOfFile(s);
    columnCount = s.columns;
    return {NodfReadOutcome::Read, s.lostLines};
}
