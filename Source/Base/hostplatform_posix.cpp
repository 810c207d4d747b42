// The host platform on Linux and other POSIX systems: the C library's own
// generator, /proc/self/exe, mkdtemp, the XDG folder for settings and an
// atomic rename.

#include "Base/hostplatform.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

std::string userSettingsFile()
{
    // The XDG rules: an empty or relative XDG_CONFIG_HOME counts as unset.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/morvellant/settings";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config/morvellant/settings";
    }
    return std::string();
}

std::FILE* hostOpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

// As mkdir -p makes them, but private to the user, as the per-user
// configuration folders are meant to be.
bool makeFoldersFor(const std::string& path, std::string& error)
{
    for (std::string::size_type slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) {
            error = std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool replaceWholeFile(const std::string& path, const std::string& bytes, std::string& error)
{
    // Through a link (a settings file kept elsewhere, say), the file it names.
    char* const resolved = realpath(path.c_str(), nullptr);
    const std::string target = resolved != nullptr ? resolved : path;
    std::free(resolved);
    std::string fresh = target + ".XXXXXX";
    const int fd = mkstemp(&fresh[0]);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // mkstemp makes the file for its owner only: an old file's permissions
    // are kept, a new one gets what the user's umask gives.
    struct stat old;
    if (stat(target.c_str(), &old) == 0) {
        fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            break;
        }
        done += size_t(wrote);
    }
    // On disk before the rename: a crash then finds the old file or the whole new one.
    const bool written = done == bytes.size() && fsync(fd) == 0;
    const int writeError = errno;
    if (close(fd) != 0 || !written || rename(fresh.c_str(), target.c_str()) != 0) {
        error = std::strerror(written ? errno : writeError);
        unlink(fresh.c_str());
        return false;
    }
    return true;
}
