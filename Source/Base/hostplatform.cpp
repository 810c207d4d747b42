#include "Base/hostplatform.h"

#include <cerrno>
#include <cstring>
#include <system_error>

bool hostBigEndian = true;

int setHostEndian()
{
    const unsigned short probe = 1;
    const unsigned char firstByte = *reinterpret_cast<const unsigned char*>(&probe);
    hostBigEndian = (firstByte == 0);
    return 0;
}

short endianLEtoHs(short inBytes)
{
    if (!hostBigEndian) {
        return inBytes;
    }
    const unsigned short bits = static_cast<unsigned short>(inBytes);
    return static_cast<short>(static_cast<unsigned short>((bits << 8) | (bits >> 8)));
}

static bool holdsContent(const std::filesystem::path& dir)
{
    std::error_code ignored;
    return std::filesystem::is_directory(dir / "Content", ignored);
}

int MacSetPathToBundleResources()
{
    return enterResourceDirectory(hostExecutableDirectory());
}

int enterResourceDirectory(const std::filesystem::path& exeDir)
{
    if (exeDir.empty()) {
        return 1;
    }
    // Beside a build; installed, as /usr/local/bin with /usr/local/share, or
    // in the games layout of Debian's packages, /usr/games with /usr/share/games.
    const std::filesystem::path candidates[] = { exeDir, exeDir / "../share/morvellant",
                                                 exeDir / "../share/games/morvellant" };
    for (const std::filesystem::path& dir : candidates) {
        if (holdsContent(dir)) {
            std::error_code failed;
            std::filesystem::current_path(dir, failed);
            return failed ? -1 : 0;
        }
    }
    return 1;
}

FileRead readTextFile(const std::string& path, std::string& text, std::string& error)
{
    text.clear();
    std::FILE* file = hostOpenFile(path, "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return errno == ENOENT ? FileRead::kMissing : FileRead::kFailed;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0 && long(text.size()) <= kMaxTextFile) {
        text.append(buffer, got);
    }
    // A directory opens, and fails only when read.
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0 || long(text.size()) > kMaxTextFile) {
        error = readError != 0 ? std::strerror(readError) : "longer than " + std::to_string(kMaxTextFile) + " bytes";
        text.clear();
        return FileRead::kFailed;
    }
    return FileRead::kRead;
}
