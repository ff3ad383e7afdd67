// Reader of matrix text files for mode N: one byte at a time straight into
// nodfReadMatrix.
#include "nodf/nodf_reader.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
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
};

void storeCell(ReaderState& s, int value)
{
    if (s.skipLine)
        return;
    if (s.column == kMaxMatrixSide) {
        if (!s.truncationReported)
            std::printf("File: %s has more than %d columns! The Matrix will be truncated!\n",
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

void endRowLimitReached()
{
    std::printf("File %s has more than 1000 lines!!!\n", currentFileName);
    readWord(answerBuffer, sizeof answerBuffer);
    endProgram();
}

void endLine(ReaderState& s)
{
    if (s.skipLine) {
        discardLostLine(s);
        return;
    }
    if (s.columns == 0)
        s.columns = s.column;
    if (s.column == 0)
        return;  // a blank line between rows
    s.column = 0;
    s.row++;
    if (s.row == kTableSide)
        endRowLimitReached();
}

void takeByte(ReaderState& s, unsigned char c)
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
        endLine(s);
        break;
    default:
        s.skipLine = true;
        break;
    }
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

bool readNodfMatrix()
{
    std::FILE* file = std::fopen(currentFileName, "r");
    if (file == nullptr)
        return false;
    ReaderState s = {0, 0, 0, false, false};
    static unsigned char chunk[1 << 16];
    std::size_t length;
    while ((length = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        for (std::size_t i = 0; i < length; i++)
            takeByte(s, chunk[i]);
    std::fclose(file);
    rowCount = rowsAtEndOfFile(s);
    columnCount = s.columns;
    return true;
}
