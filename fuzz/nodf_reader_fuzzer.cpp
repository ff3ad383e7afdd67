// Fuzzes the matrix reader of mode N and compares what it reads with a
// plain model of that reader's rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/input/nodf_reader.h"
#include "fuzz_support.h"

namespace {

struct Expected {
    NodfReadOutcome outcome;
    std::vector<std::string> rows;
    int columns;
    int lostLines;
};

// The rules of mode N's reader: a UTF-8 byte order mark at the start is
// skipped, 0 and 1 are cells (at most 3000 a line), blanks and tabs are
// nothing, LF and CR end a line, any other byte loses its whole line,
// Ctrl-Z ends the file, the first line end after cells fixes the column
// count, and a 3001st row stops it all. A last line without its line end
// is a row but fixes no column count. Rows cut to the column count or at
// column 3000, or a single row without a line end, count as one more lost
// line.
Expected model(const std::uint8_t* data, std::size_t size)
{
    Expected e{NodfReadOutcome::Read, {}, 0, 0};
    std::string line;
    bool lost = false, cut = false, beyondLimit = false;
    const std::size_t start = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
    for (std::size_t i = start; i < size && data[i] != 0x1A; i++) {
        const int c = data[i];
        if (c == '0' || c == '1') {
            if (!lost && line.size() < 3000)
                line += static_cast<char>(c);
            else if (!lost)
                beyondLimit = true;
        } else if (c == '\n' || c == '\r') {
            if (lost) {
                lost = false;
            } else {
                if (e.columns == 0)
                    e.columns = static_cast<int>(line.size());
                cut = cut || static_cast<int>(line.size()) > e.columns || beyondLimit;
                if (!line.empty())
                    e.rows.push_back(line);
                if (e.rows.size() == 3001) {
                    e.outcome = NodfReadOutcome::TooManyRows;
                    return e;
                }
            }
            line.clear();
            beyondLimit = false;
        } else if (c != ' ' && c != '\t') {
            if (!lost && !e.rows.empty())
                e.lostLines++;
            lost = true;
        }
    }
    if (!lost && !line.empty()) {
        cut = cut || (e.columns > 0 && static_cast<int>(line.size()) > e.columns) || beyondLimit;
        e.rows.push_back(line);
    }
    if (e.rows.size() == 3001)
        e.outcome = NodfReadOutcome::TooManyRows;
    if (cut || (e.columns == 0 && !e.rows.empty()))
        e.lostLines++;
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Expected e = model(data, size);
    std::vector<std::string> said;
    const NodfRead read =
        readNodfText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt", gatherInto(said));
    if (read.outcome != e.outcome)
        fuzzFailure("outcome differs from the model");
    if (read.outcome == NodfReadOutcome::TooManyRows && said.empty())
        fuzzFailure("a file with too many rows is not said so");
    if (e.outcome == NodfReadOutcome::Read) {
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
    return 0;
}
