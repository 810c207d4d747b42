// The host platform on Windows: the module's own file name, glibc's
// generator (the Windows C library's rand() stops at 32767, and the game's
// draws divide by 2147483647), the user's folder for temporary files, the
// roaming application data for settings, and paths as UTF-16.

#include "Base/hostplatform.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <system_error>

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

std::string userSettingsFile()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || appData[0] == L'\0') {
        return std::string();
    }
    return (std::filesystem::path(appData) / L"Morvellant" / L"settings").u8string();
}

std::FILE* hostOpenFile(const std::string& path, const char* mode)
{
    return _wfopen(std::filesystem::u8path(path).c_str(), std::filesystem::path(mode).wstring().c_str());
}

static std::string lastError(DWORD code)
{
    return std::system_category().message(static_cast<int>(code));
}

bool makeFoldersFor(const std::string& path, std::string& error)
{
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::u8path(path).parent_path(), made);
    if (made) {
        error = made.message();
        return false;
    }
    return true;
}

bool replaceWholeFile(const std::string& path, const std::string& bytes, std::string& error)
{
    // Through a link, the file it names.
    std::filesystem::path target = std::filesystem::u8path(path);
    std::error_code unresolved;
    const std::filesystem::path resolved = std::filesystem::canonical(target, unresolved);
    target = unresolved ? target : resolved;
    std::filesystem::path fresh = target;
    fresh += L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
    const HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError(GetLastError());
        return false;
    }
    DWORD wrote = 0;
    // On disk before the move: a crash then finds the old file or the whole new one.
    const bool written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
                         wrote == bytes.size() && FlushFileBuffers(file);
    DWORD failure = written ? 0 : GetLastError();
    failure = written || failure != 0 ? failure : ERROR_WRITE_FAULT;
    CloseHandle(file);
    if (written && !MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
    }
    if (failure != 0) {
        error = lastError(failure);
        DeleteFileW(fresh.c_str());
        return false;
    }
    return true;
}
