// The host platform on Linux and other POSIX systems: the C library's own
// generator, /proc/self/exe and mkdtemp.

#include "Base/hostplatform.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

std::filesystem::path hostExecutableDirectory()
{
    char resourceDirName[4096];
    const ssize_t length = readlink("/proc/self/exe", resourceDirName, sizeof(resourceDirName) - 1);
    if (length <= 0) {
        return std::filesystem::path();
    }
    resourceDirName[length] = '\0';
    const std::string path(resourceDirName);
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return std::filesystem::path();
    }
    return slash == 0 ? std::filesystem::path("/") : std::filesystem::path(path.substr(0, slash));
}

int hostRand()
{
    return std::rand();
}

void hostSrand(unsigned int seed)
{
    std::srand(seed);
}

std::filesystem::path hostMakeScratchDirectory(const char* prefix)
{
    std::string name = std::string("/tmp/") + prefix + "XXXXXX";
    if (mkdtemp(&name[0]) == nullptr) {
        return std::filesystem::path();
    }
    return std::filesystem::path(name);
}
