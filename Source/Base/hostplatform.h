#ifndef MORVELLANT_BASE_HOSTPLATFORM_H
#define MORVELLANT_BASE_HOSTPLATFORM_H

#include <cstdio>
#include <filesystem>
#include <string>

// The host platform: whatever differs between Linux and Windows, behind this
// one header. hostplatform.cpp holds what is the same on both; a port
// implements, in a hostplatform_<port>.cpp of its own (CMake picks one):
//   hostExecutableDirectory   the directory of the running program
//   hostRand, hostSrand       the game's random draws, glibc's rand() and srand()
//   hostMakeScratchDirectory  a fresh private directory for temporary files
//   userSettingsFile          the player's settings file in the per-user place
//   hostOpenFile              fopen for a path in UTF-8
//   makeFoldersFor            every folder on the way to a file
//   replaceWholeFile          a file replaced whole at once
// hostplatform_posix.cpp asks the C library and /proc; hostplatform_win32.cpp
// asks Windows, and draws from FeedbackRandom, glibc's generator, since the
// Windows C library's rand() stops at 32767.

// True while the host stores multi-byte integers most-significant byte first.
// Starts true so that a missed setHostEndian() is noticed as swapped bytes.
extern bool hostBigEndian;

int setHostEndian();

// Converts a 16-bit value read from a little-endian file to host order.
short endianLEtoHs(short inBytes);

// Makes the directory holding Content/ the working directory.
// The name is kept from the bundle-based original; it looks beside the
// executable (on Linux /proc/self/exe, on Windows GetModuleFileNameW), then
// in the installed layouts <bindir>/../share/morvellant and
// <gamesdir>/../share/games/morvellant.
// Returns 0 when it entered a directory, -1 when that failed, and 1 when no
// directory with Content/ was found (the working directory is left alone).
int MacSetPathToBundleResources();

// The lookup itself, for a given executable directory: the directory itself,
// then <dir>/../share/morvellant, then <dir>/../share/games/morvellant. Same
// results as above.
int enterResourceDirectory(const std::filesystem::path& executableDir);

// The directory of the running program, or an empty path when the host
// cannot tell.
std::filesystem::path hostExecutableDirectory();

// The game's random draws, 0 to 2147483647: the C library's rand() and
// srand() on Linux, the same draws from FeedbackRandom on Windows. The game
// never seeds them, so every run draws the same sequence; hostSrand restarts it.
int hostRand();
void hostSrand(unsigned int seed);

// Makes a new directory, readable by this user only where the host has such
// rights, whose name starts with prefix, in the host's place for temporary
// files. An empty path when none could be made.
std::filesystem::path hostMakeScratchDirectory(const char* prefix);

// The player's settings file in the usual per-user place:
// $XDG_CONFIG_HOME/morvellant/settings, else ~/.config/morvellant/settings
// (on Windows %APPDATA%\Morvellant\settings). Empty when the environment
// names no such place. Paths of files are in UTF-8 on every host.
std::string userSettingsFile();

// std::fopen for such a path; errno says why when it returns null.
std::FILE* hostOpenFile(const std::string& path, const char* mode);

enum class FileRead
{
    kRead,
    kMissing,   // no file of that name (its folder may be missing too)
    kFailed     // there may be one, but it cannot be read: error says why
};

// The whole file into text. A file of more than kMaxTextFile bytes is not read.
FileRead readTextFile(const std::string& path, std::string& text, std::string& error);
static const long kMaxTextFile = 65536;

// Makes the folders on the way to the file that are missing. False, with
// error saying why, when one cannot be made.
bool makeFoldersFor(const std::string& path, std::string& error);

// Puts bytes in place of the file at once: written whole to a new file beside
// it, flushed to disk, then renamed over it, so that a crash leaves the old
// file or the new one, never a part. A file reached through a link is
// replaced where it lies, the link kept; a replaced file keeps its
// permissions. False, with error saying why, when that cannot be done; the
// old file is then untouched.
bool replaceWholeFile(const std::string& path, const std::string& bytes, std::string& error);

#endif
