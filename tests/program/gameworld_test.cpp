#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glut.h>

#include <string>
#include <vector>

#include "Base/vector.h"
#include "Game/gamestates.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/gameharness.h"
#include "support/handbuilt.h"
#include "support/levelfile.h"
#include "support/worldprobe.h"

namespace
{

const std::vector<std::string> kLevel = {
    "W.....W",
    ".@...C.",
    "...P...",
    "W.....W",
};

// Credits, title, then Space: the game is built in the first playing frame.
void enterGame(GameHarness& game)
{
    game.frames(2);
    game.tap('x');
    game.tap(' ');
}

// The aspect ratio of the game world's projection in the last frame.
double lastAspect()
{
    const auto perspectives = gldouble::callsNamed("gluPerspective");
    return perspectives.empty() ? -1.0 : perspectives.back().args[1];
}

std::vector<Vector> centres(const TrokWorld& world)
{
    std::vector<Vector> found;
    for (const TrokObject* object : WorldProbe::objectsOf(world)) {
        found.push_back(object->physics->getCurrentLocation());
    }
    return found;
}

bool activistDrawn()
{
    for (const auto& call : gldouble::callsNamed("glColor4ubv")) {
        if (call.args == std::vector<double>{ 255, 32, 32, 216 }) {
            return true;
        }
    }
    return false;
}

}

class GameWorldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        enterTemporaryDirectory();
        writeLevel(kLevel);
    }
};

TEST_F(GameWorldTest, PlayingBuildsFollowsAndPausingFreezesButStillDraws)
{
    GameHarness game;
    testing::internal::CaptureStdout();
    enterGame(game);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 7,4\n");
    ASSERT_EQ(game.state(), STATE_PLAYING);
    TrokWorld& world = WorldProbe::registered();
    ASSERT_TRUE(WorldProbe::runningOf(world));

    game.pressSpecial(GLUT_KEY_RIGHT);
    game.frames(10);
    const Vector at = world.trok->physics->getCurrentLocation();
    EXPECT_GT(at.x, 2.0f);
    // The camera keeps its offset from the activist and never turns.
    const Location& cam = WorldProbe::cameraOf(world).loc;
    EXPECT_NEAR(cam.x, at.x + 0.1f, 1e-4);
    EXPECT_NEAR(cam.y, at.y + 18.0f, 1e-4);
    EXPECT_NEAR(cam.z, at.z + 1.0f, 1e-4);
    const Vector look = Vector(0.0f, -45.0f, -5.0f).normalize();
    EXPECT_NEAR(cam.findForward().y, look.y, 1e-5);
    EXPECT_NEAR(cam.findForward().z, look.z, 1e-5);

    game.tap(27);   // Escape: paused from the next frame on
    ASSERT_EQ(game.state(), STATE_PAUSED);
    const std::vector<TrokObject*> objects = WorldProbe::objectsOf(world);
    const std::vector<Vector> frozen = centres(world);
    const float frozenX = world.trok->physics->getCurrentLocation().x;
    const Vector camFrozen = cam;
    gldouble::clearCalls();
    game.frames(30);
    EXPECT_EQ(WorldProbe::objectsOf(world), objects);
    const std::vector<Vector> after = centres(world);
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_TRUE(after[i] == frozen[i]) << "object " << i << " moved while paused";
    }
    EXPECT_TRUE(Vector(cam) == camFrozen);
    EXPECT_TRUE(activistDrawn());
    EXPECT_EQ(gldouble::countOf("glutSolidCube"), 0u);

    // Resuming goes on with the same objects, still steered by the held key.
    game.tap(27);
    ASSERT_EQ(game.state(), STATE_PLAYING);
    game.frames(5);
    EXPECT_EQ(WorldProbe::objectsOf(world), objects);
    EXPECT_GT(world.trok->physics->getCurrentLocation().x, frozenX);
}

