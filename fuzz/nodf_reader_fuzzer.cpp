// Fuzzes the matrix reader of mode N and compares what it reads with a
// plain model of that reader's rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/shared_state.h"
#include "fuzz_support.h"
#include "nodf/nodf_reader.h"

namespace {

struct Expected {
    NodfReadOutcome outcome;
    std::vector<std::string> rows;
    int columns;
    int lostLines;
    std::size_t widest;  // most cells the reader stored on one line
};

// The rules of mode N's reader: 0 and 1 are cells (at most 3000 a line),
// blanks and tabs are nothing, LF and CR end a line, any other byte loses
// its whole line silently, Ctrl-Z ends the file, the first line end after
// cells fixes the column count, and completing a 3001st row stops it all.
// A last line without its line end is a row but fixes no column count.
Expected model(const std::uint8_t* data, std::size_t size)
{
    Expected e{NodfReadOutcome::Read, {}, 0, 0, 0};
    std::string line;
    bool lost = false;
    for (std::size_t i = 0; i < size && data[i] != 0x1A; i++) {
        const int c = data[i];
        if (c == '0' || c == '1') {
            if (!lost && line.size() < 3000) {
                line += static_cast<char>(c);
                e.widest = std::max(e.widest, line.size());
            }
        } else if (c == '\n' || c == '\r') {
            if (lost) {
                lost = false;
            } else {
                if (e.columns == 0)
                    e.columns = static_cast<int>(line.size());
                if (!line.empty())
                    e.rows.push_back(line);
                if (e.rows.size() == 3001) {
                    e.outcome = NodfReadOutcome::TooManyRows;
                    return e;
                }
            }
            line.clear();
        } else if (c != ' ' && c != '\t') {
            if (!lost && !e.rows.empty())
                e.lostLines++;
            lost = true;
        }
    }
    if (!lost && !line.empty())
        e.rows.push_back(line);
    return e;
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
    const Expected e = model(data, size);
    const NodfReadResult read = readNodfMatrix();
    if (read.outcome != e.outcome)
        fuzzFailure("outcome differs from the model");
    if (e.outcome == NodfReadOutcome::Read) {
        if (rowCount != static_cast<int>(e.rows.size()) || columnCount != e.columns)
            fuzzFailure("size differs from the model");
        if (read.lostLines != e.lostLines)
            fuzzFailure("lost lines differ from the model");
        for (int r = 0; r < rowCount; r++)
            for (int c = 0; c < columnCount; c++) {
                const std::string& row = e.rows[static_cast<std::size_t>(r)];
                const int cell = c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] - '0' : 0;
                if (nodfReadMatrix[r][c] != cell)
                    fuzzFailure("a cell differs from the model");
            }
    }
    // Leave the matrix cleared for the next input, as the driver does.
    for (std::size_t r = 0; r <= e.rows.size() && r < static_cast<std::size_t>(kTableSide); r++)
        std::memset(nodfReadMatrix[r], 0, e.widest);
    return 0;
}
