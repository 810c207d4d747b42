#include <gtest/gtest.h>

#include "Base/eventloop.h"
#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"

static std::string status(int total, int police, int allies, int citizens)
{
    return "Status: \n   totalAgents: " + std::to_string(total) + "\n   policeCount: " + std::to_string(police)
        + "\n   allyCount: " + std::to_string(allies) + "\n   Remaining Citizens: " + std::to_string(citizens) + "\n";
}

class ScoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        Eventloop::registerCallbacks();
    }
    // A game as city construction leaves it, in the playing state.
    static void startGame(uint32_t citizens, uint32_t police)
    {
        TrokWorld::citizenCount = citizens;
        TrokWorld::policeCount = police;
        TrokWorld::allyCount = 0;
        TrokWorld::totalAgentCount = citizens + police;
        Eventloop::switchState(STATE_PLAYING);
        gldouble::display();
    }
};

TEST_F(ScoreTest, ConversionsPrintTheStatusAndWinIsCheckedBeforeLoss)
{
    // 17 + 9 + 18 and 17 + 10 + 9 characters.
    const std::string win = "***************** YOU WIN ******************\n";
    const std::string lose = "///////////////// YOU LOSE \\\\\\\\\\\\\\\\\\\n";
    const std::string ally = "Gained a loyal follower.\n", police = "Lost a citizen to the police.\n";
    void (*const toAlly)() = TrokWorld::citizenToAlly;
    void (*const toPolice)() = TrokWorld::citizenToPolice;
    struct Step { int citizens, police; void (*conversion)(); std::string printed; int state; };
    const Step steps[] = {
        { 4, 1, toAlly, ally + status(5, 1, 1, 3), STATE_PLAYING },
        { -1, -1, toAlly, ally + status(5, 1, 2, 2) + win, STATE_WON },  // the same game
        { 4, 1, toPolice, police + status(5, 2, 0, 3) + lose, STATE_LOST },
        // One ally of four is below half, but the police already hold it.
        { 2, 2, toAlly, ally + status(4, 2, 1, 1) + lose, STATE_LOST },
        // Half of one agent is 0: both sides reach it, and the player wins either way.
        { 1, 0, toPolice, police + status(1, 1, 0, 0) + win, STATE_WON },
        { 1, 0, toAlly, ally + status(1, 0, 1, 0) + win, STATE_WON },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.printed);
        if (s.citizens >= 0) {
            startGame(s.citizens, s.police);
        }
        testing::internal::CaptureStdout();
        s.conversion();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), s.printed);
        gldouble::display();
        EXPECT_EQ(Eventloop::getState(), s.state);
    }
}

TEST_F(ScoreTest, LastRequestOfAFrameWins)
{
    startGame(4, 1);
    TrokWorld::stageWon();
    TrokWorld::stageLost();
    EXPECT_EQ(Eventloop::getState(), STATE_PLAYING);
    gldouble::display();
    EXPECT_EQ(Eventloop::getState(), STATE_LOST);
}
