// The page's reader: the table reader, and the matrix readers for matrix
// files.
#include "file_reading.h"

#include "formats/input/matrix_reader.h"
#include "formats/input/nodf_reader.h"

namespace {

FileRead readMatrixFile(std::string_view bytes, const std::string& name, AnalysisMode mode)
{
    FileRead read;
    const ReaderMessages say = [&read](const std::string& text) { read.messages += text; };
    if (mode == AnalysisMode::Temperature) {
        MatrixRead matrix = readMatrixText(bytes, name, say, {});
        read.outcome = matrix.outcome == ReadOutcome::Read ? FileOutcome::Read : FileOutcome::Skipped;
        read.matrix = std::move(matrix.matrix);
        read.lostLines = matrix.lostLines;
        return read;
    }
    NodfRead matrix = readNodfText(bytes, name, say);
    read.outcome = matrix.outcome == NodfReadOutcome::Read ? FileOutcome::Read : FileOutcome::EndsBatch;
    read.matrix = std::move(matrix.matrix);
    read.lostLines = matrix.lostLines;
    return read;
}

}  // namespace

FileRead readPageFile(std::string_view bytes, const std::string& name, AnalysisMode mode, const TableLayout& layout)
{
    std::string said;
    TableRead table = readTableText(bytes, name, layout, [&said](const std::string& text) { said += text; });
    // The table reader's advice to read a matrix file without --table is
    // followed here, so it is not shown.
    if (table.outcome == TableOutcome::MatrixFile)
        return readMatrixFile(bytes, name, mode);
    FileRead read;
    read.outcome = table.outcome == TableOutcome::Read ? FileOutcome::Read : FileOutcome::Skipped;
    read.table = true;
    read.matrix = std::move(table.matrix);
    read.abundances = std::move(table.abundances);
    read.announcement = std::move(table.announcement);
    read.messages = std::move(said);
    return read;
}
