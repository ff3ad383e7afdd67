// Reading the batch's files through the run's file system, and the
// readers' messages and question on the console.
#include "console/input/file_readers.h"

#include <cctype>

#include "console/input/format_hints.h"
#include "console/system/platform.h"
#include "formats/input/nodf_reader.h"
#include "formats/text/text_encoding.h"

namespace {

// The message of mode T and of tables for a file that cannot be opened.
void sayNotFound(const std::string& name)
{
    consolePrintf("File: %s not found...\n", printableFileName(name).c_str());
}

}  // namespace

void printReaderMessage(const std::string& text)
{
    writeConsole(text.data(), text.size());
}

LostLineQuestion lostLineQuestion(AnswerSource& answers)
{
    if (!answers.showsQuestions())
        return {};
    return [&answers] {
        for (;;) {
            consolePrintf("Type 'Y' to continue or 'N' to abort!  ");
            const std::string answer = readWord(answers);
            const char initial = static_cast<char>(std::toupper(static_cast<unsigned char>(answer[0])));
            if (initial == 'Y')
                return true;
            if (initial == 'N')
                return false;
        }
    };
}

FileRead readTemperatureFile(FileSystem& files, const std::string& name, AnswerSource& answers, bool scripted)
{
    std::string bytes;
    if (!files.readFile(name, &bytes)) {
        sayNotFound(name);
        return {};
    }
    MatrixRead read = readMatrixText(bytes, name, printReaderMessage, lostLineQuestion(answers));
    if (read.problem == ReadProblem::NoRow && scripted)
        hintAtFileFormat(name, bytes);
    const FileRead::Outcome outcome = read.outcome == ReadOutcome::Read         ? FileRead::Outcome::Read
                                      : read.outcome == ReadOutcome::EndProgram ? FileRead::Outcome::EndsProgram
                                                                                : FileRead::Outcome::Unusable;
    return {outcome, std::move(read.matrix), std::nullopt, read.lostLines};
}

FileRead readNodfFile(FileSystem& files, const std::string& name, bool scripted)
{
    std::string bytes;
    if (!files.readFile(name, &bytes)) {
        // Mode N's own words, the classic program's.
        consolePrintf("File %s not found!\n", printableFileName(name).c_str());
        return {};
    }
    NodfRead read = readNodfText(bytes, name, printReaderMessage);
    if (read.outcome != NodfReadOutcome::Read)
        return {FileRead::Outcome::Unusable, {}, std::nullopt, read.lostLines};
    if (read.matrix.rows() == 0 && !(scripted && hintAtFileFormat(name, bytes)))
        consolePrintf("File: %s has no row of 0s and 1s.\n", printableFileName(name).c_str());
    return {FileRead::Outcome::Read, std::move(read.matrix), std::nullopt, read.lostLines};
}

FileRead readTableFile(FileSystem& files, const std::string& name, const TableLayout& layout, bool scripted)
{
    std::string bytes;
    if (!files.readFile(name, &bytes)) {
        sayNotFound(name);
        return {};
    }
    TableRead read = readTableText(bytes, name, layout, printReaderMessage);
    if (scripted)
        consolePrintf("%s", read.announcement.c_str());
    if (read.outcome != TableOutcome::Read)
        return {};
    return {FileRead::Outcome::Read, std::move(read.matrix), std::move(read.abundances), 0};
}
