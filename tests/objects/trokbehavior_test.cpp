#include <gtest/gtest.h>

#include <string>

#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/objectfixture.h"
#include "support/scriptedrand.h"

namespace {

class BehaviorTest : public ObjectTest
{
protected:
    void SetUp() override
    {
        ObjectTest::SetUp();
        TrokWorld::allyCount = 0;
        TrokWorld::policeCount = 0;
        TrokWorld::citizenCount = 10;
        TrokWorld::totalAgentCount = 10;
    }
    // Agents that stay where they are built and draw nothing to walk, so
    // distances are exact and every draw is a rule's.
    TrokObject* still(TrokObject* o)
    {
        delete o->movement;
        o->movement = createMovement(o, 0, 0.0f);
        return o;
    }
    // A standing citizen whose alignment draw is scripted.
    TrokObject* citizen(Vector corner, float alignment)
    {
        scriptedrand::queueFloat(-1, 1, alignment);
        return still(make(OBJ_CITIZEN, corner));
    }
    TrokObject* officer(Vector corner) { return still(make(OBJ_POLICE, corner)); }
    static TrokBehaviorCitizen* rules(TrokObject* o) { return static_cast<TrokBehaviorCitizen*>(o->behavior); }
    static float alignmentOf(TrokObject* o) { return rules(o)->getAlignment(); }
    // One talk of the activist: press, one frame, release.
    void talk()
    {
        gldouble::pressKey(' ');
        frame();
        gldouble::releaseKey(' ');
    }
    static void expectFill(TrokObject* o, int r, int g, int b, int a)
    {
        const Color c = o->display->getFillColor();
        EXPECT_EQ(c.getr(), r);
        EXPECT_EQ(c.getg(), g);
        EXPECT_EQ(c.getb(), b);
        EXPECT_EQ(c.geta(), a);
    }
};

}  // namespace

TEST_F(BehaviorTest, ActivistReachesFourCellsOncePerPress)
{
    make(OBJ_TROK, Vector(10, 1, 10));
    TrokObject* near = citizen(Vector(14, 1, 10), 0.0f);     // exactly 4.0
    TrokObject* far = citizen(Vector(5.99f, 1, 10), 0.0f);   // 4.01
    TrokObject* above = citizen(Vector(10, 4, 13), 0.0f);    // (0, 3, 3): 4.24 in three dimensions
    const float start = alignmentOf(near);

    scriptedrand::reset();
    scriptedrand::queueFloat(-0.1f, 0.3f, 0.25f);
    talk();
    EXPECT_EQ(scriptedrand::draws(), 1u);  // one citizen in reach, one nudge
    EXPECT_NEAR(alignmentOf(near) - start, 0.25f, 1e-6);
    EXPECT_NEAR(alignmentOf(far), start, 1e-9);
    EXPECT_NEAR(alignmentOf(above), start, 1e-9);

    // Holding the key nudges no more; a new press nudges again.
    gldouble::pressKey(' ');
    frame(100);
    frame(100);
    frame(100);
    EXPECT_EQ(scriptedrand::draws(), 2u);
    gldouble::releaseKey(' ');
    frame();
    talk();
    EXPECT_EQ(scriptedrand::draws(), 3u);
}

TEST_F(BehaviorTest, NudgesLockAtMagnitudeOneAndReportTheSide)
{
    make(OBJ_TROK, Vector(10, 1, 10));
    TrokObject* keen = citizen(Vector(12, 1, 10), 0.9f);

    scriptedrand::queueFloat(-0.1f, 0.3f, 0.25f);
    testing::internal::CaptureStdout();
    talk();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Locked in with align 1.15\n"), std::string::npos) << out;
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    EXPECT_EQ(TrokWorld::citizenCount, 9u);
    EXPECT_EQ(TrokWorld::policeCount, 0u);
    // The citizen thought before the activist talked: its colour changes from
    // its next act, clamped to +1.
    frame();
    EXPECT_FLOAT_EQ(alignmentOf(keen), 1.0f);
    expectFill(keen, 252, 127, 117, 255);

    // Locked: still found by the talk, but no draw, no change, no report.
    const size_t draws = scriptedrand::draws();
    testing::internal::CaptureStdout();
    talk();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(scriptedrand::draws(), draws);
    EXPECT_FLOAT_EQ(alignmentOf(keen), 1.0f);
    EXPECT_EQ(TrokWorld::allyCount, 1u);

    // An activist's nudge can lose a citizen to the police.
    TrokObject* doubter = citizen(Vector(8, 1, 10), -0.95f);
    scriptedrand::queueFloat(-0.1f, 0.3f, -0.08f);
    testing::internal::CaptureStdout();
    talk();
    const std::string lost = testing::internal::GetCapturedStdout();
    EXPECT_NE(lost.find("Locked in with align -1.03\n"), std::string::npos) << lost;
    EXPECT_EQ(TrokWorld::policeCount, 1u);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    EXPECT_EQ(TrokWorld::citizenCount, 8u);
    frame();
    expectFill(doubter, 124, 127, 245, 255);
}

