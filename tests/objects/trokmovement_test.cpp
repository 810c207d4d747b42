#include <gtest/gtest.h>

#include <GL/glut.h>

#include "Game/trokmovement.h"
#include "support/compare.h"
#include "support/handbuilt.h"
#include "support/objectfixture.h"

namespace {

Vector velocity(const TrokObject* o)
{
    return PhysicsProbe::velocityOf(*o->physics);
}

Vector heading(const TrokObject* o)
{
    return o->physics->getCurrentLocation().findForward();
}

// Runs a controller's two steps and returns the velocity it asked for.
Vector step(TrokObject* o)
{
    o->input();
    o->movement->move();
    return velocity(o);
}

}  // namespace

// (Space as the talk key, once per press, is checked by the behaviour tests.)
TEST_F(ObjectTest, ArrowKeysSteerTheActivistAndNothingElseDoes)
{
    TrokObject* trok = make(OBJ_TROK, Vector(5, 1, 5));
    gldouble::pressSpecial(GLUT_KEY_UP);
    gldouble::pressSpecial(GLUT_KEY_RIGHT);
    frame();
    expectNear(velocity(trok), Vector(1, 0, -1).normalize() * 3.5f);
    expectNear(heading(trok), Vector(1, 0, 0));  // the last held in the key table

    gldouble::releaseSpecial(GLUT_KEY_RIGHT);
    gldouble::pressSpecial(GLUT_KEY_DOWN);  // opposite keys cancel
    frame();
    expectNear(velocity(trok), Vector());
    expectNear(heading(trok), Vector(0, 0, 1));

    gldouble::releaseSpecial(GLUT_KEY_UP);
    gldouble::releaseSpecial(GLUT_KEY_DOWN);
    gldouble::pressSpecial(GLUT_KEY_LEFT);
    frame();
    gldouble::releaseSpecial(GLUT_KEY_LEFT);  // stops at once and keeps facing -x
    for (unsigned char key : { 'w', 'a', 's', 'd', ' ', 'c' }) {
        gldouble::pressKey(key);
        frame();
        expectNear(velocity(trok), Vector());
        expectNear(heading(trok), Vector(-1, 0, 0));
    }

}

// A leg draws its length, then x, then z; it is walked to its end, and a
// new one is drawn in the frame after.
TEST_F(ObjectTest, CitizenWalksLegsOfTwoToTenSeconds)
{
    TrokObject* citizen = make(OBJ_CITIZEN, Vector(5, 1, 5));  // draws its alignment
    for (float v : { 1.0f, 1.0f, 0.5f, 0.0f, 0.5f, 0.0f }) {  // 10 s along +x, then 2 s along -z
        scriptedrand::queueFloat(0, 1, v);
    }
    expectNear(step(citizen), Vector(2.5f, 0, 0));
    gldouble::advanceClock(9990);
    expectNear(step(citizen), Vector(2.5f, 0, 0));
    EXPECT_EQ(scriptedrand::draws(), 4u);
    gldouble::advanceClock(10);
    expectNear(step(citizen), Vector(2.5f, 0, 0));  // over, but this frame walks it
    EXPECT_EQ(scriptedrand::draws(), 4u);
    expectNear(step(citizen), Vector(0, 0, -2.5f));
    gldouble::advanceClock(2000);
    step(citizen);
    EXPECT_EQ(scriptedrand::draws(), 7u);
    step(citizen);
    EXPECT_EQ(scriptedrand::draws(), 10u);
}

TEST_F(ObjectTest, PoliceShuttleBetweenWaypoints)
{
    TrokMovementAIPolice::clearWaypoints();
    TrokObject* p = make(OBJ_POLICE, Vector(6, 1, 4));
    // Steering at a target from the unit box's corner.
    auto expectSteering = [&](Vector target) {
        const Vector corner = Vector(p->physics->getCurrentLocation()) - Vector(0.5f, 0.5f, 0.5f);
        EXPECT_EQ(step(p), (target - corner).normalize() * 3.7f) << "towards " << target;
    };
    expectSteering(Vector(0, 0, 0));  // no waypoints
    expectSteering(Vector(0, 0, 0));

    TrokMovementAIPolice::addWaypoint(Vector(12, 1, 4));
    TrokMovementAIPolice::addWaypoint(Vector(2, 1, 4));
    p = make(OBJ_POLICE, Vector(6, 1, 4));
    expectSteering(Vector(0, 0, 0));  // the first only picks the goal, the nearer
    expectSteering(Vector(2, 1, 4));
    PhysicsProbe::setCentre(*p->physics, Vector(2.5f, 1.5f, 4.5f));  // arrived
    expectSteering(Vector(2, 1, 4));
    expectSteering(Vector(12, 1, 4));
    PhysicsProbe::setCentre(*p->physics, Vector(12.5f, 1.5f, 4.5f));
    expectSteering(Vector(12, 1, 4));  // both excluded: a frame without a goal,
    expectSteering(Vector(12, 1, 4));  // one choosing the first again,
    expectSteering(Vector(2, 1, 4));   // then back
    TrokMovementAIPolice::clearWaypoints();  // a stale goal is dropped, not read
    expectSteering(Vector(2, 1, 4));

    TrokMovementAIPolice::addWaypoint(Vector(7, 1, 5));
    TrokMovementAIPolice::addWaypoint(Vector(3, 1, 5));
    TrokMovementAIPolice::addWaypoint(Vector(5, 4, 5));
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 1, 5), -1, -1), 0);  // tie
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 1, 5), 0, -1), 1);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 2, 5), 1, 0), 2);  // in 3D
}
