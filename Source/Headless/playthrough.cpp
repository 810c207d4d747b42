#include "Headless/playthrough.h"

#include <GL/glut.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <queue>
#include <sstream>
#include <vector>

#include "Base/eventloop.h"
#include "Base/initialize.h"
#include "Game/gameinit.h"
#include "Game/gamestates.h"
#include "Game/trokbehavior.h"
#include "Game/trokmap.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "Headless/headless.h"

namespace
{

// The simple player stops this close to the citizen it walks to, well inside
// a talk's reach of 4, and talks this often.
const float kCloseEnough = 2.0f;
const uint32_t kTalkEveryMs = 500;
// Right, left, down, up: the directions of growing and shrinking x and z.
const int kArrows[4] = { GLUT_KEY_RIGHT, GLUT_KEY_LEFT, GLUT_KEY_DOWN, GLUT_KEY_UP };

// Everything but a standing block can be walked: roofs lie overhead, and a
// block of height 0 is flat.
bool walkable(char c)
{
    return c != '#' && c != '$' && (c < '1' || c > '7');
}

int cellOf(float coordinate, int cells)
{
    // A push can leave the activist briefly in a boundary wall.
    return std::min(std::max(static_cast<int>(std::floor(coordinate)), 0), cells - 1);
}

// Where the simple player heads: the centre of the next cell on the shortest
// way along the streets to the nearest undecided citizen, or where it stands
// when it is close enough or none is left.
Vector nextGoal(const TrokWorld& world)
{
    const TrokMap& map = *world.getMap();
    const int w = map.getWidth();
    const int h = map.getHeight();
    const Vector at = world.trok->physics->getCurrentLocation();
    std::vector<const TrokObject*> citizenAt(static_cast<size_t>(w) * h, nullptr);
    for (const TrokObject* object : world.getObjects()) {
        const TrokBehaviorCitizen* citizen = dynamic_cast<const TrokBehaviorCitizen*>(object->behavior);
        if (citizen != nullptr && std::fabs(citizen->getAlignment()) < 1.0f) {
            const Vector c = object->physics->getCurrentLocation();
            citizenAt[static_cast<size_t>(cellOf(c.z, h)) * w + cellOf(c.x, w)] = object;
        }
    }
    const int start = cellOf(at.z, h) * w + cellOf(at.x, w);
    std::vector<int> cameFrom(citizenAt.size(), -2);
    cameFrom[start] = -1;
    std::queue<int> open;
    open.push(start);
    while (!open.empty()) {
        const int here = open.front();
        open.pop();
        if (citizenAt[here] != nullptr) {
            int next = here;
            while (next != start && cameFrom[next] != start) {
                next = cameFrom[next];
            }
            const Vector to = citizenAt[here]->physics->getCurrentLocation();
            if (next == start || (to - at).length() <= kCloseEnough) {
                return at;
            }
            return Vector(next % w + 0.5f, at.y, next / w + 0.5f);
        }
        const int steps[4][2] = { { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } };
        for (const auto& step : steps) {
            const int x = here % w + step[0];
            const int z = here / w + step[1];
            if (x >= 0 && x < w && z >= 0 && z < h && cameFrom[z * w + x] == -2 && walkable(map.get(z, x))) {
                cameFrom[z * w + x] = here;
                open.push(z * w + x);
            }
        }
    }
    return at;
}

}  // namespace

Playthrough::Playthrough()
    : world(nullptr), scratch(), held()
{
    Headless::reset();
    initTrokEngine();
    world = initGameWorlds();
    // The game reads its level from Content/ of the working directory.
    char name[] = "/tmp/morvellant-play-XXXXXX";
    if (mkdtemp(name) == nullptr || chdir(name) != 0) {
        std::cerr << "morvellant-levelcheck: cannot make a directory to play in" << std::endl;
        std::exit(1);
    }
    scratch = name;
    std::filesystem::create_directory(scratch + "/Content");
}

Playthrough::~Playthrough()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

Playthrough::Result Playthrough::play(const std::string& level, unsigned seed, bool simplePlayer, uint32_t limitMs)
{
    std::ofstream(scratch + "/Content/city1.troklevel", std::ios::trunc) << level;
    std::ostringstream quiet;
    std::streambuf* const console = std::cout.rdbuf(quiet.rdbuf());

    Eventloop::switchState(STATE_PLAYING);
    frame();
    // Seeded as the city is built: the seed deals every alignment, leg,
    // nudge and police rhythm of the game.
    std::srand(seed);
    frame();
    uint32_t played = 0;
    while (Eventloop::getState() == STATE_PLAYING && played < limitMs) {
        if (simplePlayer) {
            steer();
            const bool talk = played % kTalkEveryMs < frameMs;
            talk ? Headless::pressKey(' ') : Headless::releaseKey(' ');
        }
        frame();
        played += frameMs;
    }
    const Result result = { Eventloop::getState(), played };

    Headless::releaseKey(' ');
    for (int i = 0; i < 4; ++i) {
        Headless::releaseSpecial(kArrows[i]);
        held[i] = false;
    }
    // A conversion in the first of these frames may still end the game.
    for (int i = 0; i < 3; ++i) {
        Eventloop::switchState(STATE_TITLE);
        frame();
    }
    std::cout.rdbuf(console);
    return result;
}

void Playthrough::frame()
{
    Headless::advanceClock(frameMs);
    Headless::display();
}

void Playthrough::steer()
{
    const Vector at = world->trok->physics->getCurrentLocation();
    const Vector goal = nextGoal(*world);
    const bool wanted[4] = { goal.x - at.x > 0.1f, goal.x - at.x < -0.1f, goal.z - at.z > 0.1f,
                             goal.z - at.z < -0.1f };
    for (int i = 0; i < 4; ++i) {
        if (wanted[i] != held[i]) {
            wanted[i] ? Headless::pressSpecial(kArrows[i]) : Headless::releaseSpecial(kArrows[i]);
            held[i] = wanted[i];
        }
    }
}
