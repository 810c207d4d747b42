#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/compare.h"
#include "support/framerate.h"
#include "support/handbuilt.h"

namespace {

const Vector kUnit(1, 1, 1);

class PhysicsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new Eventloop();
        FrameRate::set(10.0f);
    }
    std::vector<std::string> log;
};

}  // namespace

TEST_F(PhysicsTest, MotionAndSteering)
{
    HandBuilt box("box", Vector(5, 0, 7), kUnit, true);
    TrokPhysics& p = box.physics();
    expectNear(p.getCurrentLocation(), Vector(5.5f, 0.5f, 7.5f));
    p.moveInDirWithSpeed(Vector(3, 0, 4), 2.0f);
    expectNear(PhysicsProbe::velocityOf(p), Vector(1.2f, 0, 1.6f));
    p.moveInDirWithSpeed(Vector(0, 0, 0), 2.0f);
    expectNear(PhysicsProbe::velocityOf(p), Vector(0, 0, 0));
    // Grid steering stops exactly on the target and runs at full speed otherwise.
    const std::pair<float, float> targetAndSpeed[] = { { 5, 0 }, { 6, 3 }, { 5.01f, 3 } };
    for (const auto& t : targetAndSpeed) {
        p.moveToGridLocWithSpeed(Vector(t.first, 0, 7), 3.0f);
        expectNear(PhysicsProbe::velocityOf(p), Vector(t.second, 0, 0));
    }

    // vel += acc / fps, then position += vel / fps; prevloc is the old loc.
    PhysicsProbe::setVelocity(p, Vector(1, 0, 2));
    PhysicsProbe::setAcceleration(p, Vector(10, 0, 0));
    p.update();
    expectNear(PhysicsProbe::velocityOf(p), Vector(2, 0, 2));
    expectNear(p.getCurrentLocation(), Vector(5.7f, 0.5f, 7.7f));
    expectNear(PhysicsProbe::previousOf(p), Vector(5.5f, 0.5f, 7.5f));
    // At 0.05 frames per second or less nothing moves, but prevloc follows.
    p.faceDir(Vector(1, 0, 0));
    for (float fps : { 0.05f, 0.0f }) {
        FrameRate::set(fps);
        p.update();
        expectNear(PhysicsProbe::velocityOf(p), Vector(2, 0, 2));
        expectNear(p.getCurrentLocation(), Vector(5.7f, 0.5f, 7.7f));
        expectNear(PhysicsProbe::previousOf(p), Vector(5.7f, 0.5f, 7.7f));
        EXPECT_NEAR(PhysicsProbe::previousOf(p).theta, -M_PI / 2, 1e-6);
    }
}

TEST_F(PhysicsTest, CollisionPassPushesMoversOutInListOrder)
{
    EXPECT_FALSE(PhysicsProbe::overlap(0, 1, 1, 1));  // touching
    EXPECT_TRUE(PhysicsProbe::overlap(2, 1, 2, 1));
    EXPECT_FALSE(PhysicsProbe::overlap(2, 0, 2, 1));  // flat
    // The earlier mover is pushed 0.1 away; both collide calls, both orders.
    HandBuilt a("a", Vector(0, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    HandBuilt b("b", Vector(0.9f, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    // 0.3 deep on x and z: z wins; a static box never moves.
    HandBuilt m("m", Vector(10, 0, 0), kUnit, true);
    HandBuilt s("s", Vector(10.7f, 0, 0.7f), kUnit, false);
    // Same centre, deeper on z: x beats y, the negative side first.
    HandBuilt inner("i", Vector(40, 0, 0), kUnit, true);
    HandBuilt outer("o", Vector(40, 0, -1), Vector(1, 1, 3), false);
    TrokPhysics::processCollisions();
    EXPECT_EQ(log, (std::vector<std::string>{ "a>b", "b>a" }));
    expectNear(a.physics().getCurrentLocation(), Vector(0.4f, 0.5f, 0.5f));
    expectNear(b.physics().getCurrentLocation(), Vector(1.4f, 0.5f, 0.5f));
    expectNear(m.physics().getCurrentLocation(), Vector(10.5f, 0.5f, 0.2f));
    expectNear(s.physics().getCurrentLocation(), Vector(11.2f, 0.5f, 1.2f));
    expectNear(inner.physics().getCurrentLocation(), Vector(39.5f, 0.5f, 0.5f));
}

TEST_F(PhysicsTest, OnePassPerFrameCanLeaveAnOverlap)
{
    HandBuilt left("left", Vector(0.25f, 0, 0), kUnit, false);
    HandBuilt mover("mover", Vector(1.25f, 0, 0), kUnit, true);  // touches left
    HandBuilt right("right", Vector(2.0f, 0, 0), kUnit, false);  // 0.25 deep
    TrokPhysics::processCollisions();
    EXPECT_FLOAT_EQ(mover.physics().getCurrentLocation().x, 1.5f);  // now 0.25 into left
}

TEST_F(PhysicsTest, ListMembershipAndRadiusSearch)
{
    HandBuilt ground("g", Vector(0, 0, 0), Vector(20, 1, 20), false, BEHAV_CITIZEN, false, &log);
    EXPECT_TRUE(PhysicsProbe::list().empty());
    HandBuilt talker("t", Vector(0, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt atFour("4", Vector(4, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt beyond("x", Vector(-4.01f, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt officer("p", Vector(0, 1, 3), kUnit, true, BEHAV_POLICE, true, &log);
    HandBuilt high("h", Vector(2, 5, 4), kUnit, true, BEHAV_CITIZEN, true, &log);  // 6 away
    TrokPhysics::processCollisions();
    EXPECT_TRUE(log.empty());  // the ground overlaps all but is not obstructive

    TrokPhysics& p = talker.physics();
    EXPECT_EQ(p.findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 4.0f),
              (std::vector<TrokObject*>{ talker.object(), atFour.object() }));
    EXPECT_EQ(p.findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 6.0f),
              (std::vector<TrokObject*>{ talker.object(), atFour.object(), beyond.object(), high.object() }));
    EXPECT_EQ(p.findBehaviorTypeObjectsInRadius(BEHAV_POLICE, 3.0f), std::vector<TrokObject*>{ officer.object() });

    // Destruction removes the one entry and keeps the order of the rest.
    std::vector<TrokPhysics*> rest = PhysicsProbe::list();
    rest.erase(std::find(rest.begin(), rest.end(), &atFour.physics()));
    delete atFour.object()->physics;
    atFour.object()->physics = nullptr;
    EXPECT_EQ(PhysicsProbe::list(), rest);
}
