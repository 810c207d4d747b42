#include "Base/hostplatform.h"

#include <limits.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

static bool holdsContent(const std::string& dir)
{
    struct stat info;
    const std::string content = dir + "/Content";
    return stat(content.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

static std::string executableDirectory()
{
    char resourceDirName[4096];
    const ssize_t length = readlink("/proc/self/exe", resourceDirName, sizeof(resourceDirName) - 1);
    if (length <= 0) {
        return std::string();
    }
    resourceDirName[length] = '\0';
    std::string path(resourceDirName);
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

int MacSetPathToBundleResources()
{
    return enterResourceDirectory(executableDirectory());
}

int enterResourceDirectory(const std::string& exeDir)
{
    if (exeDir.empty()) {
        return 1;
    }
    // Beside a build; installed, as /usr/local/bin with /usr/local/share, or
    // in the games layout of Debian's packages, /usr/games with /usr/share/games.
    const std::string candidates[] = { exeDir, exeDir + "/../share/morvellant", exeDir + "/../share/games/morvellant" };
    for (const std::string& dir : candidates) {
        if (holdsContent(dir)) {
            return chdir(dir.c_str()) == 0 ? 0 : -1;
        }
    }
    return 1;
}
