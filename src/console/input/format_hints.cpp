// Hints at how to read a file that holds no matrix.
#include "console/input/format_hints.h"

#include "console/driver/file_search.h"
#include "console/input/file_readers.h"
#include "console/system/console.h"
#include "formats/input/text_input.h"
#include "formats/text/text_encoding.h"

bool hintAtFileFormat(const std::string& name, std::string_view bytes)
{
    if (startsAsUtf16(bytes)) {
        printReaderMessage(utf16TextMessage(name));
        return true;
    }
    const std::string lower = lowerCaseName(name);
    const bool tableName = lower.size() > 4 && (lower.compare(lower.size() - 4, 4, ".csv") == 0 ||
                                                lower.compare(lower.size() - 4, 4, ".tsv") == 0);
    if (!tableName)
        return false;
    consolePrintf("File: %s has no row of 0s and 1s; to read it as a table, use --table.\n",
                  printableFileName(name).c_str());
    return true;
}
