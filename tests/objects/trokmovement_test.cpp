#include <gtest/gtest.h>

#include <GL/glut.h>

#include <cmath>

#include "Game/trokmovement.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"
#include "support/objectfixture.h"
#include "support/scriptedrand.h"

namespace {

class MovementProbe : public TrokMovement
{
public:
    static int facingOf(const TrokObject* o) { return o->movement->*(&MovementProbe::facing); }
};

Vector velocity(const TrokObject* o)
{
    return PhysicsProbe::velocityOf(*o->physics);
}

void expectNear(const Vector& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
    EXPECT_NEAR(v.z, z, 1e-4);
}

// Runs a controller's two steps and returns the velocity it asked for.
Vector step(TrokObject* o)
{
    o->input();
    o->movement->move();
    return velocity(o);
}

// The velocity with which a unit box at o steers at target.
Vector steeringAt(const TrokObject* o, Vector target)
{
    const Vector corner = Vector(o->physics->getCurrentLocation()) - Vector(0.5f, 0.5f, 0.5f);
    return (target - corner).normalize() * 3.7f;
}

}  // namespace

TEST_F(ObjectTest, ArrowKeysSteerTheActivistAndNothingElseDoes)
{
    TrokObject* trok = make(OBJ_TROK, Vector(5, 1, 5));
    const float d = 3.5f * 0.70710678f;
    gldouble::pressSpecial(GLUT_KEY_UP);
    gldouble::pressSpecial(GLUT_KEY_RIGHT);
    frame();
    expectNear(velocity(trok), d, 0, -d);
    EXPECT_EQ(MovementProbe::facingOf(trok), 3);
    EXPECT_NEAR(trok->physics->getCurrentLocation().theta, -M_PI / 2, 1e-6);  // faces +x

    gldouble::releaseSpecial(GLUT_KEY_RIGHT);
    gldouble::pressSpecial(GLUT_KEY_DOWN);  // opposite keys cancel
    frame();
    expectNear(velocity(trok), 0, 0, 0);
    EXPECT_EQ(MovementProbe::facingOf(trok), 1);
    EXPECT_NEAR(trok->physics->getCurrentLocation().findForward().z, 1.0f, 1e-6);

    gldouble::releaseSpecial(GLUT_KEY_UP);
    gldouble::releaseSpecial(GLUT_KEY_DOWN);
    gldouble::pressSpecial(GLUT_KEY_LEFT);
    frame();
    gldouble::releaseSpecial(GLUT_KEY_LEFT);  // stops at once, keeps facing -x
    frame();
    expectNear(velocity(trok), 0, 0, 0);
    EXPECT_NEAR(trok->physics->getCurrentLocation().theta, M_PI / 2, 1e-6);

    for (unsigned char key : { 'w', 'a', 's', 'd', ' ', 'c' }) {
        gldouble::pressKey(key);
        frame();
        expectNear(velocity(trok), 0, 0, 0);
        EXPECT_EQ(MovementProbe::facingOf(trok), 2);
    }

    // Talk: only in the frame space went down, for every new press.
    std::vector<bool> talked;
    for (const char* script : { "r", "p", "", "r", "rp", "" }) {
        for (const char* c = script; *c != '\0'; ++c) {
            (*c == 'p' ? gldouble::pressKey : gldouble::releaseKey)(' ');
        }
        frame();
        talked.push_back(static_cast<TrokMovementInput*>(trok->movement)->isTalkPressed());
    }
    EXPECT_EQ(talked, (std::vector<bool>{ false, true, false, false, true, false }));
}

TEST_F(ObjectTest, CitizenWalksLegsOfTwoToTenSeconds)
{
    TrokObject* citizen = make(OBJ_CITIZEN, Vector(5, 1, 5));
    // A leg draws its length, then x, then z.
    for (float v : { 1.0f, 1.0f, 0.5f }) {  // the longest leg, 10 s, x 1, z 0
        scriptedrand::queueFloat(0, 1, v);
    }
    expectNear(step(citizen), 2.5f, 0, 0);
    gldouble::advanceClock(9990);
    step(citizen);
    EXPECT_EQ(scriptedrand::draws(), 4u);
    gldouble::advanceClock(10);
    expectNear(step(citizen), 2.5f, 0, 0);  // over, but this frame walks it
    EXPECT_EQ(scriptedrand::draws(), 4u);   // (the first is the alignment)
    for (float v : { 0.0f, 0.5f, 0.0f }) {  // the shortest, 2 s, x 0, z -1
        scriptedrand::queueFloat(0, 1, v);
    }
    expectNear(step(citizen), 0, 0, -2.5f);
    gldouble::advanceClock(2000);
    step(citizen);
    EXPECT_EQ(scriptedrand::draws(), 7u);
    step(citizen);
    EXPECT_EQ(scriptedrand::draws(), 10u);
}

TEST_F(ObjectTest, PoliceShuttleBetweenWaypoints)
{
    TrokMovementAIPolice::clearWaypoints();
    TrokObject* officer = make(OBJ_POLICE, Vector(3, 1, 4));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(step(officer), steeringAt(officer, Vector(0, 0, 0)));  // no waypoints
    }

    TrokMovementAIPolice::addWaypoint(Vector(12, 1, 4));
    TrokMovementAIPolice::addWaypoint(Vector(2, 1, 4));
    TrokObject* p = make(OBJ_POLICE, Vector(6, 1, 4));
    auto expectSteering = [&](Vector target) { EXPECT_EQ(step(p), steeringAt(p, target)); };
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
