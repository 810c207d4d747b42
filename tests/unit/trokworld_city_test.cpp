#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Base/vector.h"
#include "Game/trokbehavior.h"
#include "Game/trokmovement.h"
#include "Game/trokobject.h"
#include "Game/trokphysics.h"
#include "Game/trokworld.h"
#include "double/gldouble.h"
#include "support/compare.h"
#include "support/gameharness.h"
#include "support/worldprobe.h"

namespace
{

// An object's box as "(corner)(size) type". Every corner and size in these
// levels is a whole or half number, so the text compares exactly.
std::string box(const Vector& corner, const Vector& size, int type)
{
    std::ostringstream text;
    text << corner << size << " " << type;
    return text.str();
}

std::vector<std::string> boxes(const std::vector<TrokObject*>& objects)
{
    std::vector<std::string> found;
    for (const TrokObject* object : objects) {
        const Vector size = object->physics->getSize();
        found.push_back(box(object->physics->getCurrentLocation() - size * 0.5f, size,
                            object->behavior->getBehaviorType()));
    }
    return found;
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
    std::string start(const std::vector<std::string>& level)
    {
        writeLevel(level);
        testing::internal::CaptureStdout();
        world.startGame();
        return testing::internal::GetCapturedStdout();
    }
    const std::vector<TrokObject*>& objects() const { return WorldProbe::objectsOf(world); }

    TrokWorld world;
};

// The example level: blocks in the corners, a three-storey block, two roofs,
// two waypoints, a citizen, the activist and a police officer.
TEST_F(CityTest, ExampleLevelBuildsGroundWallsThenCellsInReadingOrder)
{
    EXPECT_EQ(start({ "#3..b#", ".W.C..", ".@..P.", "#a..W#" }), "Map size: 6,4\n");
    EXPECT_TRUE(WorldProbe::runningOf(world));
    const Vector one(1, 1, 1);
    // The walls enclose exactly the 6 by 4 cells; the rows before and after
    // the map reach round the corners. Agents stand on the street.
    EXPECT_EQ(boxes(objects()), (std::vector<std::string>{
                                    box(Vector(0, 0, 0), Vector(6, 1, 4), BEHAV_GROUND),
                                    box(Vector(-1, 1, -1), Vector(8, 1, 1), BEHAV_GROUND),
                                    box(Vector(-1, 1, 0), Vector(1, 1, 4), BEHAV_GROUND),
                                    box(Vector(-1, 1, 4), Vector(8, 1, 1), BEHAV_GROUND),
                                    box(Vector(6, 1, 0), Vector(1, 1, 4), BEHAV_GROUND),
                                    box(Vector(0, 1, 0), one, BEHAV_BUILDING),
                                    box(Vector(1, 1, 0), Vector(1, 3, 1), BEHAV_BUILDING),
                                    box(Vector(4, 1, 0), one, BEHAV_GROUND),
                                    box(Vector(5, 1, 0), one, BEHAV_BUILDING),
                                    box(Vector(3, 1, 1), one, BEHAV_CITIZEN),
                                    box(Vector(1, 1, 2), one, BEHAV_TROK),
                                    box(Vector(4, 1, 2), one, BEHAV_POLICE),
                                    box(Vector(0, 1, 3), one, BEHAV_BUILDING),
                                    box(Vector(1, 0, 3), one, BEHAV_GROUND),
                                    box(Vector(5, 1, 3), one, BEHAV_BUILDING) }));
    ASSERT_EQ(objects().size(), 15u);
    EXPECT_EQ(world.trok, objects()[10]);
    // Ground and roofs are not solid: walls, blocks and agents are.
    EXPECT_EQ(PhysicsProbe::list().size(), 12u);
    // The boundary walls block without being seen.
    gldouble::clearCalls();
    objects()[1]->output();
    EXPECT_EQ(gldouble::countOf("glBegin"), 0u);

    // Waypoints at cell corners, in reading order: (1, 1, 1) then (4, 1, 3).
    // A point just past the midway is nearer the second; had the waypoints
    // been cell centres it would still be nearer the first.
    const Vector first(1, 1, 1), second(4, 1, 3);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(first, -1, -1), 0);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(second, -1, -1), 1);
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(first, 0, 1), -1);
    const Vector pastMidway = (first + second) * 0.5f + (second - first).normalize() * 0.3f;
    EXPECT_EQ(TrokMovementAIPolice::nearestWaypointFromExcluding(pastMidway, -1, -1), 1);

    // Starting again while this game runs changes nothing.
    TrokWorld::allyCount = 1;
    const std::vector<TrokObject*> before = objects();
    EXPECT_EQ(start({ "@C" }), "");
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(TrokWorld::allyCount, 1u);
    EXPECT_EQ(WorldProbe::mapOf(world)->getWidth(), 6);
}

TEST_F(CityTest, CountersHeightsAndSeveralActivists)
{
    TrokWorld::allyCount = TrokWorld::policeCount = TrokWorld::citizenCount = TrokWorld::totalAgentCount = 7;
    start({ "@5d89hiC", "C.P.C.P@" });
    EXPECT_EQ(TrokWorld::citizenCount, 3u);
    EXPECT_EQ(TrokWorld::policeCount, 2u);
    EXPECT_EQ(TrokWorld::allyCount, 0u);
    EXPECT_EQ(TrokWorld::totalAgentCount, 5u);

    // 8, 9, h and i build nothing; 5 stands from 1 to 6, d from 3 to 4.
    const std::vector<std::string> found = boxes(objects());
    ASSERT_EQ(found.size(), 14u);
    EXPECT_EQ(found[6], box(Vector(1, 1, 0), Vector(1, 5, 1), BEHAV_BUILDING));
    EXPECT_EQ(found[7], box(Vector(2, 3, 0), Vector(1, 1, 1), BEHAV_GROUND));
    // Both activists are built; the last one in reading order is followed.
    EXPECT_EQ(objects()[5]->behavior->getBehaviorType(), BEHAV_TROK);
    EXPECT_EQ(world.trok, objects()[13]);
    EXPECT_EQ(world.trok->behavior->getBehaviorType(), BEHAV_TROK);
}

TEST_F(CityTest, CameraStartsOverTheOriginAndEndingLeavesItOverTheActivist)
{
    const Location& cam = WorldProbe::cameraOf(world).loc;
    expectNear(cam, Vector(0.1f, 18.0f, 1.0f));
    expectNear(cam.findForward(), Vector(0.0f, -45.0f, -5.0f).normalize());
    EXPECT_EQ(WorldProbe::mapOf(world), nullptr);

    start({ "#3..b#", ".W.C..", ".@..P.", "#a..W#" });
    world.endGame();
    EXPECT_TRUE(WorldProbe::noGame(world));
    // Above the activist's cell centre (1.5, 1.5, 2.5), looking down at it.
    expectNear(cam, Vector(1.6f, 19.5f, 3.5f));
    expectNear(cam.findForward(), Vector(-0.1f, -18.0f, -1.0f).normalize());

    // The next game reads the level afresh, into a map of its own.
    EXPECT_EQ(start({ "C@" }), "Map size: 2,1\n");
    EXPECT_EQ(WorldProbe::mapOf(world)->getWidth(), 2);
    EXPECT_EQ(objects().size(), 7u);
}
