// Reader of matrix text for mode T: one byte at a time into rows, so that a
// line may be of any length.
#include "formats/input/matrix_reader.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"
#include "formats/text/text_format.h"

namespace {

// Position in the file (see MatrixTextState): beside it, the cells on the
// current line (`col`, which also counts foreign characters already
// answered on a lost line).
struct ReaderState : MatrixTextState {
    ReaderState(const std::string& fileName, const ReaderMessages& messages, const LostLineQuestion& question)
        : MatrixTextState(fileName, messages), askToReadOn(question)
    {
    }

    const LostLineQuestion& askToReadOn;  // none: lost lines are reported, not asked about
    int col = 0;
    int lastRowLine = 0;      // the line of the last row completed
    // A scripted run reports a lost line once, when it ends: its first
    // foreign character, where that stands, and how many the line holds.
    int foreignCharacters = 0;
    int firstForeign = 0;
    int firstForeignColumn = 0;
};

enum class ByteOutcome { Continue, RowLimit, ColumnLimit, Reject, EndProgram, EndOfFileMark };

bool isLineEnd(int c)
{
    return c == '\n' || c == '\r';
}

// Drops the cells a lost line stored before its first foreign character.
void discardLostLine(ReaderState& s)
{
    s.line.clear();
    s.skipLine = false;
    s.col = 0;
}

// The report of a lost line, as the question shows it. "colunm" is the
// classic program's spelling, which scripts that read the console match.
void reportLostCharacter(const ReaderState& s, int character, int line, int column)
{
    const std::string text = printableText(std::string(1, static_cast<char>(character)));
    s.say(formatText("\nFile: %s has the character:%s (not 0 or 1) in line:%d colunm:%d!\n"
                     "The line will be lost! ",
                     s.name.c_str(), text.c_str(), line, column));
}

// A scripted run's report of the line just lost, once for the whole line.
void reportLostLine(ReaderState& s)
{
    if (s.foreignCharacters == 0)
        return;
    reportLostCharacter(s, s.firstForeign, s.row + 1, s.firstForeignColumn);
    if (s.foreignCharacters == 1)
        s.say("It has 1 character that is not 0 or 1.\n");
    else
        s.say(formatText("It has %d characters that are not 0 or 1.\n", s.foreignCharacters));
    s.foreignCharacters = 0;
}

void endLine(ReaderState& s)
{
    reportLostLine(s);
    if (s.skipLine) {
        discardLostLine(s);
    } else if (s.col > 0) {
        if (s.columns == 0)
            s.columns = s.col;
        if (s.col > s.columns)
            s.cutRows.note(s.lines.line());
        s.rows.push_back(std::move(s.line));
        s.line.clear();
        s.col = 0;
        s.row++;
        s.lastRowLine = s.lines.line();
    }
}

// Asks whether to go on after a foreign character; false ends the program.
bool askToContinue(const ReaderState& s, int character)
{
    reportLostCharacter(s, character, s.row + 1, s.col + 1);
    return s.askToReadOn();
}

ByteOutcome takeForeignCharacter(ReaderState& s, int character)
{
    if (!s.skipLine) {
        s.skipLine = true;
        if (s.row > 0)
            s.lostLines++;
    }
    if (s.row == 0) {
        // Above the first row: a header line such as the species names.
        s.col = 0;
        return ByteOutcome::Continue;
    }
    // Without a question the line is lost and reading goes on.
    if (!s.askToReadOn) {
        if (s.foreignCharacters++ == 0) {
            s.firstForeign = character;
            s.firstForeignColumn = s.col + 1;
        }
    } else if (!askToContinue(s, character)) {
        return ByteOutcome::EndProgram;
    }
    s.col++;
    return ByteOutcome::Continue;
}

ByteOutcome takeByte(ReaderState& s, int c)
{
    if (isLineEnd(c)) {
        endLine(s);
        s.lines.take(c);
        return ByteOutcome::Continue;
    }
    s.lines.take(c);
    if (c == ' ' || c == '\t')
        return ByteOutcome::Continue;
    if (c == kEndOfFileMark)
        return ByteOutcome::EndOfFileMark;
    if (s.row == bravolin::kMaxMatrixSide) {
        s.say(formatText("File: %s has more than %d rows! The Matrix will be truncated!\n", s.name.c_str(),
                         bravolin::kMaxMatrixSide));
        return ByteOutcome::RowLimit;
    }
    if (s.col == bravolin::kMaxMatrixSide && !s.skipLine) {
        s.say(formatText("File: %s has more than %d columns! The Matrix will be truncated!\n", s.name.c_str(),
                         bravolin::kMaxMatrixSide));
        return ByteOutcome::ColumnLimit;
    }
    if (c == '0' || c == '1') {
        if (!s.skipLine) {
            s.line.push_back(static_cast<std::uint8_t>(c - '0'));
            s.col++;
        }
    } else if (c >= '2' && c <= '9') {
        if (!s.skipLine) {
            s.say(formatText("File: %s has cel[%d][%d] = %d (not 0 or 1)\n", s.name.c_str(), s.row + 1,
                             s.col + 1, c - '0'));
            if (!s.askToReadOn)
                s.say("File: " + s.name +
                      ": to read numbers above 1, such as abundances, as presences, use --table.\n");
            return ByteOutcome::Reject;
        }
    } else {
        return takeForeignCharacter(s, c);
    }
    return ByteOutcome::Continue;
}

// After the reading stopped at a limit: says what was left unread of rest,
// the text from the byte it stopped at (the rest of the line it stopped
// on, and the rows after it). Returns whether anything was.
bool reportUnreadBeyondLimit(const ReaderState& s, ByteOutcome limit, std::string_view rest)
{
    const UnreadText unread = unreadText(rest);
    const char* name = s.name.c_str();
    if (limit == ByteOutcome::RowLimit) {
        const int rows = unread.rowsAfter + (unread.cellsOnLine > 0 ? 1 : 0);
        if (rows > 0)
            s.say(formatText("File: %s: %s, so the reading stopped after line %d, and the %s after it %s not read.\n",
                             name, limitRule().c_str(), s.lastRowLine, countOf(rows, "row").c_str(),
                             rows == 1 ? "is" : "are"));
        return rows > 0;
    }
    const int line = s.lines.line();
    std::string notRead;
    if (unread.cellsOnLine > 0)
        notRead = "its last " + countAfterDeterminer(unread.cellsOnLine, "cell");
    if (unread.rowsAfter > 0)
        notRead += (notRead.empty() ? "the " : " and the ") + countAfterDeterminer(unread.rowsAfter, "row") + " after it";
    if (notRead.empty())
        return false;
    notRead += unread.cellsOnLine + unread.rowsAfter == 1 ? " is" : " are";
    const std::string cellCount =
        unread.cellsOnLine > 0 ? formatText("line %d has %d cells; ", line, bravolin::kMaxMatrixSide + unread.cellsOnLine)
                               : std::string();
    s.say(formatText("File: %s: %s%s, so the reading stopped at column %d of line %d, and %s not read.\n", name,
                     cellCount.c_str(), limitRule().c_str(), bravolin::kMaxMatrixSide, line, notRead.c_str()));
    return true;
}

}  // namespace

