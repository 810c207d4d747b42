#include "LevelCheck/wholefile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace
{

// Another run may be writing beside us: the temporary's name is drawn, and
// drawn again this many times while the name is taken.
const int kTries = 8;

// Writes everything to a new file of that name. Returns 0 or the number of
// the error; `made` tells whether the file was made, which is then the
// caller's to remove. (Windows' C library knows no "x" mode to refuse a name
// that is taken: the caller draws names that are not.)
int writeNew(const fs::path& temporary, const std::vector<unsigned char>& bytes, bool& made)
{
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    made = file != nullptr;
    if (file == nullptr) {
        return errno;
    }
    int failure = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        failure = errno != 0 ? errno : EIO;
    }
    if (std::fclose(file) != 0 && failure == 0) {
        failure = errno;
    }
    return failure;
}

}  // namespace

std::string writeWholeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    const fs::path target(path);
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (fs::is_directory(status)) {
        return std::strerror(EISDIR);
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return "not a regular file";
    }

    std::minstd_rand draw(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < kTries; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".morvellant-%08x.tmp", static_cast<unsigned>(draw()));
        const fs::path temporary = target.parent_path() / name;
        if (fs::exists(temporary, error)) {
            continue;
        }
        bool made = false;
        const int failure = writeNew(temporary, bytes, made);
        std::string reason = std::strerror(failure);
        if (made && failure == 0) {
            fs::rename(temporary, target, error);
            if (!error) {
                return "";
            }
            reason = error.message();
        }
        if (made) {
            fs::remove(temporary, error);
        }
        return reason;
    }
    return std::strerror(EEXIST);
}
