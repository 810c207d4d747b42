#include <gtest/gtest.h>

#include "Base/eventloop.h"
#include "Base/worldobject.h"
#include "double/gldouble.h"

// Reaches the protected frame counters.
class EventloopProbe : public Eventloop
{
public:
    static void setCount(uint32_t count)
    {
        ms_nCount = count;
        ms_nPreviousCount = count - 1;
    }
};

// Logs each phase with the state it saw, and requests a state in one phase.
class ScriptedWorld : public WorldObject
{
public:
    ScriptedWorld(char name, std::string& log, char requestIn = 0, int request = 0)
        : name(name), requestIn(requestIn), request(request), log(log) {}
    void input() override { phase('i'); }
    void think() override { phase('t'); }
    void output() override { phase('o'); }

private:
    void phase(char what)
    {
        log += std::string{ name, what } + std::to_string(Eventloop::getState()) + " ";
        if (what == requestIn) {
            Eventloop::switchState(request);
        }
    }
    const char name, requestIn;
    const int request;
    std::string& log;
};

static void start()
{
    gldouble::reset();
    new Eventloop();
    Eventloop::registerCallbacks();
}

static void frame(uint32_t ms)
{
    gldouble::advanceClock(ms);
    gldouble::display();
}

TEST(Eventloop, PhasesRunOverAllWorldsAndStateRequestsWaitForTheFrameEnd)
{
    start();
    std::string log;
    ScriptedWorld a('A', log, 'i', 4), b('B', log, 't', 6), c('C', log);
    for (ScriptedWorld* world : { &a, &b, &c }) {
        Eventloop::addWorldToList(world);
    }
    gldouble::clearCalls();
    frame(16);
    EXPECT_EQ(log, "Ai0 Bi0 Ci0 At0 Bt0 Ct0 Ao0 Bo0 Co0 ");
    EXPECT_EQ(Eventloop::getState(), 6);  // the later request wins
    EXPECT_EQ(gldouble::names("glut"), std::vector<std::string>{ "glutSwapBuffers" });
    gldouble::idle();
    EXPECT_EQ(gldouble::countOf("glutPostRedisplay"), 1u);
}

TEST(Eventloop, FrameNumbersStartAtTwoAndWrapToOne)
{
    start();
    EXPECT_EQ(Eventloop::getFrameNumber(), 1u);
    frame(16);
    Eventloop handle;  // later instances change nothing
    EXPECT_EQ(Eventloop::getFrameNumber(), 2u);
    EventloopProbe::setCount(0xFFFFFFFFu);
    frame(16);
    EXPECT_EQ(Eventloop::getFrameNumber(), 1u);
    frame(16);
    EXPECT_EQ(Eventloop::getFrameNumber(), 2u);
}

TEST(Eventloop, FrameRateSmoothsHalfwayEachQuarterSecondAndBlendsInTheCurrentOne)
{
    start();
    for (float expected : { 30.0f, 45.0f, 52.5f, 56.25f }) {  // 15 frames per 250 ms
        for (int i = 0; i < 15; ++i) {
            frame(i < 14 ? 16 : 250 - 14 * 16);
        }
        // No time since the sample: the smoothed value, never infinity or NaN.
        EXPECT_FLOAT_EQ(Eventloop::getFPS(), expected);
    }
    frame(100);  // one frame in 0.1 s: 10 frames per second
    EXPECT_FLOAT_EQ(Eventloop::getFPS(), (56.25f + 10.0f) * 0.5f);
}