TEST_F(BehaviorTest, AlignmentTintsTheCitizen)
{
    TrokObject* calm = citizen(Vector(2, 1, 2), 0.0f);
    expectFill(calm, 252, 255, 117, 255);  // the preset until it acts
    frame();
    expectFill(calm, 252, 255, 117, 255);  // (no tint at 0)

    // Negative tints red, green and blue; positive only green, so red and
    // blue keep their last negative tint.
    TrokObject* swing = citizen(Vector(6, 1, 2), -0.05f);
    frame();
    expectFill(swing, 246, 249, 123, 255);
    make(OBJ_TROK, Vector(6, 1, 4));
    scriptedrand::queueFloat(-0.1f, 0.3f, 0.25f);
    talk();   // the citizen acted before the talk in this frame
    frame();
    EXPECT_NEAR(alignmentOf(swing), 0.2f, 1e-6);
    expectFill(swing, 246, 230, 123, 255);
}

TEST_F(BehaviorTest, PoliceTalkOnTheirOwnRhythmWithinFiveCells)
{
    // Chosen start: an officer waits 1 s from its construction, draws nothing
    // until its first talk, and talks one frame after the wait is over.
    officer(Vector(10, 1, 10));
    TrokObject* inReach = citizen(Vector(15, 1, 10), 0.0f);   // exactly 5.0
    TrokObject* outside = citizen(Vector(4.99f, 1, 10), 0.0f); // 5.01
    const float start = alignmentOf(inReach);
    scriptedrand::reset();

    frame(990);
    frame();
    EXPECT_EQ(scriptedrand::draws(), 0u);
    frame(10);  // 1.0 s: ready
    EXPECT_EQ(scriptedrand::draws(), 0u);
    // The next interval is drawn before the talk's nudges.
    scriptedrand::queueFloat(1, 4, 2.5f);
    scriptedrand::queueFloat(-0.4f, 0.1f, -0.3f);
    frame();
    EXPECT_EQ(scriptedrand::draws(), 2u);
    EXPECT_NEAR(alignmentOf(inReach) - start, -0.3f, 1e-6);
    EXPECT_NEAR(alignmentOf(outside), start, 1e-9);

    frame(2490);
    EXPECT_EQ(scriptedrand::draws(), 2u);
    frame(10);  // 2.5 s after the talk: ready, talks in the next frame
    EXPECT_EQ(scriptedrand::draws(), 2u);
    frame();
    EXPECT_EQ(scriptedrand::draws(), 4u);
}

TEST_F(BehaviorTest, TwoOfficersEachNudgeWhenTheirTalkIsDue)
{
    officer(Vector(10, 1, 10));
    officer(Vector(10, 1, 14));
    TrokObject* listener = citizen(Vector(12, 1, 12), 0.0f);
    const float start = alignmentOf(listener);
    scriptedrand::reset();

    frame(1000);  // both ready after their first second
    scriptedrand::queueFloat(1, 4, 1.0f);           // first officer: next in 1 s
    scriptedrand::queueFloat(-0.4f, 0.1f, -0.1f);
    scriptedrand::queueFloat(1, 4, 3.0f);           // second officer: next in 3 s
    scriptedrand::queueFloat(-0.4f, 0.1f, -0.2f);
    frame();
    EXPECT_NEAR(alignmentOf(listener) - start, -0.3f, 1e-6);

    frame(1000);
    scriptedrand::queueFloat(1, 4, 4.0f);
    scriptedrand::queueFloat(-0.4f, 0.1f, 0.05f);   // a police nudge can go up
    frame();
    EXPECT_NEAR(alignmentOf(listener) - start, -0.25f, 1e-6);
    EXPECT_EQ(scriptedrand::draws(), 6u);

    frame(2000);  // 3 s after its talk: the second officer's turn
    scriptedrand::queueFloat(1, 4, 4.0f);
    scriptedrand::queueFloat(-0.4f, 0.1f, -0.4f);
    frame();
    EXPECT_EQ(scriptedrand::draws(), 8u);
    EXPECT_NEAR(alignmentOf(listener) - start, -0.65f, 1e-6);
}
