#include "Headless/playthrough.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "Base/eventloop.h"
#include "Base/hostplatform.h"
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
const int kUnreached = -2;

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

}  // namespace

Playthrough::Playthrough()
    : world(nullptr), scratch(), left(), held(), citizens(), decided(), citizenAt(), cameFrom(), reached()
{
    Headless::reset();
    initTrokEngine();
    world = initGameWorlds();
    // The game reads its level from Content/ of the working directory.
    scratch = hostMakeScratchDirectory("morvellant-play-");
    std::error_code failed;
    left = std::filesystem::current_path(failed);
    if (!scratch.empty()) {
        std::filesystem::current_path(scratch, failed);
    }
    if (scratch.empty() || failed) {
        std::cerr << "morvellant-levelcheck: cannot make a directory to play in" << std::endl;
        std::exit(1);
    }
    std::filesystem::create_directory(scratch / "Content");
}

Playthrough::~Playthrough()
{
    // Windows keeps a process's working directory from being removed.
    std::error_code ignored;
    std::filesystem::current_path(left, ignored);
    std::filesystem::remove_all(scratch, ignored);
}

Playthrough::Result Playthrough::play(const std::string& level, unsigned seed, bool simplePlayer, uint32_t limitMs)
{
    // Written as given: Windows' text mode would end the lines in "\r\n".
    std::ofstream(scratch / "Content/city1.troklevel", std::ios::trunc | std::ios::binary) << level;
    std::ostringstream quiet;
    std::streambuf* const console = std::cout.rdbuf(quiet.rdbuf());

    Eventloop::switchState(STATE_PLAYING);
    frame();
    // Seeded as the city is built: the seed deals every alignment, leg,
    // nudge and police rhythm of the game.
    hostSrand(seed);
    frame();
    findCitizens();
    Result result = { STATE_PLAYING, 0, {}, {} };
    uint32_t played = 0;
    while (Eventloop::getState() == STATE_PLAYING && played < limitMs) {
        if (simplePlayer) {
            steer();
            const bool talk = played % kTalkEveryMs < frameMs;
            talk ? Headless::pressKey(' ') : Headless::releaseKey(' ');
        }
        frame();
        played += frameMs;
        watch(simplePlayer, result);
    }
    result.state = Eventloop::getState();
    result.ms = played;

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

// The citizens of the game just built, in list order: the simple player
// looks for them every frame, and a big city holds a million other objects.
void Playthrough::findCitizens()
{
    citizens.clear();
    if (Eventloop::getState() != STATE_PLAYING) {
        return;
    }
    for (const TrokObject* object : world->getObjects()) {
        if (dynamic_cast<const TrokBehaviorCitizen*>(object->behavior) != nullptr) {
            citizens.push_back(object);
        }
    }
    const TrokMap& map = *world->getMap();
    const size_t cells = static_cast<size_t>(map.getWidth()) * map.getHeight();
    citizenAt.assign(cells, nullptr);
    cameFrom.assign(cells, kUnreached);
    decided.clear();
    for (const TrokObject* object : citizens) {
        decided.push_back(std::fabs(static_cast<const TrokBehaviorCitizen*>(object->behavior)->getAlignment()) >= 1.0f);
    }
}

int Playthrough::cellOfObject(const TrokObject& object) const
{
    const TrokMap& map = *world->getMap();
    const Vector at = object.physics->getCurrentLocation();
    return cellOf(at.z, map.getHeight()) * map.getWidth() + cellOf(at.x, map.getWidth());
}

// After a frame, while its objects still stand even if it ended the game: a
// citizen locks in when a nudge brings its alignment to magnitude 1, and
// stays there; the simple player's steps are counted by the cells entered.
void Playthrough::watch(bool simplePlayer, Result& result)
{
    for (size_t i = 0; i < citizens.size(); ++i) {
        const float alignment = static_cast<const TrokBehaviorCitizen*>(citizens[i]->behavior)->getAlignment();
        if (!decided[i] && std::fabs(alignment) >= 1.0f) {
            decided[i] = true;
            result.conversions.push_back({ cellOfObject(*citizens[i]), alignment > 0.0f });
        }
    }
    if (simplePlayer && world->trok != nullptr) {
        const int cell = cellOfObject(*world->trok);
        if (result.path.empty() || result.path.back() != cell) {
            result.path.push_back(cell);
        }
    }
}

// Where the simple player heads: the centre of the next cell on the shortest
// way along the streets to the nearest undecided citizen, or where it stands
// when it is close enough or none is left. Only the cells the search reaches
// are cleared afterwards, so a frame costs what the search explores.
Vector Playthrough::nextGoal()
{
    const TrokMap& map = *world->getMap();
    const int w = map.getWidth();
    const int h = map.getHeight();
    const Vector at = world->trok->physics->getCurrentLocation();
    std::vector<int> marked;
    for (const TrokObject* object : citizens) {
        const TrokBehaviorCitizen* citizen = static_cast<const TrokBehaviorCitizen*>(object->behavior);
        if (std::fabs(citizen->getAlignment()) < 1.0f) {
            const Vector c = object->physics->getCurrentLocation();
            const int cell = cellOf(c.z, h) * w + cellOf(c.x, w);
            citizenAt[cell] = object;
            marked.push_back(cell);
        }
    }
    const int start = cellOf(at.z, h) * w + cellOf(at.x, w);
    Vector goal = at;
    reached.clear();
    cameFrom[start] = -1;
    reached.push_back(start);
    for (size_t next = 0; next < reached.size(); ++next) {
        const int here = reached[next];
        if (citizenAt[here] != nullptr) {
            int step = here;
            while (step != start && cameFrom[step] != start) {
                step = cameFrom[step];
            }
            const Vector to = citizenAt[here]->physics->getCurrentLocation();
            if (step != start && (to - at).length() > kCloseEnough) {
                goal = Vector(step % w + 0.5f, at.y, step / w + 0.5f);
            }
            break;
        }
        const int steps[4][2] = { { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } };
        for (const auto& d : steps) {
            const int x = here % w + d[0];
            const int z = here / w + d[1];
            if (x >= 0 && x < w && z >= 0 && z < h && cameFrom[z * w + x] == kUnreached && walkable(map.get(z, x))) {
                cameFrom[z * w + x] = here;
                reached.push_back(z * w + x);
            }
        }
    }
    for (const int cell : reached) {
        cameFrom[cell] = kUnreached;
    }
    for (const int cell : marked) {
        citizenAt[cell] = nullptr;
    }
    return goal;
}

void Playthrough::steer()
{
    const Vector at = world->trok->physics->getCurrentLocation();
    const Vector goal = nextGoal();
    const bool wanted[4] = { goal.x - at.x > 0.1f, goal.x - at.x < -0.1f, goal.z - at.z > 0.1f,
                             goal.z - at.z < -0.1f };
    for (int i = 0; i < 4; ++i) {
        if (wanted[i] != held[i]) {
            wanted[i] ? Headless::pressSpecial(kArrows[i]) : Headless::releaseSpecial(kArrows[i]);
            held[i] = wanted[i];
        }
    }
}
