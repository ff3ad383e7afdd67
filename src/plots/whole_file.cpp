// Whole-file writes through a temporary file and a rename.
#include "plots/whole_file.h"

#include <fstream>
#include <system_error>

namespace {

bool writeContent(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    file.close();
    return !file.fail();
}

}  // namespace

bool writeFileWhole(const std::filesystem::path& path, const std::string& content)
{
    if (!path.has_filename())
        return false;
    // The temporary name keeps the extension ("a.svg" gives
    // "a.partial.svg"), so that the batch list, which skips pictures and
    // pages, skips a temporary file left behind as well.
    std::filesystem::path temporary = path;
    temporary.replace_extension(".partial" + path.extension().u8string());
    std::error_code error;
    // The rename replaces an existing file at path in one step, on Windows as
    // elsewhere, so path always holds either the old or the new content.
    if (writeContent(temporary, content)) {
        std::filesystem::rename(temporary, path, error);
        if (!error)
            return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}
