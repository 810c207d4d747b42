#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Base/vector.h"
#include "Game/trokbehavior.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"
#include "support/levelfile.h"
#include "support/worldprobe.h"

namespace
{

// The example level: blocks in the corners, a three-storey block, two roofs,
// two waypoints, a citizen, the activist and a police officer.
const std::vector<std::string> kExample = {
    "#3..b#",
    ".W.C..",
    ".@..P.",
    "#a..W#",
};

struct Box
{
    Vector corner;
    Vector size;
    int type;
};

Box boxOf(const TrokObject* object)
{
    const Vector centre = object->physics->getCurrentLocation();
    const Vector size = object->physics->getSize();
    return Box{ centre - size * 0.5f, size, object->behavior->getBehaviorType() };
}

void expectVector(const Vector& actual, float x, float y, float z, const std::string& what)
{
    EXPECT_NEAR(actual.x, x, 1e-5) << what;
    EXPECT_NEAR(actual.y, y, 1e-5) << what;
    EXPECT_NEAR(actual.z, z, 1e-5) << what;
}

void expectBox(const TrokObject* object, Vector corner, Vector size, int type, const std::string& what)
{
    const Box box = boxOf(object);
    expectVector(box.corner, corner.x, corner.y, corner.z, what + " corner");
    expectVector(box.size, size.x, size.y, size.z, what + " size");
    EXPECT_EQ(box.type, type) << what;
}

std::string startCaptured(TrokWorld& world)
{
    testing::internal::CaptureStdout();
    world.startGame();
    return testing::internal::GetCapturedStdout();
}

}

class CityTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        enterTemporaryDirectory();
    }
    const std::vector<TrokObject*>& objects() const { return WorldProbe::objectsOf(world); }

    TrokWorld world;
};

TEST_F(CityTest, ExampleLevelBuildsGroundWallsThenCellsInReadingOrder)
{
    writeLevel(kExample);
    EXPECT_EQ(startCaptured(world), "Map size: 6,4\n");
    EXPECT_TRUE(WorldProbe::runningOf(world));

    const auto& all = objects();
    ASSERT_EQ(all.size(), 15u);
    const Vector one(1, 1, 1);
    expectBox(all[0], Vector(0, 0, 0), Vector(6, 1, 4), BEHAV_GROUND, "ground");
    // The walls enclose exactly the 6 by 4 cells; the rows before and after
    // the map reach round the corners.
    expectBox(all[1], Vector(-1, 1, -1), Vector(8, 1, 1), BEHAV_GROUND, "wall before row 0");
    expectBox(all[2], Vector(-1, 1, 0), Vector(1, 1, 4), BEHAV_GROUND, "wall left");
    expectBox(all[3], Vector(-1, 1, 4), Vector(8, 1, 1), BEHAV_GROUND, "wall after last row");
    expectBox(all[4], Vector(6, 1, 0), Vector(1, 1, 4), BEHAV_GROUND, "wall right");
    expectBox(all[5], Vector(0, 1, 0), one, BEHAV_BUILDING, "# at (0,0)");
    expectBox(all[6], Vector(1, 1, 0), Vector(1, 3, 1), BEHAV_BUILDING, "3 at (1,0)");
    expectBox(all[7], Vector(4, 1, 0), one, BEHAV_GROUND, "roof b at (4,0)");
    expectBox(all[8], Vector(5, 1, 0), one, BEHAV_BUILDING, "# at (5,0)");
    expectBox(all[9], Vector(3, 1, 1), one, BEHAV_CITIZEN, "citizen");
    expectBox(all[10], Vector(1, 1, 2), one, BEHAV_TROK, "activist");
    expectBox(all[11], Vector(4, 1, 2), one, BEHAV_POLICE, "police");
    expectBox(all[12], Vector(0, 1, 3), one, BEHAV_BUILDING, "# at (0,3)");
    expectBox(all[13], Vector(1, 0, 3), one, BEHAV_GROUND, "roof a at (1,3)");
    expectBox(all[14], Vector(5, 1, 3), one, BEHAV_BUILDING, "# at (5,3)");
    EXPECT_EQ(world.trok, all[10]);

    // Agents stand on the street, centred in their cells at height 1.5.
    expectVector(all[9]->physics->getCurrentLocation(), 3.5f, 1.5f, 1.5f, "citizen centre");
    expectVector(all[10]->physics->getCurrentLocation(), 1.5f, 1.5f, 2.5f, "activist centre");
    expectVector(all[11]->physics->getCurrentLocation(), 4.5f, 1.5f, 2.5f, "police centre");

    // Ground and roofs are not solid: walls, blocks and agents are.
    EXPECT_EQ(PhysicsProbe::list().size(), 12u);

    // Waypoints at cell corners, in reading order: (1, 1, 1) then (4, 1, 3).
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(1, 1, 1), -1, -1), 0);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(4, 1, 3), -1, -1), 1);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(1, 1, 1), 0, -1), 1);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(Vector(1, 1, 1), 0, 1), -1);
    // A point just past the midway between the corners is nearer the second;
    // had the waypoints been cell centres it would still be nearer the first.
    const Vector mid = (Vector(1, 1, 1) + Vector(4, 1, 3)) * 0.5f;
    const Vector towardsSecond = (Vector(4, 1, 3) - Vector(1, 1, 1)).normalize() * 0.3f;
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(mid + towardsSecond, -1, -1), 1);
}

