// Feeds arbitrary bytes to the level loader as if they were a level file, then
// builds and runs a game on every level the loader accepts. The bytes go to a
// memory file; the game finds them through Content/city1.troklevel, a link to
// that file in a scratch directory, entered only while the game runs (libFuzzer
// itself works with paths relative to where it was started).
//
// Besides the sanitizers' checks: a loaded map has a sane size, cells the
// loader accepts or '*', one "Should not get here" per '*', a copy with the
// same cells; a built game counts the agents the map placed, and leaves
// nothing in the shared collision list once it is torn down.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "Base/eventloop.h"
#include "Base/hostplatform.h"
#include "Base/initialize.h"
#include "Game/gamestates.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"

namespace
{

int g_file = -1;
std::string g_path;         // the memory file, by name
std::string g_scratch;      // holds Content/city1.troklevel
int g_startDirectory = -1;

class PhysicsProbe : public TrokPhysics
{
public:
    static size_t listed() { return objects.size(); }
};

class WorldProbe : public TrokWorld
{
public:
    static bool running(const TrokWorld& w) { return w.*(&WorldProbe::gameRunning); }
    static size_t objectCount(const TrokWorld& w) { return (w.*(&WorldProbe::objects)).size(); }
};

TrokWorld* g_world = nullptr;

void check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

bool accepted(char c)
{
    return c == '.' || c == '#' || c == '$' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'i')
        || c == '@' || c == 'C' || c == 'P' || c == 'W';
}

size_t countOf(const std::string& text, const std::string& line)
{
    size_t found = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        ++found;
    }
    return found;
}

void checkMap(const TrokMap& map, size_t inputSize, const std::string& printed)
{
    if (!map.valid) {
        check(map.getWidth() == 0 && map.getHeight() == 0);
        return;
    }
    const int w = map.getWidth();
    const int h = map.getHeight();
    check(w >= 1 && h >= 1 && w <= TrokMap::maxSide && h <= TrokMap::maxSide);
    // Every row line holds at least w characters of the input.
    check(static_cast<size_t>(w) * h <= inputSize);
    check(printed.rfind("Map size: " + std::to_string(w) + "," + std::to_string(h) + "\n", 0) == 0);

    size_t stars = 0;
    const TrokMap copy(map);
    check(copy.valid && copy.getWidth() == w && copy.getHeight() == h);
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const char c = map.get(i, j);
            check(c == '*' || accepted(c));
            check(copy.get(i, j) == c);
            stars += c == '*' ? 1 : 0;
        }
    }
    check(countOf(printed, "Should not get here\n") == stars);
}

void removeScratch()
{
    const std::string content = g_scratch + "/Content";
    unlink((content + "/city1.troklevel").c_str());
    rmdir(content.c_str());
    rmdir(g_scratch.c_str());
}

// One game on the level, run for a few frames, then back to the title.
void playGame(const LevelReport& report)
{
    if (chdir(g_scratch.c_str()) != 0) {
        std::abort();
    }
    Eventloop::switchState(STATE_PLAYING);
    for (int frame = 0; frame < 4; ++frame) {
        gldouble::advanceClock(20);
        Eventloop::runEvents();
        if (frame == 1) {
            // The first playing frame built the game.
            if (report.activists > 0) {
                check(WorldProbe::running(*g_world));
                check(TrokWorld::totalAgentCount == static_cast<uint32_t>(report.citizens + report.police));
            } else {
                check(!WorldProbe::running(*g_world));
            }
        }
    }
    Eventloop::switchState(STATE_TITLE);
    gldouble::advanceClock(20);
    Eventloop::runEvents();
    gldouble::advanceClock(20);
    Eventloop::runEvents();
    check(!WorldProbe::running(*g_world));
    check(WorldProbe::objectCount(*g_world) == 0);
    check(PhysicsProbe::listed() == 0);
    if (fchdir(g_startDirectory) != 0) {
        std::abort();
    }
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_file = memfd_create("level", 0);
    g_startDirectory = open(".", O_RDONLY | O_DIRECTORY);
    char scratch[] = "/tmp/morvellant-map-fuzz-XXXXXX";
    if (g_file < 0 || g_startDirectory < 0 || mkdtemp(scratch) == nullptr) {
        std::abort();
    }
    g_scratch = scratch;
    g_path = "/proc/self/fd/" + std::to_string(g_file);
    if (mkdir((g_scratch + "/Content").c_str(), 0700) != 0
        || symlink(g_path.c_str(), (g_scratch + "/Content/city1.troklevel").c_str()) != 0) {
        std::abort();
    }
    std::atexit(removeScratch);

    // The engine on the recording double, with only the game world in the
    // frame: no screens to react to keys, nothing recorded.
    setHostEndian();
    gldouble::setRecording(false);
    static Eventloop loop;
    g_world = new TrokWorld();
    Eventloop::addWorldToList(g_world);
    Eventloop::switchState(STATE_TITLE);
    Eventloop::runEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (ftruncate(g_file, 0) != 0 || pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) {
        std::abort();
    }

    std::ostringstream printed;
    std::streambuf* const console = std::cout.rdbuf(printed.rdbuf());
    {
        const TrokMap map(g_path);
        checkMap(map, size, printed.str());
        const LevelReport report(map);
        std::ostringstream ignored;
        report.print(ignored);
        if (map.valid) {
            playGame(report);
        }
    }
    std::cout.rdbuf(console);
    return 0;
}
