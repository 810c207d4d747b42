#include <gtest/gtest.h>

#include "Base/timer.h"
#include "double/gldouble.h"

class TimerTest : public ::testing::Test
{
protected:
    void SetUp() override { gldouble::setClock(5000); }
    void at(uint32_t ms) { gldouble::setClock(5000 + ms); }
};

TEST_F(TimerTest, ReadsWholeHundredthsOfTheClock)
{
    Timer timer;
    EXPECT_EQ(timer.getElapsedTime(), 0.0f);
    EXPECT_TRUE(timer.hasTimeElapsed(0));
    at(9);
    EXPECT_EQ(timer.getElapsedTime(), 0.0f);
    at(10);
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 0.01f);
    at(1234);
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 1.23f);
    EXPECT_EQ(timer.getElapsedClocks(), 1234u);
    EXPECT_EQ(timer.getClocksPerSecond(), 1000u);
}

TEST_F(TimerTest, ThresholdsFollowTheHundredthScale)
{
    Timer timer;
    at(249);
    EXPECT_FALSE(timer.hasTimeElapsed(0.25f));
    at(250);
    EXPECT_TRUE(timer.hasTimeElapsed(0.25f));
    EXPECT_FALSE(timer.hasTimeElapsed(0.255f));
    at(259);
    EXPECT_FALSE(timer.hasTimeElapsed(0.255f));
    at(260);
    EXPECT_TRUE(timer.hasTimeElapsed(0.255f));
}

TEST_F(TimerTest, PauseBanksTimeAndResumeContinues)
{
    Timer timer;
    at(300);
    timer.pause();
    at(5300);
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 0.3f);
    timer.pause();  // a second pause changes nothing
    at(6000);
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 0.3f);
    timer.unpause();
    at(6500);
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 0.8f);
    timer.unpause();  // running already: nothing changes
    EXPECT_FLOAT_EQ(timer.getElapsedTime(), 0.8f);
    timer.reset();
    EXPECT_EQ(timer.getElapsedClocks(), 0u);
}

TEST_F(TimerTest, SurvivesTheClockWrapping)
{
    gldouble::setClock(0xFFFFFF00u);
    Timer timer;
    gldouble::setClock(0x00000100u);
    EXPECT_EQ(timer.getElapsedClocks(), 0x200u);
}
