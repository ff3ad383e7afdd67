// Reader of matrix text files for mode T: one byte at a time straight into
// PresenceMatrix, so that a line may be of any length.
#include "input/matrix_reader.h"

#include <cstdio>
#include <cstring>

#include "common/console.h"
#include "common/shared_state.h"

namespace {

// Position in the file: cells on the current line (`col`, which also counts
// foreign characters already answered on a lost line), rows completed, the
// column count once the first row is complete, and whether the rest of the
// current line is being ignored.
struct ReaderState {
    int col;
    int row;
    int columns;
    bool skipLine;
    int cellsBeforeLoss;  // cells the lost line had stored, to discard them
};

enum class ByteOutcome { Continue, Stop, Reject };

bool isLineEnd(int c)
{
    return c == '\n' || c == '\r';
}

// Drops the cells a lost line stored before its first foreign character.
void discardLostLine(ReaderState& s)
{
    std::memset(&PresenceMatrix[s.row + 1][1], 0, static_cast<std::size_t>(s.cellsBeforeLoss));
    s.skipLine = false;
    s.cellsBeforeLoss = 0;
    s.col = 0;
}

void endLine(ReaderState& s)
{
    if (s.skipLine) {
        discardLostLine(s);
    } else if (s.col > 0) {
        if (s.columns == 0)
            s.columns = s.col;
        s.col = 0;
        s.row++;
    }
}

// Asks whether to go on after a foreign character; N ends the program.
void askToContinue(const ReaderState& s, int character)
{
    char text[2] = {static_cast<char>(character), '\0'};
    std::printf("\nFile: %s has the character:%s (not 0 or 1) in line:%d colunm:%d!\n"
                "The line will be lost! ",
                currentFileName, text, s.row + 1, s.col + 1);
    for (;;) {
        std::printf("Type 'Y' to continue or 'N' to abort!  ");
        char answer = readAnswerInitial();
        if (answer == 'Y')
            return;
        if (answer == 'N')
            endProgram();
    }
}

void takeForeignCharacter(ReaderState& s, int character)
{
    if (!s.skipLine) {
        s.skipLine = true;
        s.cellsBeforeLoss = s.col;
    }
    if (s.row == 0) {
        // Above the first row: a header line such as the species names.
        s.col = 0;
        return;
    }
    askToContinue(s, character);
    s.col++;
}

ByteOutcome takeByte(ReaderState& s, int c)
{
    if (c == ' ' || c == '\t')
        return ByteOutcome::Continue;
    if (isLineEnd(c)) {
        endLine(s);
        return ByteOutcome::Continue;
    }
    if (s.row == kMaxMatrixSide) {
        std::printf("File: %s has more than %d rows! The Matrix will be truncated!\n",
                    currentFileName, kMaxMatrixSide);
        return ByteOutcome::Stop;
    }
    if (s.col == kMaxMatrixSide && !s.skipLine) {
        std::printf("File: %s has more than %d columns! The Matrix will be truncated!\n",
                    currentFileName, kMaxMatrixSide);
        return ByteOutcome::Stop;
    }
    if (c == '0' || c == '1') {
        if (!s.skipLine)
            PresenceMatrix[s.row + 1][++s.col] = static_cast<unsigned char>(c - '0');
    } else if (c >= '2' && c <= '9') {
        if (!s.skipLine) {
            std::printf("File: %s has cel[%d][%d] = %d (not 0 or 1)\n", currentFileName,
                        s.row + 1, s.col + 1, c - '0');
            return ByteOutcome::Reject;
        }
    } else {
        takeForeignCharacter(s, c);
    }
    return ByteOutcome::Continue;
}

}  // namespace

bool readMatrixFile()
{
    std::FILE* file = std::fopen(currentFileName, "r");
    if (file == nullptr) {
        std::printf("File: %s not found...\n", currentFileName);
        return false;
    }
    ReaderState s = {0, 0, 0, false, 0};
    static unsigned char chunk[1 << 16];
    ByteOutcome outcome = ByteOutcome::Continue;
    std::size_t length;
    while (outcome == ByteOutcome::Continue && (length = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        for (std::size_t i = 0; i < length && outcome == ByteOutcome::Continue; i++)
            outcome = takeByte(s, chunk[i]);
    std::fclose(file);
    if (outcome == ByteOutcome::Reject)
        return false;

    // The last line needs no line end to count. Like any completed row it
    // fixes the column count if no row did before: a one-row file without a
    // final line end, or a first row cut at the column limit.
    endLine(s);

    rowCount = rowsRead = s.row;
    columnCount = columnsRead = s.columns;
    if (rowCount == 0) {
        std::printf("File: %s has 0 rows...\n", currentFileName);
        return false;
    }
    if (columnCount == 0) {
        std::printf("File: %s has 0 columns...\n", currentFileName);
        return false;
    }
    return true;
}
