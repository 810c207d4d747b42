// The grid-backed collision pass and radius search against the walks of the
// whole list they replace: random scenes run both ways must leave every box
// at the same bits, meet the same pairs in the same order and find the same
// objects in the same order; and whole games of the default city must play
// out identically, also when the still objects are given their think.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <GL/glut.h>

#include "Base/eventloop.h"
#include "Base/inputmanager.h"
#include "Game/gamestates.h"
#include "Game/trokdisplay.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"
#include "support/worldprobe.h"

namespace {

class Loop : public Eventloop
{
public:
    static void setFPS(float fps) { ms_rFPS = fps; }
    static void enter(int state) { ms_eState = state; ms_eNextState = state; }
};

std::string bits(float f)
{
    uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    std::ostringstream out;
    out << std::hex << u;
    return out.str();
}

std::string where(const TrokPhysics& p)
{
    const Location at = p.getCurrentLocation();
    return bits(at.x) + "," + bits(at.y) + "," + bits(at.z);
}

struct Box
{
    std::string name;
    std::unique_ptr<HandBuilt> built;
};

// One random scene, played for some frames with one kind of pass. Every
// draw comes from the seed alone, never from the outcome, so both kinds of
// pass play the same script; the returned trace is what they must agree on.
std::vector<std::string> playScene(unsigned seed, bool grid)
{
    PhysicsProbe::setBroadPhase(grid);
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto real = [&rng](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
    // Whole and half cells make touching faces and exact ties; the rest
    // lands anywhere.
    auto coordinate = [&](float lo, float hi) {
        const int kind = pick(3);
        const float v = real(lo, hi);
        return kind == 0 ? std::floor(v) : kind == 1 ? std::floor(v * 2.0f) / 2.0f : v;
    };
    auto extent = [&]() {
        static const float sizes[] = { 1, 1, 1, 2, 3, 0.5f, 1.5f, 2.5f, 0, 14, 0.25f };
        const int kind = pick(14);
        return kind < 11 ? sizes[kind] : real(0.1f, 4.0f);
    };
    static const int types[] = { BEHAV_CITIZEN, BEHAV_POLICE, BEHAV_BUILDING };

    std::vector<std::string> trace;
    std::vector<Box> boxes;
    int made = 0;
    const float span = static_cast<float>(6 + pick(10));
    auto make = [&]() {
        const std::string name = "b" + std::to_string(made++);
        Vector corner(coordinate(-1, span), coordinate(0, 3), coordinate(-1, span));
        Vector size(extent(), pick(4) == 0 ? extent() : 1.0f, extent());
        if (pick(8) == 0) {
            std::swap(size.x, size.z);  // walls run both ways
        }
        const int far = pick(60);
        if (far == 0) {
            corner.x = 3.0e9f;          // too far out for cells
        } else if (far == 1) {
            size = Vector(400, 1, 400); // too many cells
        } else if (far == 2) {
            corner.z = 5.0e7f;          // in cells, but far beyond the others
        }
        const bool moving = pick(2) == 0;
        const bool obstructive = pick(10) != 0;
        Box box{ name, std::unique_ptr<HandBuilt>(new HandBuilt(name, corner, size, moving,
            types[pick(3)], obstructive, &trace)) };
        if (moving) {
            PhysicsProbe::setVelocity(box.built->physics(),
                                      Vector(real(-8, 8), pick(5) == 0 ? real(-3, 3) : 0.0f, real(-8, 8)));
        }
        boxes.push_back(std::move(box));
    };

    const int first = 2 + pick(40);
    for (int i = 0; i < first; ++i) {
        make();
    }
    const int frames = 4 + pick(12);
    for (int frame = 0; frame < frames; ++frame) {
        trace.push_back("frame " + std::to_string(frame));
        // Objects come and go between frames, from anywhere in the list.
        if (!boxes.empty() && pick(3) == 0) {
            boxes.erase(boxes.begin() + pick(static_cast<int>(boxes.size())));
        }
        for (int n = pick(3); n > 0; --n) {
            make();
        }
        // Now and then a box is dropped deep into others.
        if (!boxes.empty() && pick(4) == 0) {
            Box& moved = boxes[static_cast<size_t>(pick(static_cast<int>(boxes.size())))];
            PhysicsProbe::setCentre(moved.built->physics(),
                                    Vector(coordinate(0, span), coordinate(0, 3), coordinate(0, span)));
        }
        for (Box& box : boxes) {
            box.built->physics().update();
        }
        TrokPhysics::processCollisions();
        for (Box& box : boxes) {
            trace.push_back(box.name + " " + where(box.built->physics()));
        }
        for (int n = 0; n < 3 && !boxes.empty(); ++n) {
            const Box& from = boxes[static_cast<size_t>(pick(static_cast<int>(boxes.size())))];
            const int type = types[pick(3)];
            const int reach = pick(12);
            const float radius = reach < 8 ? static_cast<float>(reach) : reach == 8 ? real(0, 10)
                               : reach == 9 ? -1.0f : reach == 10 ? 1.0e7f : real(0, 3);
            std::string line = from.name + " finds";
            for (TrokObject* found : from.built->physics().findBehaviorTypeObjectsInRadius(type, radius)) {
                line += " " + static_cast<RecordingBehavior*>(found->behavior)->name;
            }
            trace.push_back(line);
        }
    }
    return trace;
}

void expectSameTrace(const std::vector<std::string>& grid, const std::vector<std::string>& walk, unsigned seed)
{
    const size_t n = std::min(grid.size(), walk.size());
    for (size_t i = 0; i < n; ++i) {
        if (grid[i] != walk[i]) {
            ADD_FAILURE() << "scene " << seed << ", line " << i << ": grid \"" << grid[i] << "\", walk \""
                          << walk[i] << "\"";
            return;
        }
    }
    EXPECT_EQ(grid.size(), walk.size()) << "scene " << seed;
}

}  // namespace

TEST(BroadPhase, RandomScenesMatchTheWholeListWalk)
{
    gldouble::reset();
    new Eventloop();
    Loop::setFPS(10.0f);
    size_t meetings = 0;
    size_t finds = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const std::vector<std::string> walk = playScene(seed, false);
        const std::vector<std::string> grid = playScene(seed, true);
        expectSameTrace(grid, walk, seed);
        if (HasFailure()) {
            return;
        }
        for (const std::string& line : walk) {
            meetings += line.find('>') != std::string::npos ? 1 : 0;
            finds += line.find(" finds ") != std::string::npos ? 1 : 0;
        }
    }
    // The scenes did exercise both: many collisions and many searches that found something.
    EXPECT_GT(meetings, 2000u);
    EXPECT_GT(finds, 1000u);

