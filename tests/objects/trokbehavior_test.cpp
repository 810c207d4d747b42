#include <gtest/gtest.h>

#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokworld.h"
#include "support/compare.h"
#include "support/objectfixture.h"

namespace {

// Agents that stand still and draw nothing to walk, so distances are exact
// and every draw is a rule's.
TrokObjectInit standing(TrokObjectInit init)
{
    init.moveType = 0;
    return init;
}

class BehaviorTest : public ObjectTest
{
protected:
    void SetUp() override
    {
        ObjectTest::SetUp();
        TrokWorld::citizenCount = TrokWorld::totalAgentCount = 10;
    }
    TrokObject* citizen(Vector corner, float alignment)
    {
        scriptedrand::queueFloat(-1, 1, alignment);
        return make(standing(OBJ_CITIZEN), corner);
    }
    static float alignment(TrokObject* o) { return static_cast<TrokBehaviorCitizen*>(o->behavior)->getAlignment(); }
    static Rgba fill(TrokObject* o) { return rgba(o->display->getFillColor()); }
    // One press of space with the nudges it draws, one per citizen in reach;
    // returns what was printed.
    std::string talk(std::vector<float> nudges)
    {
        const size_t before = scriptedrand::draws();
        for (float n : nudges) {
            scriptedrand::queueFloat(-0.1f, 0.3f, n);
        }
        testing::internal::CaptureStdout();
        gldouble::pressKey(' ');
        frame();
        gldouble::releaseKey(' ');
        EXPECT_EQ(scriptedrand::draws() - before, nudges.size());
        return testing::internal::GetCapturedStdout();
    }
};

}  // namespace

TEST_F(BehaviorTest, ActivistNudgesCitizensWithinFourOncePerPress)
{
    make(OBJ_TROK, Vector(10, 1, 10));
    TrokObject* near = citizen(Vector(14, 1, 10), 0.0f);    // exactly 4.0
    TrokObject* far = citizen(Vector(5.99f, 1, 10), 0.0f);  // 4.01
    talk({ 0.25f });
    EXPECT_NEAR(alignment(near), 0.25f, 1e-6);
    EXPECT_NEAR(alignment(far), 0.0f, 1e-6);
    frame();
    const size_t draws = scriptedrand::draws();
    gldouble::pressKey(' ');
    for (int i = 0; i < 3; ++i) {
        frame();  // held: one nudge only
    }
    EXPECT_EQ(scriptedrand::draws(), draws + 1);
}

TEST_F(BehaviorTest, NudgesLockAtMagnitudeOneAndReportTheSide)
{
    make(OBJ_TROK, Vector(10, 1, 10));
    TrokObject* keen = citizen(Vector(12, 1, 10), 0.9f);
    EXPECT_NE(talk({ 0.25f }).find("Locked in with align 1.15\n"), std::string::npos);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    EXPECT_EQ(TrokWorld::citizenCount, 9u);
    frame();  // it acted before the talk: the tint shows from its next act
    EXPECT_FLOAT_EQ(alignment(keen), 1.0f);
    EXPECT_EQ(fill(keen), (Rgba{ 252, 127, 117, 255 }));
    EXPECT_EQ(talk({}), "");  // locked: found, but no draw and no report

    TrokObject* doubter = citizen(Vector(8, 1, 10), -0.95f);
    EXPECT_NE(talk({ -0.08f }).find("Locked in with align -1.03\n"), std::string::npos);
    EXPECT_EQ(TrokWorld::policeCount, 1u);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    frame();
    EXPECT_EQ(fill(doubter), (Rgba{ 124, 127, 245, 255 }));
}

TEST_F(BehaviorTest, AlignmentTintsTheCitizen)
{
    TrokObject* calm = citizen(Vector(2, 1, 2), 0.0f);
    TrokObject* swing = citizen(Vector(6, 1, 2), -0.05f);
    EXPECT_EQ(fill(swing), (Rgba{ 252, 255, 117, 255 }));  // the preset until it acts
    frame();
    EXPECT_EQ(fill(calm), (Rgba{ 252, 255, 117, 255 }));
    EXPECT_EQ(fill(swing), (Rgba{ 246, 249, 123, 255 }));
    make(OBJ_TROK, Vector(6, 1, 4));
    talk({ 0.25f });
    frame();  // positive: green only; red and blue keep the last negative tint
    EXPECT_EQ(fill(swing), (Rgba{ 246, 230, 123, 255 }));
}

// Chosen start: a new officer draws nothing, is ready 1 s after it was built
// and talks one frame later. A talk draws the next interval, then one nudge
// per citizen in reach.
TEST_F(BehaviorTest, PoliceTalkOnTheirOwnRhythmWithinFive)
{
    make(standing(OBJ_POLICE), Vector(10, 1, 10));
    make(standing(OBJ_POLICE), Vector(10, 1, 18));
    TrokObject* both = citizen(Vector(10, 1, 14), 0.0f);        // 4 from each
    TrokObject* edge = citizen(Vector(15, 1, 10), 0.0f);        // exactly 5 from the first
    TrokObject* outside = citizen(Vector(4.99f, 1, 10), 0.0f);  // 5.01
    auto talks = [](float interval, std::vector<float> nudges) {
        scriptedrand::queueFloat(1, 4, interval);
        for (float n : nudges) {
            scriptedrand::queueFloat(-0.4f, 0.1f, n);
        }
    };
    scriptedrand::reset();
    frame(990);
    frame(10);
    EXPECT_EQ(scriptedrand::draws(), 0u);
    talks(1, { -0.1f, -0.2f });
    talks(3, { -0.3f });
    frame();
    EXPECT_NEAR(alignment(both), -0.4f, 1e-6);
    EXPECT_NEAR(alignment(edge), -0.2f, 1e-6);
    EXPECT_NEAR(alignment(outside), 0.0f, 1e-6);

    frame(1000);  // the first officer again, after its 1 s
    talks(4, { 0.05f, 0.0f });  // a police nudge can go up
    frame();
    EXPECT_NEAR(alignment(both), -0.35f, 1e-6);
    EXPECT_EQ(scriptedrand::draws(), 8u);
    frame(1990);
    EXPECT_EQ(scriptedrand::draws(), 8u);
    frame(10);  // the second, 3 s after its talk
    talks(4, { -0.4f });
    frame();
    EXPECT_NEAR(alignment(both), -0.75f, 1e-6);
}
