// The host platform on Windows: the module's own file name, glibc's
// generator (the Windows C library's rand() stops at 32767, and the game's
// draws divide by 2147483647) and the user's folder for temporary files.

#include "Base/hostplatform.h"

#include <windows.h>

#include <string>

#include "Base/feedbackrandom.h"

namespace {

// Unseeded, as the C library's starts: as if seeded with 1.
FeedbackRandom& gameGenerator()
{
    static FeedbackRandom generator;
    return generator;
}

}  // namespace

std::filesystem::path hostExecutableDirectory()
{
    // Paths may be longer than MAX_PATH: the buffer grows until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0) {
            return std::filesystem::path();
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

int hostRand()
{
    return gameGenerator().next();
}

void hostSrand(unsigned int seed)
{
    gameGenerator().seed(seed);
}

std::filesystem::path hostMakeScratchDirectory(const char* prefix)
{
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    if (length == 0 || length > MAX_PATH) {
        return std::filesystem::path();
    }
    // A name nobody holds yet; CreateDirectoryW refuses one that exists.
    const std::wstring start = std::wstring(temporary) + std::filesystem::path(prefix).wstring()
                               + std::to_wstring(GetCurrentProcessId()) + L"-";
    const ULONGLONG now = GetTickCount64();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = start + std::to_wstring(now + attempt);
        if (CreateDirectoryW(name.c_str(), nullptr)) {
            return std::filesystem::path(name);
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return std::filesystem::path();
}
