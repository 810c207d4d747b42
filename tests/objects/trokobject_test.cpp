#include <gtest/gtest.h>

#include "Game/trokbehavior.h"
#include "Game/trokmovement.h"
#include "support/handbuilt.h"
#include "support/objectfixture.h"

namespace {

// Components that log their steps, to see the order of a frame and of
// destruction through the base pointers.
class LoggingMovement : public TrokMovement
{
public:
    LoggingMovement(TrokObject* parent, std::vector<std::string>& log) : TrokMovement(parent, 10), log(log) {}
    ~LoggingMovement() override { log.push_back("~movement"); }
    void gatherInput() override {}
    void move() override
    {
        log.push_back("move");
        parent->physics->moveInDirWithSpeed(Vector(1, 0, 0), movespeed);
    }
    std::vector<std::string>& log;
};

class LoggingBehavior : public TrokBehavior
{
public:
    LoggingBehavior(TrokObject* parent, std::vector<std::string>& log) : TrokBehavior(parent, 0), log(log) {}
    ~LoggingBehavior() override { log.push_back(parent->movement || parent->physics ? "~behavior" : "~behavior last"); }
    void act() override { log.push_back("act at x " + std::to_string(parent->physics->getCurrentLocation().x)); }
    void collide(TrokBehavior*) override {}
    std::vector<std::string>& log;
};

}  // namespace

// (The boxes and types the presets give are checked on the city the game
// builds; the controllers and behaviours they choose are exercised by the
// movement and behaviour tests.)
TEST_F(ObjectTest, FactoriesFillTheUnusedCodesWithPartsThatDoNothing)
{
    TrokObject* citizen = make(OBJ_CITIZEN, Vector(3, 1, 4));
    for (int type : { 0, 4 }) {  // controllers that never move anything
        std::unique_ptr<TrokMovement> none(createMovement(citizen, type, 5.0f));
        none->gatherInput();
        none->move();
        EXPECT_EQ(PhysicsProbe::velocityOf(*citizen->physics), Vector(0, 0, 0));
    }
    for (int type : { 0, 1, 2, 3, 4, 9 }) {
        std::unique_ptr<TrokBehavior> none(createBehavior(citizen, type));
        EXPECT_NE(dynamic_cast<TrokBehaviorNone*>(none.get()), nullptr);
        EXPECT_EQ(none->getBehaviorType(), type);
    }
}

TEST(ObjectFactories, OutOfRangeCodesEndTheProcessSilently)
{
    for (int type : { 5, -1 }) {
        EXPECT_EXIT(createMovement(nullptr, type, 1.0f), ::testing::ExitedWithCode(1), "^$");
    }
    for (int type : { 10, 11, -1 }) {
        EXPECT_EXIT(createBehavior(nullptr, type), ::testing::ExitedWithCode(38), "^$");
    }
    TrokObjectInit broken = OBJ_WALL;
    broken.behavType = BEHAV_NULL;
    EXPECT_EXIT(TrokObject(broken, Vector(0, 0, 0), Vector(1, 1, 1)), ::testing::ExitedWithCode(38), "^$");
}

TEST_F(ObjectTest, ThinkRunsBehaviourThenControllerThenPhysics)
{
    std::vector<std::string> log;
    TrokObject* thing = make(OBJ_WALL, Vector(0, 1, 0));
    delete thing->movement;
    thing->movement = new LoggingMovement(thing, log);
    delete thing->behavior;
    thing->behavior = new LoggingBehavior(thing, log);
    thing->think();
    thing->think();
    // Each act sees the position before this frame's motion; the speed the
    // controller asks for (10 at 10 frames per second) moves it in the same think.
    EXPECT_EQ(log, (std::vector<std::string>{ "act at x 0.500000", "move", "act at x 1.500000", "move" }));
    log.clear();
    objects.clear();  // movement, physics, behaviour, display; each slot cleared
    EXPECT_EQ(log, (std::vector<std::string>{ "~movement", "~behavior last" }));
    EXPECT_TRUE(PhysicsProbe::list().empty());
}

TEST_F(ObjectTest, OnlyBlocksGroundAndWallsAreStill)
{
    for (const TrokObjectInit* preset : { &OBJ_GROUND, &OBJ_WALL, &OBJ_BUILDING, &OBJ_BUILDING_EXTRA }) {
        EXPECT_TRUE(make(*preset, Vector(0, 1, 0))->isStill());
    }
    // Allies never move by themselves, but they are moving boxes: pushable.
    for (const TrokObjectInit* preset : { &OBJ_CITIZEN, &OBJ_POLICE, &OBJ_TROK, &OBJ_ALLY }) {
        EXPECT_FALSE(make(*preset, Vector(0, 1, 0))->isStill());
    }
    // A block set moving or speeding up, or given a behaviour of another kind, is not.
    TrokObject* pushed = make(OBJ_BUILDING, Vector(3, 1, 0));
    PhysicsProbe::setVelocity(*pushed->physics, Vector(0, 0, 1));
    TrokObject* speeding = make(OBJ_BUILDING, Vector(5, 1, 0));
    PhysicsProbe::setAcceleration(*speeding->physics, Vector(0, 1, 0));
    TrokObject* acting = make(OBJ_BUILDING, Vector(7, 1, 0));
    delete acting->behavior;
    acting->behavior = new RecordingBehavior(acting, BEHAV_BUILDING, "acting", nullptr);
    EXPECT_FALSE(pushed->isStill());
    EXPECT_FALSE(speeding->isStill());
    EXPECT_FALSE(acting->isStill());
}
