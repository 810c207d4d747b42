#include "LevelCheck/wholefile.h"

#include "Base/hostplatform.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(path), error);
    if (fs::is_directory(status)) {
        return std::strerror(EISDIR);
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return "not a regular file";
    }
    std::string reason;
    return replaceWholeFile(path, std::string(bytes.begin(), bytes.end()), reason) ? std::string() : reason;
}
