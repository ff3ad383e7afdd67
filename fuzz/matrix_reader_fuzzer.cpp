// Fuzzes the matrix reader of mode T: every input is read as a matrix file,
// as a script reads it (lost lines answered yes on their own) and as a user
// who answers N at one of the questions, and the result is compared with a
// plain model of the file format's rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "fuzz_support.h"
#include "input/matrix_reader.h"

namespace {

struct Expected {
    ReadOutcome outcome;
    std::vector<std::string> rows;
    int columns;
    int lostLines;
    int rowsTouched;     // rows of PresenceMatrix the reader may have written
    int columnsTouched;  // and columns
};

// The rules of the format, line by line: blanks and tabs are nothing, LF and
// CR end a line, 0 and 1 are cells, 2 to 9 reject the file unless their
// line is already lost, any other byte loses its line (with a question
// below the first row), Ctrl-Z ends the file, and reading stops at the
// 3001st row or at a row's 3001st cell.
Expected model(const std::uint8_t* data, std::size_t size, int answerNoAt)
{
    Expected e{ReadOutcome::Read, {}, 0, 0, 1, 1};
    std::string line;
    bool lost = false;
    int questions = 0;
    auto endLine = [&]() {
        if (lost) {
            lost = false;
        } else if (!line.empty()) {
            e.rows.push_back(line);
            if (e.columns == 0)
                e.columns = static_cast<int>(line.size());
        }
        line.clear();
    };
    for (std::size_t i = 0; i < size && data[i] != 0x1A; i++) {
        const int c = data[i];
        e.rowsTouched = static_cast<int>(e.rows.size()) + 1;
        if (c == ' ' || c == '\t')
            continue;
        if (c == '\n' || c == '\r') {
            endLine();
            continue;
        }
        if (e.rows.size() == 3000 || (line.size() == 3000 && !lost))
            break;
        if (c == '0' || c == '1') {
            if (!lost) {
                line += static_cast<char>(c);
                e.columnsTouched = std::max(e.columnsTouched, static_cast<int>(line.size()) + 1);
            }
        } else if (c >= '2' && c <= '9') {
            if (!lost) {
                e.outcome = ReadOutcome::Skipped;
                return e;
            }
        } else {
            if (!lost && !e.rows.empty())
                e.lostLines++;
            lost = true;
            if (!e.rows.empty() && ++questions == answerNoAt) {
                e.outcome = ReadOutcome::EndProgram;
                return e;
            }
        }
    }
    endLine();
    if (e.rows.empty() || e.columns == 0)
        e.outcome = ReadOutcome::Skipped;
    return e;
}

// Answers Y to every question but the noAt-th, which it answers N.
class CountedAnswers : public AnswerSource {
public:
    CountedAnswers(int noAt, bool script) : noAt_(noAt), script_(script) {}
    std::optional<std::string> nextWord() override { return ++asked_ == noAt_ ? "n" : "y"; }
    bool showsQuestions() const override { return !script_; }

private:
    int noAt_;
    bool script_;
    int asked_ = 0;
};

void check(const std::uint8_t* data, std::size_t size, int answerNoAt, bool script)
{
    const Expected e = model(data, size, script ? 0 : answerNoAt);
    CountedAnswers answers(answerNoAt, script);
    rowCount = columnCount = 0;
    const MatrixReadResult read = readMatrixFile(answers);
    if (read.outcome != e.outcome)
        fuzzFailure("outcome differs from the model");
    if (e.outcome == ReadOutcome::Read) {
        if (rowCount != static_cast<int>(e.rows.size()) || columnCount != e.columns ||
            rowsRead != rowCount || columnsRead != columnCount)
            fuzzFailure("size differs from the model");
        if (read.lostLines != e.lostLines)
            fuzzFailure("lost lines differ from the model");
        for (int r = 1; r <= rowCount; r++)
            for (int c = 1; c <= columnCount; c++) {
                const std::string& row = e.rows[static_cast<std::size_t>(r - 1)];
                const int cell = c <= static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c - 1)] - '0' : 0;
                if (PresenceMatrix[r][c] != cell)
                    fuzzFailure("a cell differs from the model");
            }
        for (int c = 0; c < kTableSide; c++)
            if (PresenceMatrix[0][c] != 0)
                fuzzFailure("row 0 was written");
    }
    // Leave the matrix cleared for the next input, as the driver does.
    for (int r = 0; r <= e.rowsTouched && r < kTableSide; r++)
        std::memset(PresenceMatrix[r], 0, static_cast<std::size_t>(std::min(e.columnsTouched + 1, kTableSide)));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceConsole();
    std::strcpy(currentFileName, fuzzFileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeFuzzFile(data, size);
    check(data, size, 0, true);
    check(data, size, 1 + static_cast<int>(size % 3), false);
    return 0;
}