TEST_F(GameWorldTest, WonGameIsTornDownNextFrameAndTheMarkerShowsWhereItEnded)
{
    GameHarness game;
    testing::internal::CaptureStdout();
    enterGame(game);
    TrokWorld& world = WorldProbe::registered();
    game.pressSpecial(GLUT_KEY_DOWN);
    game.frames(8);

    // As a citizen locking in would: the win takes effect after this frame,
    // which still runs the game.
    TrokWorld::citizenToAlly();
    game.frame();
    ASSERT_EQ(game.state(), STATE_WON);
    ASSERT_TRUE(WorldProbe::runningOf(world));
    const Vector last = world.trok->physics->getCurrentLocation();

    gldouble::clearCalls();
    game.frame();
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(WorldProbe::runningOf(world));
    EXPECT_TRUE(WorldProbe::objectsOf(world).empty());
    EXPECT_EQ(world.trok, nullptr);
    EXPECT_TRUE(PhysicsProbe::list().empty());
    EXPECT_FALSE(activistDrawn());

    // Three cubes: the first at the activist's last centre, the others one
    // cell along x and along z from it (each translation nested in the first).
    const auto translations = gldouble::callsNamed("glTranslatef");
    ASSERT_EQ(translations.size(), 3u);
    EXPECT_NEAR(translations[0].args[0], last.x, 1e-4);
    EXPECT_NEAR(translations[0].args[1], last.y, 1e-4);
    EXPECT_NEAR(translations[0].args[2], last.z, 1e-4);
    EXPECT_EQ(translations[1].args, (std::vector<double>{ 1, 0, 0 }));
    EXPECT_EQ(translations[2].args, (std::vector<double>{ 0, 0, 1 }));
    EXPECT_EQ(gldouble::countOf("glutSolidCube"), 3u);
    EXPECT_EQ(gldouble::callsNamed("glutSolidCube")[0].args[0], 0.5);
}

TEST_F(GameWorldTest, ResizeChangesTheAspectInEveryState)
{
    GameHarness game;
    game.frame();
    EXPECT_NEAR(lastAspect(), 1000.0 / 750.0, 1e-6);

    int width = 400;
    auto resizeAndCheck = [&](int expectedState) {
        ASSERT_EQ(game.state(), expectedState);
        width += 100;
        gldouble::reshape(width, 500);
        game.frame();
        EXPECT_NEAR(lastAspect(), width / 500.0, 1e-6) << "in state " << expectedState;
    };
    testing::internal::CaptureStdout();
    resizeAndCheck(STATE_CREDITS);
    game.tap('x');
    resizeAndCheck(STATE_TITLE);
    game.tap(' ');
    resizeAndCheck(STATE_PLAYING);
    game.tap(27);
    resizeAndCheck(STATE_PAUSED);
    TrokWorld::stageLost();
    game.frame();
    resizeAndCheck(STATE_LOST);
    testing::internal::GetCapturedStdout();

    // A minimised window has no height: the projection stays finite.
    gldouble::reshape(800, 0);
    game.frame();
    EXPECT_EQ(lastAspect(), 1.0);
}

TEST_F(GameWorldTest, EndingTwiceIsHarmlessAndANewGameStartsFresh)
{
    GameHarness game;
    testing::internal::CaptureStdout();
    enterGame(game);
    TrokWorld& world = WorldProbe::registered();
    world.endGame();
    world.endGame();
    EXPECT_TRUE(WorldProbe::objectsOf(world).empty());
    EXPECT_TRUE(PhysicsProbe::list().empty());

    // Still in the playing state: the next frame builds a game again.
    game.frame();
    EXPECT_TRUE(WorldProbe::runningOf(world));

    // Win it, leave the win screen, and play again.
    TrokWorld::citizenToAlly();
    game.frames(2);
    ASSERT_EQ(game.state(), STATE_WON);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    game.tap(27);
    ASSERT_EQ(game.state(), STATE_TITLE);
    game.tap(' ');
    ASSERT_EQ(game.state(), STATE_PLAYING);
    const std::string out = testing::internal::GetCapturedStdout();

    size_t sizeLines = 0;
    for (size_t at = out.find("Map size: 7,4\n"); at != std::string::npos;
         at = out.find("Map size: 7,4\n", at + 1)) {
        ++sizeLines;
    }
    EXPECT_EQ(sizeLines, 3u);
    EXPECT_EQ(TrokWorld::allyCount, 0u);
    EXPECT_EQ(TrokWorld::citizenCount, 1u);
    EXPECT_EQ(TrokWorld::policeCount, 1u);
    EXPECT_EQ(TrokWorld::totalAgentCount, 2u);
    EXPECT_EQ(WorldProbe::objectsOf(world).size(), 8u);
}

TEST_F(GameWorldTest, BeforeAnyGameTheMarkerSitsAtTheOrigin)
{
    GameHarness game;
    game.frames(2);
    const auto cubes = gldouble::callsNamed("glutSolidCube");
    EXPECT_EQ(cubes.size(), 6u);
    const auto translations = gldouble::callsNamed("glTranslatef");
    ASSERT_FALSE(translations.empty());
    EXPECT_EQ(translations[0].args, (std::vector<double>{ 0, 0, 0 }));
}
