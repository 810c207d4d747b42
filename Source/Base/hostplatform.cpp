#include "Base/hostplatform.h"

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
