#include <gtest/gtest.h>

#include "Game/trokbehavior.h"
#include "Game/trokobject.h"

// The smallest behaviour there is: enough to reach the base's type rule.
class StubBehavior : public TrokBehavior
{
public:
    using TrokBehavior::TrokBehavior;
    void act() override {}
    void collide(TrokBehavior*) override {}
};

TEST(TrokBehavior, KeepsCodesUpToAllyAndFoldsTheRestToNone)
{
    TrokObject* const owner = reinterpret_cast<TrokObject*>(0x1000);
    const std::pair<int, int> types[] = { { 9, BEHAV_ALLY }, { 3, BEHAV_GROUND }, { 12, BEHAV_NONE },
                                          { BEHAV_NULL, BEHAV_NONE }, { -1, BEHAV_NONE } };
    for (const auto& t : types) {
        EXPECT_EQ(StubBehavior(owner, t.first).getBehaviorType(), t.second) << t.first;
    }
    EXPECT_EQ(StubBehavior(owner, 5).parent, owner);
}

TEST(TrokPresets, ActivistStandsOutAndWallsAreSolidButInvisible)
{
    for (const TrokObjectInit* other : { &OBJ_GROUND, &OBJ_CITIZEN, &OBJ_POLICE, &OBJ_ALLY, &OBJ_BUILDING_EXTRA,
                                         &OBJ_BUILDING, &OBJ_WALL }) {
        EXPECT_NE(other->pushrank, OBJ_TROK.pushrank);
        EXPECT_NE(other->fillcolor.geta(), OBJ_TROK.fillcolor.geta());
        EXPECT_FALSE(other->pos == OBJ_TROK.pos);
    }
    EXPECT_TRUE(OBJ_WALL.obstructive);
    EXPECT_EQ(OBJ_WALL.fillcolor.geta() + OBJ_WALL.linecolor.geta(), 0);
    // Slabs and extra storeys never take part in collisions.
    EXPECT_FALSE(OBJ_GROUND.obstructive || OBJ_BUILDING_EXTRA.obstructive);
}
