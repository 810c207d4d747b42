#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Base/eventloop.h"
#include "Game/gamestates.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"

namespace
{

// 17 + 9 + 18 and 17 + 10 + 9 characters.
const std::string kWin = "***************** YOU WIN ******************\n";
const std::string kLose = "///////////////// YOU LOSE \\\\\\\\\\\\\\\\\\\n";
const std::string kAlly = "Gained a loyal follower.\n";
const std::string kPolice = "Lost a citizen to the police.\n";

std::string status(int total, int police, int allies, int citizens)
{
    return "Status: \n   totalAgents: " + std::to_string(total)
        + "\n   policeCount: " + std::to_string(police)
        + "\n   allyCount: " + std::to_string(allies)
        + "\n   Remaining Citizens: " + std::to_string(citizens) + "\n";
}

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
    void startGame(uint32_t citizens, uint32_t police)
    {
        TrokWorld::citizenCount = citizens;
        TrokWorld::policeCount = police;
        TrokWorld::allyCount = 0;
        TrokWorld::totalAgentCount = citizens + police;
        Eventloop::switchState(STATE_PLAYING);
        gldouble::display();
    }
    std::string convert(void (*conversion)())
    {
        testing::internal::CaptureStdout();
        conversion();
        return testing::internal::GetCapturedStdout();
    }
    int stateAfterFrame()
    {
        gldouble::display();
        return Eventloop::getState();
    }
};

TEST_F(ScoreTest, FourCitizensAndOnePolice)
{
    ASSERT_EQ(kWin.size(), 45u);
    ASSERT_EQ(kLose.size(), 37u);
    startGame(4, 1);
    EXPECT_EQ(convert(TrokWorld::citizenToAlly), kAlly + status(5, 1, 1, 3));
    EXPECT_EQ(stateAfterFrame(), STATE_PLAYING);
    EXPECT_EQ(convert(TrokWorld::citizenToAlly), kAlly + status(5, 1, 2, 2) + kWin);
    EXPECT_EQ(stateAfterFrame(), STATE_WON);

    startGame(4, 1);
    EXPECT_EQ(convert(TrokWorld::citizenToPolice), kPolice + status(5, 2, 0, 3) + kLose);
    EXPECT_EQ(stateAfterFrame(), STATE_LOST);
}

TEST_F(ScoreTest, WinIsCheckedBeforeLoss)
{
    // Two and two: one ally is below half, but the police already hold it.
    startGame(2, 2);
    EXPECT_EQ(convert(TrokWorld::citizenToAlly), kAlly + status(4, 2, 1, 1) + kLose);
    EXPECT_EQ(stateAfterFrame(), STATE_LOST);

    // Half of one agent is 0: both sides reach it, and the player wins either way.
    startGame(1, 0);
    EXPECT_EQ(convert(TrokWorld::citizenToPolice), kPolice + status(1, 1, 0, 0) + kWin);
    EXPECT_EQ(stateAfterFrame(), STATE_WON);
    startGame(1, 0);
    EXPECT_EQ(convert(TrokWorld::citizenToAlly), kAlly + status(1, 0, 1, 0) + kWin);
    EXPECT_EQ(stateAfterFrame(), STATE_WON);
}

TEST_F(ScoreTest, LastRequestOfAFrameWins)
{
    startGame(4, 1);
    TrokWorld::stageWon();
    TrokWorld::stageLost();
    EXPECT_EQ(Eventloop::getState(), STATE_PLAYING);
    EXPECT_EQ(stateAfterFrame(), STATE_LOST);
}
