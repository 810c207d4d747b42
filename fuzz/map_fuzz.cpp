// Feeds arbitrary bytes to the level loader as a level file; every level it
// accepts is then played by the whole program, title screen and all, under a
// storm of keys drawn from the input, and left for the title again.
//
// Besides the sanitizers' checks: a loaded map has a sane size and only cells
// the loader accepts or '*'; a built game counts the agents the map placed;
// the program never leaves its states; and once back on the title nothing of
// the game is left in the collision list.

#include <GL/glut.h>
#include <fcntl.h>
#include <sanitizer/lsan_interface.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>

#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "Game/gameinit.h"
#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "Headless/headless.h"

namespace {

int g_file = -1;        // the input, in memory
std::string g_scratch;  // holds Content/city1.troklevel, a link to the input
int g_start = -1;       // where libFuzzer was started: it works with relative paths

struct Listed : TrokPhysics
{
    static size_t count() { return objects.size(); }
};

// Says which check failed: the input is lost with the scratch directory.
#define check(holds) ((holds) ? (void)0 : (std::fprintf(stderr, "map_fuzz.cpp:%d: check failed\n", __LINE__), std::abort()))

// A game of the level: Space on the title, then frames with random keys
// (never the title's Escape, which ends the program), then the title again.
void play(const LevelReport& report, unsigned seed)
{
    check(chdir(g_scratch.c_str()) == 0);
    Headless::pressKey(' ');
    Headless::display();
    Headless::releaseKey(' ');
    Headless::display();  // builds the game, or refuses the level and asks for the title
    check(report.activists > 0 ? TrokWorld::totalAgentCount == uint32_t(report.citizens + report.police)
                               : Eventloop::getState() == STATE_TITLE);
    std::mt19937 random(seed);
    for (int frame = 0; frame < 60; ++frame) {
        const unsigned char key = " \x1bxx"[random() % 4];
        if (key != 27 || Eventloop::getState() != STATE_TITLE) random() % 2 ? Headless::pressKey(key) : Headless::releaseKey(key);
        random() % 2 ? Headless::pressSpecial(GLUT_KEY_LEFT + random() % 4) : Headless::releaseSpecial(GLUT_KEY_LEFT + random() % 4);
        Headless::advanceClock(1 + random() % 200);
        Headless::display();
        check(Eventloop::getState() >= STATE_CREDITS && Eventloop::getState() <= STATE_WON);
    }
    for (unsigned char key : { ' ', '\x1b', 'x' }) Headless::releaseKey(key);
    for (int arrow = GLUT_KEY_LEFT; arrow <= GLUT_KEY_DOWN; ++arrow) Headless::releaseSpecial(arrow);
    for (int frame = 0; frame < 3; ++frame) {  // a conversion in the first may still end the game
        Eventloop::switchState(STATE_TITLE);
        Headless::display();
    }
    check(Eventloop::getState() == STATE_TITLE && Listed::count() == 0);
    check(fchdir(g_start) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char scratch[] = "/tmp/morvellant-map-fuzz-XXXXXX";
    g_file = memfd_create("level", 0);
    g_start = open(".", O_RDONLY | O_DIRECTORY);
    check(g_file >= 0 && g_start >= 0 && mkdtemp(scratch) != nullptr);
    g_scratch = scratch;
    check(mkdir((g_scratch + "/Content").c_str(), 0700) == 0);
    const std::string input = "/proc/self/fd/" + std::to_string(g_file);
    check(symlink(input.c_str(), (g_scratch + "/Content/city1.troklevel").c_str()) == 0);
    std::atexit([] { std::filesystem::remove_all(g_scratch); });
    // The whole program, on the title. Its worlds live in static members for
    // the whole run: leaks are looked for at exit before those are destroyed.
    initTrokEngine();
    initGameWorlds();
    std::atexit([] { __lsan_do_leak_check(); });
    Eventloop::switchState(STATE_TITLE);
    Headless::display();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    check(ftruncate(g_file, 0) == 0 && pwrite(g_file, data, size, 0) == static_cast<ssize_t>(size));
    std::ostringstream printed;
    std::streambuf* const console = std::cout.rdbuf(printed.rdbuf());
    {
        const TrokMap map("/proc/self/fd/" + std::to_string(g_file));
        const int w = map.getWidth(), h = map.getHeight();
        check(map.valid ? w >= 1 && h >= 1 && w <= TrokMap::maxSide && h <= TrokMap::maxSide && size_t(w) * h <= size
                        : w == 0 && h == 0);
        for (int i = 0; i < h; ++i) {
            for (int j = 0; j < w; ++j) check(std::string(".#$0123456789abcdefghi@CPW*").find(map.get(i, j)) != std::string::npos);
        }
        if (map.valid) play(LevelReport(map), static_cast<unsigned>(size * 2654435761u));
    }
    std::cout.rdbuf(console);
    return 0;
}
