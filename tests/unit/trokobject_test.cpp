#include <gtest/gtest.h>

#include "Game/trokbehavior.h"
#include "Game/trokobject.h"

namespace
{

// The smallest behaviour there is: enough to reach the base's type rule.
class StubBehavior : public TrokBehavior
{
public:
    StubBehavior(TrokObject* parent, int type) : TrokBehavior(parent, type) {}
    void act() override {}
    void collide(TrokBehavior*) override {}
};

}

TEST(TrokBehavior, KeepsCodesUpToAllyAndFoldsTheRestToNone)
{
    TrokObject* const owner = reinterpret_cast<TrokObject*>(0x1000);
    EXPECT_EQ(StubBehavior(owner, 9).getBehaviorType(), BEHAV_ALLY);
    EXPECT_EQ(StubBehavior(owner, 3).getBehaviorType(), BEHAV_GROUND);
    EXPECT_EQ(StubBehavior(owner, 12).getBehaviorType(), BEHAV_NONE);
    EXPECT_EQ(StubBehavior(owner, BEHAV_NULL).getBehaviorType(), BEHAV_NONE);
    EXPECT_EQ(StubBehavior(owner, -1).getBehaviorType(), BEHAV_NONE);
    EXPECT_EQ(StubBehavior(owner, 5).parent, owner);
}

TEST(TrokPresets, ActivistStandsOutAndWallsAreSolidButInvisible)
{
    const TrokObjectInit* others[] = { &OBJ_GROUND, &OBJ_CITIZEN, &OBJ_POLICE, &OBJ_ALLY,
                                       &OBJ_BUILDING_EXTRA, &OBJ_BUILDING, &OBJ_WALL };
    EXPECT_EQ(OBJ_TROK.pushrank, 50);
    EXPECT_EQ(OBJ_TROK.fillcolor.geta(), 216);
    EXPECT_EQ(OBJ_TROK.pos, Vector(-4, 0, 0));
    for (const TrokObjectInit* other : others) {
        EXPECT_NE(other->pushrank, OBJ_TROK.pushrank);
        EXPECT_NE(other->fillcolor.geta(), OBJ_TROK.fillcolor.geta());
        EXPECT_FALSE(other->pos == OBJ_TROK.pos);
        EXPECT_EQ(other->size, Vector(1, 1, 1));
    }

    EXPECT_TRUE(OBJ_WALL.obstructive);
    EXPECT_EQ(OBJ_WALL.fillcolor.geta(), 0);
    EXPECT_EQ(OBJ_WALL.linecolor.geta(), 0);
    // Slabs and extra storeys never take part in collisions.
    EXPECT_FALSE(OBJ_GROUND.obstructive);
    EXPECT_FALSE(OBJ_BUILDING_EXTRA.obstructive);
}
