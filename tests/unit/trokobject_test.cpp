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
    const std::pair<int, int> types[] = { { 9, BEHAV_ALLY }, { 3, BEHAV_GROUND }, { 12, BEHAV_NONE },
                                          { BEHAV_NULL, BEHAV_NONE }, { -1, BEHAV_NONE } };
    for (const auto& t : types) {
        EXPECT_EQ(StubBehavior(nullptr, t.first).getBehaviorType(), t.second) << t.first;
    }
}
