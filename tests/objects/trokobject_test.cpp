#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/trokbehavior.h"
#include "Game/trokdisplay.h"
#include "Game/trokmovement.h"
#include "Game/trokphysics.h"
#include "double/gldouble.h"
#include "support/handbuilt.h"
#include "support/objectfixture.h"

namespace {

// Components that log what happens to them, to see the order of a frame and
// of destruction through the base pointers.
class LoggingMovement : public TrokMovement
{
public:
    LoggingMovement(TrokObject* parent, std::vector<std::string>& log)
        : TrokMovement(parent, 10.0f), log(log) {}
    ~LoggingMovement() override { log.push_back("~movement"); }
    void gatherInput() override { log.push_back("gatherInput"); }
    void move() override
    {
        log.push_back("move");
        parent->physics->moveInDirWithSpeed(Vector(1, 0, 0), movespeed);
    }

private:
    std::vector<std::string>& log;
};

class LoggingBehavior : public TrokBehavior
{
public:
    LoggingBehavior(TrokObject* parent, std::vector<std::string>& log)
        : TrokBehavior(parent, BEHAV_NONE), log(log) {}
    ~LoggingBehavior() override
    {
        // Controller and physics are gone (and their slots cleared) by now.
        log.push_back(std::string("~behavior") + (parent->movement == nullptr ? " after movement" : "") +
                      (parent->physics == nullptr ? " after physics" : ""));
    }
    void act() override
    {
        const float speed = PhysicsProbe::velocityOf(*parent->physics).length();
        log.push_back("act at speed " + std::to_string(static_cast<int>(speed)));
    }
    void collide(TrokBehavior*) override {}

private:
    std::vector<std::string>& log;
};

}  // namespace

class ObjectConstruction : public ObjectTest
{
};

TEST_F(ObjectConstruction, ObjectsAreBuiltFromPresets)
{
    const size_t listed = PhysicsProbe::list().size();
    TrokObject* citizen = make(OBJ_CITIZEN, Vector(3, 1, 4));
    EXPECT_EQ(citizen->physics->getSize(), Vector(1, 1, 1));
    EXPECT_EQ(Vector(citizen->physics->getCurrentLocation()), Vector(3.5f, 1.5f, 4.5f));
    EXPECT_NE(dynamic_cast<TrokMovementAICitizen*>(citizen->movement), nullptr);
    citizen->input();
    citizen->movement->move();
    EXPECT_NEAR(PhysicsProbe::velocityOf(*citizen->physics).length(), 2.5f, 1e-5);
    EXPECT_NE(dynamic_cast<TrokBehaviorCitizen*>(citizen->behavior), nullptr);
    EXPECT_EQ(citizen->behavior->getBehaviorType(), BEHAV_CITIZEN);
    const Color fill = citizen->display->getFillColor();
    EXPECT_EQ(std::vector<int>({ fill.getr(), fill.getg(), fill.getb(), fill.geta() }),
              std::vector<int>({ 252, 255, 117, 255 }));
    EXPECT_EQ(PhysicsProbe::list().size(), listed + 1);
    EXPECT_EQ(PhysicsProbe::list().back(), citizen->physics);

    // The ground keeps its given size and stays out of the collision list.
    TrokObject* ground = make(OBJ_GROUND, Vector(0, 0, 0), Vector(30, 1, 20));
    EXPECT_EQ(ground->physics->getSize(), Vector(30, 1, 20));
    EXPECT_EQ(ground->behavior->getBehaviorType(), BEHAV_GROUND);
    EXPECT_EQ(PhysicsProbe::list().size(), listed + 1);

    // Each preset gets its controller and behaviour class.
    TrokObject* trok = make(OBJ_TROK, Vector(0, 1, 0));
    EXPECT_NE(dynamic_cast<TrokMovementInput*>(trok->movement), nullptr);
    EXPECT_NE(dynamic_cast<TrokBehaviorActivist*>(trok->behavior), nullptr);
    TrokObject* police = make(OBJ_POLICE, Vector(8, 1, 0));
    EXPECT_NE(dynamic_cast<TrokMovementAIPolice*>(police->movement), nullptr);
    EXPECT_NE(dynamic_cast<TrokBehaviorPolice*>(police->behavior), nullptr);
    TrokObject* ally = make(OBJ_ALLY, Vector(12, 1, 0));
    EXPECT_NE(dynamic_cast<TrokMovementNone*>(ally->movement), nullptr);
    EXPECT_NE(dynamic_cast<TrokBehaviorNone*>(ally->behavior), nullptr);
    EXPECT_EQ(ally->behavior->getBehaviorType(), BEHAV_ALLY);

    // Static controllers (types 0 and 4) never move their object.
    for (int type : { 0, 4 }) {
        TrokMovement* none = createMovement(ally, type, 5.0f);
        PhysicsProbe::setVelocity(*ally->physics, Vector(0, 0, 0));
        none->gatherInput();
        none->move();
        EXPECT_EQ(PhysicsProbe::velocityOf(*ally->physics), Vector(0, 0, 0));
        delete none;
    }
    // Behaviour types keep their exact value; 0 to 4 and 9 do nothing.
    for (int type : { 0, 1, 2, 3, 4, 9 }) {
        TrokBehavior* none = createBehavior(ally, type);
        EXPECT_NE(dynamic_cast<TrokBehaviorNone*>(none), nullptr) << type;
        EXPECT_EQ(none->getBehaviorType(), type);
        delete none;
    }
    TrokBehavior* activist = createBehavior(trok, BEHAV_ACTIVIST);
    EXPECT_NE(dynamic_cast<TrokBehaviorActivist*>(activist), nullptr);
    delete activist;
}

