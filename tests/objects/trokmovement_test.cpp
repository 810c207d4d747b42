#include <gtest/gtest.h>

#include <GL/glut.h>

#include <cmath>

#include "Game/trokbehavior.h"
#include "Game/trokmovement.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"
#include "support/objectfixture.h"
#include "support/scriptedrand.h"

namespace {

// Reads the protected facing of any controller.
class MovementProbe : public TrokMovement
{
public:
    static int facingOf(const TrokMovement& m) { return m.*(&MovementProbe::facing); }
};

void expectVelocity(const TrokObject* o, float x, float y, float z)
{
    const Vector v = PhysicsProbe::velocityOf(*o->physics);
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
    EXPECT_NEAR(v.z, z, 1e-4);
}

// The velocity grid steering at target gives a unit box.
void expectSteeringAt(const TrokObject* o, Vector target, float speed)
{
    const Vector corner = Vector(o->physics->getCurrentLocation()) - Vector(0.5f, 0.5f, 0.5f);
    const Vector v = (target - corner).normalize() * speed;
    expectVelocity(o, v.x, v.y, v.z);
}

class MovementTest : public ObjectTest
{
protected:
    void SetUp() override
    {
        ObjectTest::SetUp();
        TrokMovementAIPolice::clearWaypoints();
    }
    TrokMovementInput* keyboard(TrokObject* o) { return static_cast<TrokMovementInput*>(o->movement); }
};

}  // namespace

TEST_F(MovementTest, ArrowKeysSteerTheActivistAndNothingElseMovesIt)
{
    TrokObject* trok = make(OBJ_TROK, Vector(5, 1, 5));
    const float diagonal = 3.5f * 0.70710678f;

    gldouble::pressSpecial(GLUT_KEY_UP);
    gldouble::pressSpecial(GLUT_KEY_RIGHT);
    frame();
    expectVelocity(trok, diagonal, 0, -diagonal);
    EXPECT_EQ(MovementProbe::facingOf(*trok->movement), 3);  // the higher direction wins
    EXPECT_NEAR(trok->physics->getCurrentLocation().theta, -M_PI / 2, 1e-6);
    frame();  // held keys keep moving it
    expectVelocity(trok, diagonal, 0, -diagonal);

    // Opposite keys cancel; the facing follows the higher one.
    gldouble::releaseSpecial(GLUT_KEY_RIGHT);
    gldouble::pressSpecial(GLUT_KEY_DOWN);
    frame();
    expectVelocity(trok, 0, 0, 0);
    EXPECT_EQ(MovementProbe::facingOf(*trok->movement), 1);
    const Vector forward = trok->physics->getCurrentLocation().findForward();
    EXPECT_NEAR(forward.z, 1.0f, 1e-6);

    // Letting go stops at once and keeps the facing.
    gldouble::pressSpecial(GLUT_KEY_LEFT);
    frame();
    EXPECT_EQ(MovementProbe::facingOf(*trok->movement), 2);
    gldouble::releaseSpecial(GLUT_KEY_UP);
    gldouble::releaseSpecial(GLUT_KEY_DOWN);
    gldouble::releaseSpecial(GLUT_KEY_LEFT);
    const Vector before = trok->physics->getCurrentLocation();
    frame();
    expectVelocity(trok, 0, 0, 0);
    EXPECT_EQ(Vector(trok->physics->getCurrentLocation()), before);
    EXPECT_NEAR(trok->physics->getCurrentLocation().theta, M_PI / 2, 1e-6);  // faces -x

    // The letters, space, "c" and the page keys never move it.
    for (unsigned char key : { 'w', 'a', 's', 'd', ' ', 'c' }) {
        gldouble::pressKey(key);
        frame();
        expectVelocity(trok, 0, 0, 0);
        gldouble::releaseKey(key);
    }
    gldouble::pressSpecial(GLUT_KEY_PAGE_UP);
    gldouble::pressSpecial(GLUT_KEY_PAGE_DOWN);
    frame();
    expectVelocity(trok, 0, 0, 0);
    EXPECT_EQ(MovementProbe::facingOf(*trok->movement), 2);
}

TEST_F(MovementTest, TalkKeyCountsOnlyInTheFrameItWentDown)
{
    TrokObject* trok = make(OBJ_TROK, Vector(5, 1, 5));
    std::vector<bool> talked;
    auto step = [&] {
        frame();
        talked.push_back(keyboard(trok)->isTalkPressed());
    };
    step();
    gldouble::pressKey(' ');
    step();
    step();  // still held
    gldouble::releaseKey(' ');
    step();
    gldouble::pressKey(' ');
    step();
    gldouble::releaseKey(' ');
    gldouble::pressKey(' ');  // a new press, though between two frames
    step();
    step();
    EXPECT_EQ(talked, (std::vector<bool>{ false, true, false, false, true, true, false }));
}

