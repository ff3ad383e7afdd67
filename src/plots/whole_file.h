// Writing a picture or page file in one piece, so that no reader ever finds
// half of it and a rerun replaces the file of an earlier run.
#ifndef BRAVOLIN_PLOTS_WHOLE_FILE_H
#define BRAVOLIN_PLOTS_WHOLE_FILE_H

#include <filesystem>
#include <string>

// Writes content to a temporary file beside path ("a.partial.svg" for
// "a.svg") and then
// renames it over path. Returns false when any step fails, after removing the
// temporary file; path is then left as it was.
bool writeFileWhole(const std::filesystem::path& path, const std::string& content);

#endif