MatrixRead readMatrixText(std::string_view bytes, const std::string& name, const ReaderMessages& say,
                          const LostLineQuestion& askToReadOn)
{
    bytes = withoutByteOrderMark(bytes);
    ReaderState s(name, say, askToReadOn);
    std::size_t at = 0;
    const ByteOutcome outcome = takeBytes<ByteOutcome>(bytes, at, s, [&s](int c) { return takeByte(s, c); });
    if (outcome == ByteOutcome::Reject)
        return {ReadOutcome::Skipped, s.lostLines, {}, ReadProblem::NotZeroOrOne};
    if (outcome == ByteOutcome::EndProgram)
        return {ReadOutcome::EndProgram, s.lostLines, {}};
    // A file beyond the limit counts once as having lost lines.
    const bool beyondLimit = (outcome == ByteOutcome::RowLimit || outcome == ByteOutcome::ColumnLimit) &&
                             reportUnreadBeyondLimit(s, outcome, bytes.substr(at - 1));

    // The last line needs no line end to count. Like any completed row it
    // fixes the column count if no row did before: a one-row file without a
    // final line end, or a first row cut at the column limit.
    endLine(s);

    if (s.row == 0) {
        say("File: " + s.name + " has 0 rows...\n");
        return {ReadOutcome::Skipped, s.lostLines, {}, ReadProblem::NoRow};
    }
    if (s.columns == 0) {
        say("File: " + s.name + " has 0 columns...\n");
        return {ReadOutcome::Skipped, s.lostLines, {}};
    }
    s.cutRows.report(say, s.name, s.columns);
    return {ReadOutcome::Read, s.lostLines + s.cutRows.count() + (beyondLimit ? 1 : 0),
            matrixOfRows(s.rows, s.columns)};
}
