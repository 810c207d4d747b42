#include <gtest/gtest.h>

#include <GL/glut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Base/vector.h"
#include "Game/gamestates.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/compare.h"
#include "support/gameharness.h"
#include "support/worldprobe.h"

static std::vector<Vector> centres(const TrokWorld& world)
{
    std::vector<Vector> found;
    for (const TrokObject* object : WorldProbe::objectsOf(world)) {
        found.push_back(object->physics->getCurrentLocation());
    }
    return found;
}

TEST(GameWorld, PlayingFollowsTheActivistAndPausingFreezesButStillDraws)
{
    enterTemporaryDirectory();
    writeLevel({ "W.....W", ".@...C.", "...P...", "W.....W" });
    GameHarness game;
    testing::internal::CaptureStdout();
    game.startPlaying();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 7,4\n");
    // Before any game the marker stood at the origin.
    EXPECT_EQ(gldouble::callsNamed("glTranslatef")[0].args, (std::vector<double>{ 0, 0, 0 }));
    ASSERT_EQ(game.state(), STATE_PLAYING);
    const TrokWorld& world = WorldProbe::registered();
    game.pressSpecial(GLUT_KEY_RIGHT);
    game.frames(10);
    const Vector at = world.trok->physics->getCurrentLocation();
    EXPECT_GT(at.x, 2.0f);
    // The camera keeps its offset from the activist and never turns.
    const Location& cam = WorldProbe::cameraOf(world).loc;
    expectNear(cam, at + Vector(0.1f, 18.0f, 1.0f), 1e-4f);
    expectNear(cam.findForward(), Vector(0.0f, -45.0f, -5.0f).normalize());

    game.tap(27);
    ASSERT_EQ(game.state(), STATE_PAUSED);
    const std::vector<TrokObject*> objects = WorldProbe::objectsOf(world);
    const std::vector<Vector> frozen = centres(world);
    const Vector camFrozen = cam;
    gldouble::clearCalls();
    game.frames(30);
    EXPECT_EQ(WorldProbe::objectsOf(world), objects);
    EXPECT_TRUE(centres(world) == frozen);
    EXPECT_TRUE(Vector(cam) == camFrozen);
    // Still drawn, the activist in its red, and no marker.
    const auto colours = gldouble::callsNamed("glColor4ubv");
    EXPECT_TRUE(std::any_of(colours.begin(), colours.end(), [](const gldouble::Call& call) {
        return call.args == std::vector<double>{ 255, 32, 32, 216 };
    }));
    EXPECT_EQ(gldouble::countOf("glutSolidCube"), 0u);

    // Resuming goes on with the same objects, still steered by the held key.
    game.tap(27);
    game.frames(5);
    EXPECT_EQ(WorldProbe::objectsOf(world), objects);
    EXPECT_GT(world.trok->physics->getCurrentLocation().x, at.x);
}

