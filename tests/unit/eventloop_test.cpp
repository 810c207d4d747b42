#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Base/worldobject.h"
#include "double/gldouble.h"

// Reaches the protected counters the frame logic keeps.
class EventloopProbe : public Eventloop
{
public:
    static float smoothed() { return ms_rFPS; }
    static void setCount(uint32_t count)
    {
        ms_nCount = count;
        ms_nPreviousCount = count - 1;
    }
};

// Records its phases into a shared log and may request a state in one phase.
class ScriptedWorld : public WorldObject
{
public:
    ScriptedWorld(const std::string& name, std::vector<std::string>& log)
        : name(name), log(log) {}

    void input() override { phase("input", inputRequest); }
    void think() override { phase("think", thinkRequest); }
    void output() override { phase("output", -1); }

    int inputRequest = -1;
    int thinkRequest = -1;
    std::vector<int> seenStates;

private:
    std::string name;
    std::vector<std::string>& log;

    void phase(const char* what, int request)
    {
        log.push_back(name + "." + what);
        seenStates.push_back(Eventloop::getState());
        if (request >= 0) {
            Eventloop::switchState(request);
        }
    }
};

class EventloopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        Eventloop::registerCallbacks();
    }
    void frame(uint32_t ms)
    {
        gldouble::advanceClock(ms);
        gldouble::display();
    }
};

TEST_F(EventloopTest, RunsEveryPhaseOverAllWorldsThenSwaps)
{
    std::vector<std::string> log;
    ScriptedWorld a("A", log), b("B", log), c("C", log);
    Eventloop::addWorldToList(&a);
    Eventloop::addWorldToList(&b);
    Eventloop::addWorldToList(&c);
    gldouble::clearCalls();
    frame(16);
    const std::vector<std::string> expected = {
        "A.input", "B.input", "C.input", "A.think", "B.think", "C.think",
        "A.output", "B.output", "C.output" };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(gldouble::names("glut"), std::vector<std::string>{ "glutSwapBuffers" });

    gldouble::idle();
    EXPECT_EQ(gldouble::countOf("glutPostRedisplay"), 1u);
}

TEST_F(EventloopTest, StateRequestsTakeEffectAtTheEndOfTheFrame)
{
    std::vector<std::string> log;
    ScriptedWorld a("A", log), b("B", log);
    a.inputRequest = 4;
    b.thinkRequest = 6;
    Eventloop::addWorldToList(&a);
    Eventloop::addWorldToList(&b);
    frame(16);
    EXPECT_EQ(a.seenStates, (std::vector<int>{ 0, 0, 0 }));
    EXPECT_EQ(b.seenStates, (std::vector<int>{ 0, 0, 0 }));
    EXPECT_EQ(Eventloop::getState(), 6);  // the later request wins

    a.inputRequest = b.thinkRequest = -1;
    Eventloop::switchState(6);  // the current state again: nothing changes
    frame(16);
    EXPECT_EQ(Eventloop::getState(), 6);
}

TEST_F(EventloopTest, FrameNumbersStartAtTwoAndWrapToOne)
{
    EXPECT_EQ(Eventloop::getFrameNumber(), 1u);
    frame(16);
    EXPECT_EQ(Eventloop::getFrameNumber(), 2u);
    EventloopProbe::setCount(0xFFFFFFFFu);
    frame(16);
    EXPECT_EQ(Eventloop::getFrameNumber(), 1u);
    frame(16);
    EXPECT_EQ(Eventloop::getFrameNumber(), 2u);
}

TEST_F(EventloopTest, FrameRateSmoothsHalfwayEachQuarterSecond)
{
    // Fifteen frames per 250 ms is 60 frames per second.
    const float expected[] = { 30.0f, 45.0f, 52.5f, 56.25f, 58.125f };
    for (float value : expected) {
        for (int i = 0; i < 14; ++i) {
            frame(16);
        }
        frame(250 - 14 * 16);
        EXPECT_FLOAT_EQ(EventloopProbe::smoothed(), value);
        // The sample was just taken: no time has passed, so the smoothed
        // value itself is the answer, never infinity or NaN.
        EXPECT_FLOAT_EQ(Eventloop::getFPS(), value);
    }
}

TEST_F(EventloopTest, FrameRateQueryBlendsInTheCurrentQuarter)
{
    for (int i = 0; i < 15; ++i) {
        frame(i < 14 ? 16 : 26);
    }
    ASSERT_FLOAT_EQ(EventloopProbe::smoothed(), 30.0f);
    frame(100);  // one frame in 0.1 s: 10 frames per second
    EXPECT_FLOAT_EQ(Eventloop::getFPS(), (30.0f + 10.0f) * 0.5f);
}

TEST_F(EventloopTest, LaterInstancesAreOnlyHandles)
{
    frame(16);
    frame(16);
    Eventloop handle;
    EXPECT_EQ(Eventloop::getFrameNumber(), 3u);
}
