#include <gtest/gtest.h>

#include <GL/glut.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <queue>
#include <vector>

#include "Base/vector.h"
#include "Game/gamestates.h"
#include "Game/trokbehavior.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/gameharness.h"
#include "support/worldprobe.h"

// The default city, played headless: an idle activist must not win, and a
// simple player that walks to the nearest undecided citizen and talks must
// win, within ten simulated minutes.

namespace
{

const uint32_t kFrameMs = 30;                  // about 33 frames a second
const int kTenMinutes = 10 * 60 * 1000 / kFrameMs;
const uint32_t kTalkPeriodMs = 500;             // talks twice a second
const float kCloseEnough = 2.0f;                // well inside the talk radius of 4

// Where to head: the centre of the next cell on the shortest street path
// (breadth first) to the nearest undecided citizen, or the activist's own
// centre when it is close enough or none is left.
Vector nextGoal(const TrokWorld& world)
{
    const TrokMap& map = *WorldProbe::mapOf(world);
    const int w = map.getWidth();
    const int h = map.getHeight();
    const Vector at = world.trok->physics->getCurrentLocation();
    std::vector<const TrokObject*> citizenAt(w * h, nullptr);
    for (const TrokObject* object : WorldProbe::objectsOf(world)) {
        // A locked citizen sits at exactly -1 or 1; open ones stay inside.
        const Vector c = object->physics->getCurrentLocation();
        const int x = static_cast<int>(std::floor(c.x));
        const int z = static_cast<int>(std::floor(c.z));
        if (object->behavior->getBehaviorType() == BEHAV_CITIZEN && x >= 0 && x < w && z >= 0 && z < h
            && std::fabs(static_cast<const TrokBehaviorCitizen*>(object->behavior)->getAlignment()) < 1.0f) {
            citizenAt[z * w + x] = object;
        }
    }

    // A push-out can leave the activist briefly inside a boundary wall.
    const int startX = std::min(std::max(static_cast<int>(std::floor(at.x)), 0), w - 1);
    const int startZ = std::min(std::max(static_cast<int>(std::floor(at.z)), 0), h - 1);
    const int start = startZ * w + startX;
    std::vector<int> cameFrom(w * h, -2);
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
            if (next == start || (citizenAt[here]->physics->getCurrentLocation() - at).length() <= kCloseEnough) {
                return at;
            }
            return Vector(next % w + 0.5f, at.y, next / w + 0.5f);
        }
        const int steps[4][2] = { { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } };
        for (const auto& step : steps) {
            const int nx = here % w + step[0];
            const int nz = here / w + step[1];
            // Everything but standing blocks can be walked: roofs are not solid, a 0 block is flat.
            const char c = nx >= 0 && nx < w && nz >= 0 && nz < h ? map.get(nz, nx) : '#';
            if (c != '#' && c != '$' && (c < '1' || c > '7') && cameFrom[nz * w + nx] == -2) {
                cameFrom[nz * w + nx] = here;
                open.push(nz * w + nx);
            }
        }
    }
    return at;
}

// Starts the default city with the given seed and plays up to ten minutes,
// the scripted player steering with the arrows and tapping Space twice a
// second. The GL record is off: the frames still draw everything, unrecorded.
int play(unsigned int seed, bool scripted)
{
    if (chdir(MORVELLANT_SOURCE_DIR) != 0) {
        ADD_FAILURE() << "cannot enter " << MORVELLANT_SOURCE_DIR;
        return -1;
    }
    GameHarness game;
    gldouble::setRecording(false);
    testing::internal::CaptureStdout();
    game.frames(2, kFrameMs);
    game.tap('x');
    // Seeded before the city is built: the seed deals the citizens'
    // alignments as well as every leg, nudge and police rhythm.
    srand(seed);
    game.tap(' ');
    const TrokWorld& world = WorldProbe::registered();
    const int arrows[4] = { GLUT_KEY_RIGHT, GLUT_KEY_LEFT, GLUT_KEY_DOWN, GLUT_KEY_UP };
    bool held[4] = { false, false, false, false };
    bool talking = false;
    int frame = 0;
    for (; frame < kTenMinutes && game.state() == STATE_PLAYING; ++frame) {
        if (scripted) {
            const bool due = (frame * kFrameMs) % kTalkPeriodMs < kFrameMs;
            if (talking) {
                game.release(' ');
            } else if (due) {
                game.press(' ');
            }
            talking = !talking && due;
            const Vector at = world.trok->physics->getCurrentLocation();
            const Vector goal = nextGoal(world);
            const bool wanted[4] = { goal.x - at.x > 0.1f, goal.x - at.x < -0.1f, goal.z - at.z > 0.1f,
                                     goal.z - at.z < -0.1f };
            for (int i = 0; i < 4; ++i) {
                if (wanted[i] != held[i]) {
                    wanted[i] ? game.pressSpecial(arrows[i]) : game.releaseSpecial(arrows[i]);
                    held[i] = wanted[i];
                }
            }
        }
        game.frame(kFrameMs);
    }
    testing::internal::GetCapturedStdout();
    const int state = game.state();
    std::cout << (scripted ? "seed " : "idle, seed ") << seed << ": "
              << (state == STATE_WON ? "won" : state == STATE_LOST ? "lost" : "still playing") << " after "
              << frame * kFrameMs / 1000.0 << " s; allies " << TrokWorld::allyCount << ", police "
              << TrokWorld::policeCount << " of " << TrokWorld::totalAgentCount << std::endl;
    return state;
}

}

TEST(Balance, AnIdleActivistDoesNotWinWithinTenMinutes)
{
    EXPECT_NE(play(1, false), STATE_WON);
}

class BalanceSeed : public ::testing::TestWithParam<unsigned int>
{
};

TEST_P(BalanceSeed, AScriptedPlayerWinsWithinTenMinutes)
{
    EXPECT_EQ(play(GetParam(), true), STATE_WON);
}

INSTANTIATE_TEST_SUITE_P(FiveSeeds, BalanceSeed, ::testing::Values(1u, 2u, 3u, 4u, 5u));
