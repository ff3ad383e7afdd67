// Fuzzes the matrix reader of mode T: every input is read as a matrix file,
// as a script reads it (lost lines answered yes on their own) and as a user
// who answers N at one of the questions, and the result is compared with a
// plain model of the file format's rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/input/matrix_reader.h"
#include "fuzz_support.h"

namespace {

struct Expected {
    ReadOutcome outcome;
    std::vector<std::string> rows;
    int columns;
    int lostLines;
};

// The rules of the format, line by line: a UTF-8 byte order mark at the
// start is skipped, blanks and tabs are nothing, LF and CR end a line, 0
// and 1 are cells, 2 to 9 reject the file unless their line is already
// lost, any other byte loses its line (with a question below the first
// row), Ctrl-Z ends the file, and reading stops at the 3001st row or at a
// row's 3001st cell. A row longer than the first counts as a lost line, and
// so does a stop at the limit that leaves a cell unread.
Expected model(const std::uint8_t* data, std::size_t size, int answerNoAt)
{
    Expected e{ReadOutcome::Read, {}, 0, 0};
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
            else if (static_cast<int>(line.size()) > e.columns)
                e.lostLines++;
        }
        line.clear();
    };
    const std::size_t start = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
    for (std::size_t i = start; i < size && data[i] != 0x1A; i++) {
        const int c = data[i];
        if (c == ' ' || c == '\t')
            continue;
        if (c == '\n' || c == '\r') {
            endLine();
            continue;
        }
        if (e.rows.size() == 3000 || (line.size() == 3000 && !lost)) {
            for (std::size_t j = i; j < size && data[j] != 0x1A; j++)
                if (data[j] == '0' || data[j] == '1') {
                    e.lostLines++;
                    break;
                }
            break;
        }
        if (c == '0' || c == '1') {
            if (!lost)
                line += static_cast<char>(c);
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

void check(const std::uint8_t* data, std::size_t size, int answerNoAt, bool script)
{
    const Expected e = model(data, size, script ? 0 : answerNoAt);
    // Yes to every question but the answerNoAt-th; a script is asked none.
    int asked = 0;
    LostLineQuestion question;
    if (!script)
        question = [&asked, answerNoAt] { return ++asked != answerNoAt; };
    std::vector<std::string> said;
    const MatrixRead read = readMatrixText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt",
                                           gatherInto(said), question);
    if (read.outcome != e.outcome)
        fuzzFailure("outcome differs from the model");
    if (read.outcome == ReadOutcome::Skipped && said.empty())
        fuzzFailure("a skipped file is not said why");
    if (e.outcome == ReadOutcome::Read) {
        const bravolin::Matrix& matrix = read.matrix;
        if (matrix.rows() != static_cast<int>(e.rows.size()) || matrix.columns() != e.columns)
            fuzzFailure("size differs from the model");
        if (read.lostLines != e.lostLines)
            fuzzFailure("lost lines differ from the model");
        for (int r = 0; r < matrix.rows(); r++)
            for (int c = 0; c < matrix.columns(); c++) {
                const std::string& row = e.rows[static_cast<std::size_t>(r)];
                const int cell = c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] - '0' : 0;
                if (matrix.at(r, c) != cell)
                    fuzzFailure("a cell differs from the model");
            }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(data, size, 0, true);
    check(data, size, 1 + static_cast<int>(size % 3), false);
    return 0;
}
