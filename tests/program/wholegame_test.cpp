#include <gtest/gtest.h>

#include <string>

#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/gameharness.h"
#include "support/levelfile.h"
#include "support/worldprobe.h"

namespace
{

const char* const kNoActivist = "No game: the level has no activist (@).\n";
const char* const kNotLoaded = "No game: the level could not be loaded from Content/city1.troklevel.\n";

// From the credits to the title screen.
void enterTitle(GameHarness& game)
{
    game.frames(2);
    game.tap('x');
}

}

// The whole program with the game's own unseeded rand(): the same keys at the
// same virtual times always play the same game.
TEST(WholeGame, TalkingToTheOneCitizenUntilItLocksWinsTheGame)
{
    enterTemporaryDirectory();
    // In a 3 by 3 city the citizen never wanders out of earshot.
    writeLevel({ "...",
                 "@C.",
                 "..." });
    GameHarness game;
    testing::internal::CaptureStdout();
    enterTitle(game);
    game.tap(' ');
    ASSERT_EQ(game.state(), STATE_PLAYING);

    // Talk every other frame until the game is over.
    int talks = 0;
    while (game.state() == STATE_PLAYING && talks < 500) {
        game.press(' ');
        game.frame();
        game.release(' ');
        if (game.state() == STATE_PLAYING) {
            game.frame();
        }
        ++talks;
    }
    ASSERT_EQ(game.state(), STATE_WON);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
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

    // The next frame tears the game down and shows the win screen.
    gldouble::clearCalls();
    game.frame();
    EXPECT_FALSE(WorldProbe::runningOf(WorldProbe::registered()));
    EXPECT_EQ(gldouble::bitmapText(), "YOU WIN!!!\n\n\n(press the escape key to continue)\n");
}

TEST(WholeGame, UnplayableLevelsGoBackToTheTitleAndSpaceTriesAgain)
{
    enterTemporaryDirectory();
    GameHarness game;
    enterTitle(game);
    TrokWorld& world = WorldProbe::registered();

    // No level file at all: refused in the first playing frame, back to the
    // title in the next; every Space tries again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        testing::internal::CaptureStdout();
        game.tap(' ');
        EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("Incorrect file type!\n") + kNotLoaded);
        EXPECT_EQ(game.state(), STATE_TITLE);
        EXPECT_FALSE(WorldProbe::runningOf(world));
        EXPECT_EQ(WorldProbe::mapOf(world), nullptr);
    }

    writeLevel({ "C.P" });
    testing::internal::CaptureStdout();
    game.tap(' ');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("Map size: 3,1\n") + kNoActivist);
    EXPECT_EQ(game.state(), STATE_TITLE);
    EXPECT_TRUE(WorldProbe::objectsOf(world).empty());
    game.frames(3);
    EXPECT_EQ(game.state(), STATE_TITLE);

    // A playable level starts a game that keeps running.
    writeLevel({ "@.C" });
    testing::internal::CaptureStdout();
    game.tap(' ');
    game.frames(10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Map size: 3,1\n");
    EXPECT_EQ(game.state(), STATE_PLAYING);
    EXPECT_TRUE(WorldProbe::runningOf(world));
    EXPECT_NE(world.trok, nullptr);
}