TEST(ObjectFactories, OutOfRangeCodesEndTheProcessSilently)
{
    EXPECT_EXIT(createMovement(nullptr, 5, 1.0f), ::testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(createMovement(nullptr, -1, 1.0f), ::testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(createBehavior(nullptr, 10), ::testing::ExitedWithCode(38), "^$");
    EXPECT_EXIT(createBehavior(nullptr, 11), ::testing::ExitedWithCode(38), "^$");
    EXPECT_EXIT(createBehavior(nullptr, -1), ::testing::ExitedWithCode(38), "^$");
    // Through the object's constructor too.
    TrokObjectInit broken = OBJ_WALL;
    broken.behavType = BEHAV_NULL;
    EXPECT_EXIT(TrokObject(broken, Vector(0, 0, 0), Vector(1, 1, 1)), ::testing::ExitedWithCode(38), "^$");
    broken = OBJ_WALL;
    broken.moveType = 7;
    EXPECT_EXIT(TrokObject(broken, Vector(0, 0, 0), Vector(1, 1, 1)), ::testing::ExitedWithCode(1), "^$");
}

TEST_F(ObjectConstruction, ThinkRunsBehaviourThenControllerThenPhysics)
{
    std::vector<std::string> log;
    TrokObject* thing = make(OBJ_WALL, Vector(0, 1, 0));
    delete thing->movement;
    thing->movement = new LoggingMovement(thing, log);
    delete thing->behavior;
    thing->behavior = new LoggingBehavior(thing, log);

    thing->input();
    thing->think();
    // The behaviour acted before the controller asked for speed 10, and the
    // physics moved by it in the same think (10 units/s at 10 frames/s).
    EXPECT_EQ(log, (std::vector<std::string>{ "gatherInput", "act at speed 0", "move" }));
    EXPECT_FLOAT_EQ(thing->physics->getCurrentLocation().x, 1.5f);

    gldouble::clearCalls();
    thing->output();
    EXPECT_FALSE(gldouble::calls().empty());
    EXPECT_EQ(gldouble::calls().front().name, "glPushMatrix");

    // Destruction goes through the base pointers: movement, physics (which
    // leaves the list), behaviour, display.
    const TrokPhysics* physics = thing->physics;
    log.clear();
    objects.clear();
    EXPECT_EQ(log, (std::vector<std::string>{ "~movement", "~behavior after movement after physics" }));
    for (const TrokPhysics* listed : PhysicsProbe::list()) {
        EXPECT_NE(listed, physics);
    }
}