// The whole program with the game's own unseeded rand(): the same keys at the
// same virtual times always play the same game.
TEST(WholeGame, TalkingToTheOneCitizenWinsThenTheGameIsTornDownAndANewOneStartsFresh)
{
    enterTemporaryDirectory();
    // In a 3 by 3 city the citizen never wanders out of earshot.
    writeLevel({ "...", "@C.", "..." });
    GameHarness game;
    testing::internal::CaptureStdout();
    game.startPlaying();
    TrokWorld& world = WorldProbe::registered();
    int talks = 0;
    for (; game.state() == STATE_PLAYING && talks < 500; ++talks) {
        game.press(' ');
        game.frame();
        game.release(' ');
        if (game.state() == STATE_PLAYING) game.frame();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Map size: 3,3\n"
              "Locked in with align 1.16544\n"
              "Gained a loyal follower.\n"
              "Status: \n"
              "   totalAgents: 1\n"
              "   policeCount: 0\n"
              "   allyCount: 1\n"
              "   Remaining Citizens: 0\n"
              "***************** YOU WIN ******************\n");
    EXPECT_EQ(talks, 4);

    // The frame of the win still ran the game; the next one tears it down,
    // shows the win screen and three marker cubes from the activist's last
    // centre, one cell along x and along z (each nested in the first).
    ASSERT_EQ(game.state(), STATE_WON);
    ASSERT_TRUE(WorldProbe::runningOf(world));
    const Vector last = world.trok->physics->getCurrentLocation();
    gldouble::clearCalls();
    game.frame();
    EXPECT_TRUE(WorldProbe::noGame(world));
    EXPECT_EQ(gldouble::bitmapText(), "YOU WIN!!!\n\n\n(press the escape key to continue)\n");
    const auto moves = gldouble::callsNamed("glTranslatef");
    ASSERT_EQ(moves.size(), 3u);
    expectNear(Vector(moves[0].args[0], moves[0].args[1], moves[0].args[2]), last, 1e-4f);
    EXPECT_EQ(moves[1].args, (std::vector<double>{ 1, 0, 0 }));
    EXPECT_EQ(moves[2].args, (std::vector<double>{ 0, 0, 1 }));
    EXPECT_EQ(gldouble::callsNamed("glutSolidCube")[0].args[0], 0.5);

    // Escape, Space: a new game reprints the size and counts afresh.
    testing::internal::CaptureStdout();
    game.tap(27);
    game.tap(' ');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 3,3\n");
    EXPECT_EQ(WorldProbe::objectsOf(world).size(), 7u);

    // Ending twice is harmless; still playing, the next frame builds again.
    world.endGame();
    world.endGame();
    EXPECT_TRUE(WorldProbe::noGame(world));
    game.frame();
    EXPECT_EQ(WorldProbe::objectsOf(world).size(), 7u);
}

// A level that cannot be played builds nothing, says why in one line, and
// sends the screens back to the title, where every Space tries again.
TEST(WholeGame, UnplayableLevelsGoBackToTheTitleAndSpaceTriesAgain)
{
    enterTemporaryDirectory();
    GameHarness game;
    game.toTitle();
    const TrokWorld& world = WorldProbe::registered();
    const std::string notLoaded =
        "Incorrect file type!\nNo game: the level could not be loaded from Content/city1.troklevel.\n";
    const struct { std::vector<std::string> level; std::string printed; int state; } tries[] = {
        { {}, notLoaded, STATE_TITLE },
        { {}, notLoaded, STATE_TITLE },
        { { "C.P" }, "Map size: 3,1\nNo game: the level has no activist (@).\n", STATE_TITLE },
        { { "@.C" }, "Map size: 3,1\n", STATE_PLAYING },  // a game that keeps running
    };
    for (const auto& attempt : tries) {
        if (!attempt.level.empty()) writeLevel(attempt.level);
        testing::internal::CaptureStdout();
        game.tap(' ');
        game.frames(3);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), attempt.printed);
        EXPECT_EQ(game.state(), attempt.state);
        EXPECT_EQ(WorldProbe::noGame(world), attempt.state == STATE_TITLE);
        EXPECT_EQ(WorldProbe::mapOf(world) == nullptr, attempt.state == STATE_TITLE);
    }
}

// A queue of agents can squeeze the first one through a boundary wall; what
// moves is kept inside the walled map, touching the edge it crossed, while
// what stands still is never moved.
TEST(GameWorld, NothingThatMovesLeavesTheWalledMap)
{
    enterTemporaryDirectory();
    writeLevel({ "C...", ".@..", "...C" });
    GameHarness game;
    testing::internal::CaptureStdout();
    game.startPlaying();
    testing::internal::GetCapturedStdout();
    const std::vector<TrokObject*>& objects = WorldProbe::objectsOf(WorldProbe::registered());
    TrokPhysics& west = *objects[5]->physics;     // the citizen at (0, 0)
    TrokPhysics& east = *objects[7]->physics;     // the citizen at (3, 2)
    PhysicsProbe::setCentre(west, Vector(-3.0f, 1.5f, 0.5f));
    PhysicsProbe::setCentre(east, Vector(3.9f, 1.5f, 7.0f));
    const Vector wall = objects[1]->physics->getCurrentLocation();
    game.frame();
    EXPECT_EQ(west.getCurrentLocation().x, 0.5f);
    EXPECT_EQ(east.getCurrentLocation().x, 3.5f);
    EXPECT_EQ(east.getCurrentLocation().z, 2.5f);
    EXPECT_EQ(objects[1]->physics->getCurrentLocation(), wall);
}
