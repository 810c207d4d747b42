#include <gtest/gtest.h>

#include "Base/timer.h"
#include "double/gldouble.h"

static void at(uint32_t ms)
{
    gldouble::setClock(5000 + ms);
}

TEST(Timer, ReadsWholeHundredthsOfTheClock)
{
    at(0);
    Timer timer;
    struct Case { uint32_t ms; float elapsed; float threshold; bool reached; };
    const Case cases[] = {
        { 0, 0, 0, true }, { 9, 0, 0.01f, false }, { 10, 0.01f, 0.01f, true }, { 249, 0.24f, 0.25f, false },
        { 250, 0.25f, 0.25f, true }, { 250, 0.25f, 0.255f, false }, { 259, 0.25f, 0.255f, false },
        { 260, 0.26f, 0.255f, true }, { 1234, 1.23f, 1.23f, true },
    };
    for (const Case& c : cases) {
        at(c.ms);
        EXPECT_FLOAT_EQ(timer.getElapsedTime(), c.elapsed) << c.ms << " ms";
        EXPECT_EQ(timer.hasTimeElapsed(c.threshold), c.reached) << c.ms << " ms, " << c.threshold << " s";
    }
    EXPECT_EQ(timer.getElapsedClocks(), 1234u);
}

TEST(Timer, PauseBanksTimeResumeContinuesAndTheClockMayWrap)
{
    at(0);
    Timer timer;
    at(300);
    timer.pause();
    at(5300);
    timer.pause();  // a second pause changes nothing
    EXPECT_EQ(timer.getElapsedClocks(), 300u);
    timer.unpause();
    at(5800);
    timer.unpause();  // running already: nothing changes
    EXPECT_EQ(timer.getElapsedClocks(), 800u);
    timer.reset();
    EXPECT_EQ(timer.getElapsedClocks(), 0u);

    gldouble::setClock(0xFFFFFF00u);
    Timer wrapping;
    gldouble::setClock(0x00000100u);
    EXPECT_EQ(wrapping.getElapsedClocks(), 0x200u);
}