TEST_F(CityTest, CountersHeightsAndSeveralActivists)
{
    TrokWorld::allyCount = 7;
    TrokWorld::policeCount = 7;
    TrokWorld::citizenCount = 7;
    TrokWorld::totalAgentCount = 7;
    writeLevel({ "@5d89hiC",
                 "C.P.C.P@" });
    startCaptured(world);

    EXPECT_EQ(TrokWorld::citizenCount, 3u);
    EXPECT_EQ(TrokWorld::policeCount, 2u);
    EXPECT_EQ(TrokWorld::allyCount, 0u);
    EXPECT_EQ(TrokWorld::totalAgentCount, 5u);

    const auto& all = objects();
    // 8, 9, h and i build nothing.
    ASSERT_EQ(all.size(), 14u);
    expectBox(all[6], Vector(1, 1, 0), Vector(1, 5, 1), BEHAV_BUILDING, "5: heights 1 to 6");
    expectBox(all[7], Vector(2, 3, 0), Vector(1, 1, 1), BEHAV_GROUND, "d: heights 3 to 4");
    // Both activists are built; the last one in reading order is followed.
    EXPECT_EQ(boxOf(all[5]).type, BEHAV_TROK);
    EXPECT_EQ(boxOf(all[13]).type, BEHAV_TROK);
    EXPECT_EQ(world.trok, all[13]);
}

TEST_F(CityTest, StartingAgainWhileRunningChangesNothing)
{
    writeLevel(kExample);
    startCaptured(world);
    const std::vector<TrokObject*> before = objects();
    TrokWorld::allyCount = 1;
    writeLevel({ "@C" });

    EXPECT_EQ(startCaptured(world), "");
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    EXPECT_EQ(WorldProbe::mapOf(world)->getWidth(), 6);
}

TEST_F(CityTest, EndingReleasesEveryObjectOnceAndPlacesTheCameraOverTheActivist)
{
    writeLevel(kExample);
    startCaptured(world);
    world.endGame();
    EXPECT_FALSE(WorldProbe::runningOf(world));
    EXPECT_TRUE(objects().empty());
    EXPECT_EQ(world.trok, nullptr);
    EXPECT_TRUE(PhysicsProbe::list().empty());

    // Above the activist's cell centre (1.5, 1.5, 2.5), looking down at it.
    const Location& cam = WorldProbe::cameraOf(world).loc;
    expectVector(cam, 1.6f, 19.5f, 3.5f, "camera");
    const Vector look = Vector(-0.1f, -18.0f, -1.0f).normalize();
    expectVector(cam.findForward(), look.x, look.y, look.z, "camera forward");

    world.endGame();
    EXPECT_FALSE(WorldProbe::runningOf(world));

    // The next game reads the level afresh, into a map of its own.
    writeLevel({ "C@" });
    EXPECT_EQ(startCaptured(world), "Map size: 2,1\n");
    EXPECT_EQ(WorldProbe::mapOf(world)->getWidth(), 2);
    EXPECT_EQ(objects().size(), 7u);
}

TEST_F(CityTest, CameraStartsAboveTheOriginLookingDown)
{
    const Location& cam = WorldProbe::cameraOf(world).loc;
    expectVector(cam, 0.1f, 18.0f, 1.0f, "camera");
    const Vector look = Vector(0.0f, -45.0f, -5.0f).normalize();
    expectVector(cam.findForward(), look.x, look.y, look.z, "camera forward");
    EXPECT_EQ(WorldProbe::mapOf(world), nullptr);
}

TEST_F(CityTest, UnplayableLevelsBuildNothingAndSayWhy)
{
    writeLevel({ "C.P", "..." });
    EXPECT_EQ(startCaptured(world), "Map size: 3,2\nNo game: the level has no activist (@).\n");
    EXPECT_FALSE(WorldProbe::runningOf(world));
    EXPECT_TRUE(objects().empty());
    EXPECT_TRUE(PhysicsProbe::list().empty());
    EXPECT_EQ(world.trok, nullptr);

    removeLevel();
    EXPECT_EQ(startCaptured(world),
              "Incorrect file type!\nNo game: the level could not be loaded from Content/city1.troklevel.\n");
    EXPECT_FALSE(WorldProbe::runningOf(world));
    EXPECT_TRUE(objects().empty());

    // Trying again with a playable level works.
    writeLevel({ "@" });
    EXPECT_EQ(startCaptured(world), "Map size: 1,1\n");
    EXPECT_TRUE(WorldProbe::runningOf(world));
    EXPECT_EQ(objects().size(), 6u);
}
