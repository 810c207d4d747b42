#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Base/eventloop.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"

namespace {

// Sets the frame rate the physics reads: with the virtual clock standing
// still since the last sample, getFPS answers the smoothed rate.
class FrameRate : public Eventloop
{
public:
    static void set(float fps) { ms_rFPS = fps; }
};

const Vector kUnit(1.0f, 1.0f, 1.0f);

void expectVector(const Vector& v, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

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

TEST_F(PhysicsTest, UpdateIntegratesAtTheFrameRateAndFreezesBelowTheFloor)
{
    HandBuilt box("box", Vector(2, 1, 3), kUnit, true);
    TrokPhysics& p = box.physics();
    expectVector(p.getCurrentLocation(), 2.5f, 1.5f, 3.5f);
    expectVector(PhysicsProbe::previousOf(p), 2.5f, 1.5f, 3.5f);

    PhysicsProbe::setVelocity(p, Vector(1, 0, 2));
    PhysicsProbe::setAcceleration(p, Vector(10, 0, 0));
    p.update();  // vel += acc / 10, then pos += vel / 10
    expectVector(PhysicsProbe::velocityOf(p), 2.0f, 0.0f, 2.0f);
    expectVector(p.getCurrentLocation(), 2.7f, 1.5f, 3.7f);
    expectVector(PhysicsProbe::previousOf(p), 2.5f, 1.5f, 3.5f);

    // At 0.05 frames per second and below nothing moves, but prevloc follows.
    p.faceDir(Vector(1, 0, 0));
    for (float fps : { 0.05f, 0.0f, -3.0f }) {
        FrameRate::set(fps);
        p.update();
        expectVector(PhysicsProbe::velocityOf(p), 2.0f, 0.0f, 2.0f);
        expectVector(p.getCurrentLocation(), 2.7f, 1.5f, 3.7f);
        expectVector(PhysicsProbe::previousOf(p), 2.7f, 1.5f, 3.7f);
        EXPECT_FLOAT_EQ(PhysicsProbe::previousOf(p).theta, p.getCurrentLocation().theta);
    }
    // Update never turns the object; faceDir turns without moving it.
    EXPECT_NEAR(p.getCurrentLocation().theta, -M_PI / 2, 1e-6);
}

TEST_F(PhysicsTest, VelocityRequestsAndGridSteering)
{
    HandBuilt box("box", Vector(5, 0, 7), kUnit, true);
    TrokPhysics& p = box.physics();
    p.moveInDirWithSpeed(Vector(3, 0, 4), 2.0f);
    expectVector(PhysicsProbe::velocityOf(p), 1.2f, 0.0f, 1.6f);
    p.moveInDirWithSpeed(Vector(0, 0, 0), 2.0f);
    expectVector(PhysicsProbe::velocityOf(p), 0.0f, 0.0f, 0.0f);

    // Steering aims the minimum corner of the box's last unit cell.
    p.moveToGridLocWithSpeed(Vector(5, 0, 7), 3.0f);
    expectVector(PhysicsProbe::velocityOf(p), 0.0f, 0.0f, 0.0f);
    p.moveToGridLocWithSpeed(Vector(6, 0, 7), 3.0f);
    expectVector(PhysicsProbe::velocityOf(p), 3.0f, 0.0f, 0.0f);
    // Far or near, it runs at full speed until exactly there.
    p.moveToGridLocWithSpeed(Vector(5.01f, 0, 7.01f), 3.0f);
    EXPECT_NEAR(PhysicsProbe::velocityOf(p).length(), 3.0f, 1e-4);

    HandBuilt tall("tall", Vector(2, 0, 0), Vector(1, 2, 1), true);
    tall.physics().moveToGridLocWithSpeed(Vector(2, 1, 0), 1.0f);
    expectVector(PhysicsProbe::velocityOf(tall.physics()), 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(tall.physics().getSize(), Vector(1, 2, 1));
}

TEST_F(PhysicsTest, SingleAxisOverlapIsStrict)
{
    EXPECT_FALSE(PhysicsProbe::overlap(0, 1, 1, 1));    // faces touch
    EXPECT_FALSE(PhysicsProbe::overlap(1, 1, 0, 1));
    EXPECT_TRUE(PhysicsProbe::overlap(0, 1, 0.9f, 1));
    EXPECT_TRUE(PhysicsProbe::overlap(0.9f, 1, 0, 1));
    EXPECT_TRUE(PhysicsProbe::overlap(2, 1, 2, 1));     // same minimum
    EXPECT_FALSE(PhysicsProbe::overlap(2, 0, 2, 1));    // ... but flat
    EXPECT_FALSE(PhysicsProbe::overlap(2, 1, 2, 0));
    EXPECT_TRUE(PhysicsProbe::overlap(0, 5, 1, 1));     // one inside the other
}

TEST_F(PhysicsTest, OverlappingPairsArePushedApartInListOrder)
{
    // Touching boxes do not collide.
    {
        HandBuilt a("a", Vector(0, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
        HandBuilt b("b", Vector(1, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
        TrokPhysics::processCollisions();
        EXPECT_TRUE(log.empty());
        expectVector(a.physics().getCurrentLocation(), 0.5f, 0.5f, 0.5f);
    }
    // The earlier mover is pushed out entirely, the later one by what remains
    // (nothing); every call is made in both orders, once per meeting.
    HandBuilt a("a", Vector(0, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    HandBuilt b("b", Vector(0.9f, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    TrokPhysics::processCollisions();
    expectVector(a.physics().getCurrentLocation(), 0.4f, 0.5f, 0.5f);
    expectVector(b.physics().getCurrentLocation(), 1.4f, 0.5f, 0.5f);
    // Collisions change positions only.
    expectVector(PhysicsProbe::previousOf(a.physics()), 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(log, (std::vector<std::string>{ "a>b", "b>a" }));

    // Exact fractions: after the first meeting the faces touch exactly, so the
    // second (b as the mover) finds no overlap.
    log.clear();
    HandBuilt c("c", Vector(10, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    HandBuilt d("d", Vector(10.5f, 0, 0), kUnit, true, BEHAV_BUILDING, true, &log);
    TrokPhysics::processCollisions();
    EXPECT_EQ(log, (std::vector<std::string>{ "c>d", "d>c" }));
    EXPECT_FLOAT_EQ(c.physics().getCurrentLocation().x, 10.0f);
    EXPECT_FLOAT_EQ(d.physics().getCurrentLocation().x, 11.0f);
}

TEST_F(PhysicsTest, PushOutPrefersZThenXThenYAndTheNegativeSide)
{
    // 0.3 deep on x and on z: z wins the tie.
    HandBuilt mover("m", Vector(0, 0, 0), kUnit, true);
    HandBuilt wall("w", Vector(0.7f, 0, 0.7f), kUnit, false);
    TrokPhysics::processCollisions();
    expectVector(mover.physics().getCurrentLocation(), 0.5f, 0.5f, 0.2f);
    // A box that does not move is never pushed.
    expectVector(wall.physics().getCurrentLocation(), 1.2f, 0.5f, 1.2f);

    // Same centre, deeper on z: x beats y, negative side first.
    HandBuilt inner("i", Vector(20, 0, 0), kUnit, true);
    HandBuilt outer("o", Vector(20, 0, -1), Vector(1, 1, 3), false);
    // Same centre and size: everything ties, so z towards -z.
    HandBuilt twin1("t1", Vector(40, 0, 0), kUnit, true);
    HandBuilt twin2("t2", Vector(40, 0, 0), kUnit, false);
    TrokPhysics::processCollisions();
    expectVector(inner.physics().getCurrentLocation(), 19.5f, 0.5f, 0.5f);
    expectVector(twin1.physics().getCurrentLocation(), 40.5f, 0.5f, -0.5f);

    // Static boxes overlapping each other stay put.
    HandBuilt s1("s1", Vector(60, 0, 0), kUnit, false);
    HandBuilt s2("s2", Vector(60.5f, 0, 0), kUnit, false);
    TrokPhysics::processCollisions();
    expectVector(s1.physics().getCurrentLocation(), 60.5f, 0.5f, 0.5f);
    expectVector(s2.physics().getCurrentLocation(), 61.0f, 0.5f, 0.5f);
}

TEST_F(PhysicsTest, OnePassPerFrameCanLeaveAnOverlapForTheNextFrame)
{
    HandBuilt left("left", Vector(0.25f, 0, 0), kUnit, false);
    HandBuilt mover("mover", Vector(1.25f, 0, 0), kUnit, true);  // touches left
    HandBuilt right("right", Vector(2.0f, 0, 0), kUnit, false);  // 0.25 deep
    TrokPhysics::processCollisions();
    // Tested against left first (no overlap), then pushed back into it.
    EXPECT_FLOAT_EQ(mover.physics().getCurrentLocation().x, 1.5f);
    TrokPhysics::processCollisions();
    EXPECT_FLOAT_EQ(mover.physics().getCurrentLocation().x, 1.5f);  // out of left, into right again
}

TEST_F(PhysicsTest, ListMembershipAndRadiusSearch)
{
    const size_t before = PhysicsProbe::list().size();
    auto ground = std::make_unique<HandBuilt>("g", Vector(0, 0, 0), Vector(20, 1, 20), false,
                                              BEHAV_CITIZEN, false, &log);
    EXPECT_EQ(PhysicsProbe::list().size(), before);  // not obstructive: not listed

    HandBuilt talker("t", Vector(0, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt atFour("4", Vector(4, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt beyond("x", Vector(-4.01f, 1, 0), kUnit, true, BEHAV_CITIZEN, true, &log);
    HandBuilt officer("p", Vector(0, 1, 3), kUnit, true, BEHAV_POLICE, true, &log);
    HandBuilt high("h", Vector(2, 5, 4), kUnit, true, BEHAV_CITIZEN, true, &log);  // (2,4,4) away: 6

    // The non-obstructive ground overlaps everyone yet never collides.
    TrokPhysics::processCollisions();
    EXPECT_TRUE(log.empty());

    const std::vector<TrokObject*> near = talker.physics().findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 4.0f);
    EXPECT_EQ(near, (std::vector<TrokObject*>{ talker.object(), atFour.object() }));
    const std::vector<TrokObject*> far = talker.physics().findBehaviorTypeObjectsInRadius(BEHAV_CITIZEN, 6.0f);
    EXPECT_EQ(far, (std::vector<TrokObject*>{ talker.object(), atFour.object(), beyond.object(), high.object() }));
    EXPECT_EQ(talker.physics().findBehaviorTypeObjectsInRadius(BEHAV_POLICE, 3.0f),
              std::vector<TrokObject*>{ officer.object() });
    EXPECT_TRUE(talker.physics().findBehaviorTypeObjectsInRadius(BEHAV_POLICE, 2.99f).empty());

    // Destruction leaves the others in their order.
    const std::vector<TrokPhysics*> listed = PhysicsProbe::list();
    {
        HandBuilt gone("gone", Vector(50, 1, 50), kUnit, true);
        std::vector<TrokPhysics*> with = listed;
        with.push_back(&gone.physics());
        EXPECT_EQ(PhysicsProbe::list(), with);
    }
    EXPECT_EQ(PhysicsProbe::list(), listed);
    TrokPhysics* middle = &atFour.physics();
    delete atFour.object()->physics;
    atFour.object()->physics = nullptr;
    std::vector<TrokPhysics*> without = listed;
    without.erase(std::find(without.begin(), without.end(), middle));
    EXPECT_EQ(PhysicsProbe::list(), without);
    ground.reset();
    EXPECT_EQ(PhysicsProbe::list(), without);
}