    // A flat box has no inside: it is filed under the one cell it starts in,
    // here just beyond the cells of the search's square, exactly at the radius.
    HandBuilt talker("t", Vector(-0.5f, 1, -0.5f), Vector(1, 1, 1), false, BEHAV_CITIZEN);
    HandBuilt flat("f", Vector(4, 1, 0), Vector(0, 1, 0), false, BEHAV_CITIZEN);
    for (bool grid : { false, true }) {
        PhysicsProbe::setBroadPhase(grid);
        EXPECT_EQ(talker.physics().findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 4.0f),
                  (std::vector<TrokObject*>{ talker.object(), flat.object() }));
    }
}

namespace {

// One game of the city in the current directory, driven frame by frame as
// the event loop would, with the activist walking about and talking. The
// trace is every object's place and colour and the score after each frame.
// The reference run also gives input and think to the still objects, which
// the game world leaves out: that must change nothing either.
std::vector<std::string> playCity(bool grid, int frames)
{
    PhysicsProbe::setBroadPhase(grid);
    gldouble::setClock(0);
    std::srand(1);
    Loop::enter(STATE_PLAYING);
    std::vector<std::string> trace;
    TrokWorld world;
    static const int walks[] = { GLUT_KEY_LEFT, GLUT_KEY_DOWN, GLUT_KEY_RIGHT, GLUT_KEY_UP };
    for (int frame = 0; frame < frames; ++frame) {
        // A new direction every second, a word every half second.
        const int walk = walks[(frame / 60) % 4];
        if (frame % 60 == 0) {
            InputManager::callbackSpecialRelease(walks[(frame / 60 + 3) % 4], 0, 0);
            InputManager::callbackSpecialPress(walk, 0, 0);
        }
        if (frame % 30 == 0) {
            InputManager::callbackKeyboardPress(' ', 0, 0);
        } else if (frame % 30 == 1) {
            InputManager::callbackKeyboardRelease(' ', 0, 0);
        }
        gldouble::advanceClock(16);
        world.input();
        world.think();
        if (!grid) {
            for (TrokObject* object : WorldProbe::objectsOf(world)) {
                if (object->isStill()) {
                    object->input();
                    object->think();
                }
            }
        }
        InputManager::signalFrameDone();
        std::string line = std::to_string(TrokWorld::allyCount) + " " + std::to_string(TrokWorld::policeCount);
        for (const TrokObject* object : WorldProbe::objectsOf(world)) {
            const Color fill = object->display->getFillColor();
            line += " " + where(*object->physics) + "/" + std::to_string(fill.getr()) + "," +
                    std::to_string(fill.getg()) + "," + std::to_string(fill.getb());
        }
        trace.push_back(line);
    }
    world.endGame();
    for (int key : walks) {
        InputManager::callbackSpecialRelease(key, 0, 0);
    }
    InputManager::signalFrameDone();
    return trace;
}

}  // namespace

TEST(BroadPhase, WholeGamesPlayTheSameEitherWay)
{
    // The shipped level, from the build directory.
    gldouble::reset();
    new Eventloop();
    new InputManager();
    Loop::setFPS(60.0f);
    testing::internal::CaptureStdout();
    const std::vector<std::string> walk = playCity(false, 900);
    const std::vector<std::string> grid = playCity(true, 900);
    testing::internal::GetCapturedStdout();
    expectSameTrace(grid, walk, 0);
    // Something happened: the activist's talk and the police swayed citizens.
    EXPECT_NE(walk.front().substr(0, 4), walk.back().substr(0, 4));
}
