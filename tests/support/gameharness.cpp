#include "support/gameharness.h"

#include <unistd.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "double/gldouble.h"
#include "Game/gameinit.h"

GameHarness::GameHarness()
{
    gldouble::reset();
    initTrokEngine();
    initGameWorlds();
}

void GameHarness::frame(uint32_t ms)
{
    gldouble::advanceClock(ms);
    gldouble::display();
}

void GameHarness::frames(int count, uint32_t ms)
{
    for (int i = 0; i < count; ++i) {
        frame(ms);
    }
}

void GameHarness::press(unsigned char key) { gldouble::pressKey(key); }
void GameHarness::release(unsigned char key) { gldouble::releaseKey(key); }
void GameHarness::pressSpecial(int key) { gldouble::pressSpecial(key); }
void GameHarness::releaseSpecial(int key) { gldouble::releaseSpecial(key); }

void GameHarness::tap(unsigned char key)
{
    press(key);
    frame();
    release(key);
    frame();
}

int GameHarness::state() const { return Eventloop::getState(); }

static std::string g_directory;

void enterTemporaryDirectory()
{
    char name[] = "/tmp/morvellant-level-XXXXXX";
    if (mkdtemp(name) == nullptr || chdir(name) != 0 || mkdir("Content", 0755) != 0) {
        throw std::runtime_error("cannot make a temporary level directory");
    }
    g_directory = name;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(g_directory, ignored);
    });
}

void writeLevel(const std::vector<std::string>& rows)
{
    std::ofstream file("Content/city1.troklevel", std::ios::trunc);
    file << "!MorvellantMapFile\n" << (rows.empty() ? 0 : rows[0].size()) << " " << rows.size() << "\n";
    for (const std::string& row : rows) {
        file << row << "\n";
    }
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}
