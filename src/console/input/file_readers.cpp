// Reading the batch's files from the disk, and the readers' messages and
// question on the console.
#include "console/input/file_readers.h"

#include <cctype>
#include <cstdio>

#include "console/system/platform.h"
#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"

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

bool fileStartsAsUtf16(FileSystem& files, const std::string& name)
{
    std::string bytes;
    return files.readFile(name, &bytes) && startsAsUtf16(bytes);
}

MatrixRead readMatrixFile(FileSystem& files, const std::string& name, AnswerSource& answers)
{
    std::string bytes;
    if (!files.readFile(name, &bytes)) {
        consolePrintf("File: %s not found...\n", printableFileName(name).c_str());
        return {ReadOutcome::Skipped, 0, {}, ReadProblem::CannotOpen};
    }
    return readMatrixText(bytes, name, printReaderMessage, lostLineQuestion(answers));
}

NodfRead readNodfFile(FileSystem& files, const std::string& name)
{
    std::string bytes;
    if (!files.readFile(name, &bytes))
        return {NodfReadOutcome::CannotOpen, 0, {}};
    return readNodfText(bytes, name, printReaderMessage);
}

TableRead readTableFile(FileSystem& files, const std::string& name, const TableLayout& layout)
{
    std::string bytes;
    if (!files.readFile(name, &bytes)) {
        consolePrintf("File: %s not found...\n", printableFileName(name).c_str());
        return {TableOutcome::Skipped, {}, ""};
    }
    return readTableText(bytes, name, layout, printReaderMessage);
}