TEST_F(MovementTest, CitizenWalksLegsOfTwoToTenSeconds)
{
    TrokObject* citizen = make(OBJ_CITIZEN, Vector(5, 1, 5));
    EXPECT_EQ(scriptedrand::draws(), 1u);  // the behaviour's alignment

    // A leg draws its length, then x, then z.
    scriptedrand::queueFloat(2, 10, 5.0f);
    scriptedrand::queueFloat(-1, 1, 1.0f);
    scriptedrand::queueFloat(-1, 1, 0.0f);
    citizen->input();
    citizen->movement->move();
    expectVelocity(citizen, 2.5f, 0, 0);
    EXPECT_EQ(scriptedrand::draws(), 4u);

    gldouble::advanceClock(4990);
    citizen->input();
    citizen->movement->move();
    EXPECT_EQ(scriptedrand::draws(), 4u);

    // Once the leg is over, this frame still walks it...
    gldouble::advanceClock(10);
    citizen->input();
    citizen->movement->move();
    expectVelocity(citizen, 2.5f, 0, 0);
    EXPECT_EQ(scriptedrand::draws(), 4u);
    // ... and the next draws a new one.
    scriptedrand::queueFloat(2, 10, 2.0f);
    scriptedrand::queueFloat(-1, 1, 0.0f);
    scriptedrand::queueFloat(-1, 1, -1.0f);
    citizen->input();
    citizen->movement->move();
    expectVelocity(citizen, 0, 0, -2.5f);
    EXPECT_EQ(scriptedrand::draws(), 7u);
    EXPECT_EQ(scriptedrand::pending(), 0u);

    // Unscripted legs: every one lasts 2 to 10 s (to the frame) at full speed.
    uint32_t legStart = gldouble::clock();
    size_t drawsBefore = scriptedrand::draws();
    int legs = 0;
    while (legs < 20) {
        gldouble::advanceClock(10);
        citizen->input();
        citizen->movement->move();
        EXPECT_NEAR(PhysicsProbe::velocityOf(*citizen->physics).length(), 2.5f, 1e-4);
        if (scriptedrand::draws() != drawsBefore) {
            const uint32_t lasted = gldouble::clock() - legStart;
            if (legs > 0) {  // the scripted 2 s leg ended first
                EXPECT_GE(lasted, 2010u);
                EXPECT_LE(lasted, 10020u);
            }
            EXPECT_EQ(scriptedrand::draws() - drawsBefore, 3u);
            drawsBefore = scriptedrand::draws();
            legStart = gldouble::clock();
            ++legs;
        }
    }
}

TEST_F(MovementTest, PoliceShuttleBetweenWaypoints)
{
    // No waypoints: no goal ever, steering at the origin.
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(1, 2, 3), -1, -1), -1);
    TrokObject* officer = make(OBJ_POLICE, Vector(3, 1, 4));
    for (int i = 0; i < 3; ++i) {
        frame();
        expectSteeringAt(officer, Vector(0, 0, 0), 3.7f);
    }

    TrokMovementAIPolice::addWaypoint(Vector(12, 1, 4));
    TrokMovementAIPolice::addWaypoint(Vector(2, 1, 4));
    TrokObject* fresh = make(OBJ_POLICE, Vector(3, 1, 4));
    auto step = [](TrokObject* o) {
        o->input();
        o->movement->move();
    };
    step(fresh);  // the first only picks the goal (index 1, nearer)
    expectSteeringAt(fresh, Vector(0, 0, 0), 3.7f);
    PhysicsProbe::setCentre(*fresh->physics, Vector(6.5f, 1.5f, 4.5f));
    step(fresh);
    expectSteeringAt(fresh, Vector(2, 1, 4), 3.7f);

    // Arrival (centre within 1.0) picks the other end from the next frame.
    PhysicsProbe::setCentre(*fresh->physics, Vector(2.5f, 1.5f, 4.5f));
    step(fresh);
    expectSteeringAt(fresh, Vector(2, 1, 4), 3.7f);  // still the old target
    step(fresh);
    expectSteeringAt(fresh, Vector(12, 1, 4), 3.7f);

    // At the far end both are excluded: one frame without a goal...
    PhysicsProbe::setCentre(*fresh->physics, Vector(12.5f, 1.5f, 4.5f));
    step(fresh);
    step(fresh);
    expectSteeringAt(fresh, Vector(12, 1, 4), 3.7f);
    // ... then back to the first.
    step(fresh);
    expectSteeringAt(fresh, Vector(2, 1, 4), 3.7f);

    // A list emptied under a walking officer leaves it without a goal.
    TrokMovementAIPolice::clearWaypoints();
    step(fresh);
    step(fresh);
    expectSteeringAt(fresh, Vector(2, 1, 4), 3.7f);
}

TEST_F(MovementTest, NearestWaypointTiesGoToTheFirstAdded)
{
    TrokMovementAIPolice::addWaypoint(Vector(7, 1, 5));
    TrokMovementAIPolice::addWaypoint(Vector(3, 1, 5));
    TrokMovementAIPolice::addWaypoint(Vector(5, 1, 2));  // 3 away, in z
    TrokMovementAIPolice::addWaypoint(Vector(5, 4, 5));  // 3 away, but up
    const Vector here(5, 1, 5);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(here, -1, -1), 0);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(here, 0, -1), 1);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(here, 0, 1), 2);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(here, 1, 0), 2);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(5, 3.9f, 5), 0, 1), 3);
    TrokMovementAIPolice::clearWaypoints();
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(here, -1, -1), -1);
}
