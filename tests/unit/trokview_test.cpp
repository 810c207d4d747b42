#include <gtest/gtest.h>

#include <cmath>

#include "Game/trokview.h"

namespace {

// gluPerspective(90, 1, 1, 10), column-major: from the origin along -z, the
// view at depth d spans -d..d across and up.
const float kPerspective[16] = { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -11.0f / 9, -1, 0, 0, -20.0f / 9, 0 };
const float kIdentity[16] = { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 };
const Vector kUnit(1, 1, 1);

}  // namespace

TEST(TrokView, LeavesOutOnlyWhatLiesWhollyBeyondAPlane)
{
    const TrokView view(kPerspective, kIdentity);
    EXPECT_TRUE(view.mayShow(Vector(0, 0, -5), kUnit));
    EXPECT_FALSE(view.mayShow(Vector(0, 0, 5), kUnit));          // behind
    EXPECT_FALSE(view.mayShow(Vector(0, 0, -0.05f), kUnit * 0.1f)); // before the near plane
    EXPECT_FALSE(view.mayShow(Vector(0, 0, -12), kUnit));        // beyond the far plane
    EXPECT_TRUE(view.mayShow(Vector(0, 0, -10.5f), kUnit));      // reaching into it
    // At depth 5 the left edge is x = -5: a unit box's corner reaches 0.87 out.
    EXPECT_TRUE(view.mayShow(Vector(-5.5f, 0, -5), kUnit));
    EXPECT_FALSE(view.mayShow(Vector(-6.5f, 0, -5), kUnit));
    EXPECT_FALSE(view.mayShow(Vector(0, 6.5f, -5), kUnit));
    EXPECT_TRUE(view.mayShow(Vector(0, 5.5f, -5), kUnit));
    // Long walls reach in from afar; sizes count as drawn, rounded, or as
    // given when that is more.
    EXPECT_TRUE(view.mayShow(Vector(-30, 0, -5), Vector(52, 1, 1)));
    EXPECT_TRUE(view.mayShow(Vector(-6.9f, 0, -5), Vector(2.5f, 1, 1)));
    EXPECT_FALSE(view.mayShow(Vector(-6.9f, 0, -5), Vector(0.4f, 0.4f, 0.4f)));
    // A place that is not a number is never left out.
    EXPECT_TRUE(view.mayShow(Vector(NAN, 0, 0), kUnit));
    EXPECT_TRUE(view.mayShow(Vector(0, 0, 5), Vector(INFINITY, 1, 1)));

    // The model-view moves the volume: a camera stepped back by 20 along +z.
    float stepped[16] = { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -20, 1 };
    const TrokView back(kPerspective, stepped);
    EXPECT_TRUE(back.mayShow(Vector(0, 0, 15), kUnit));
    EXPECT_FALSE(back.mayShow(Vector(0, 0, -5), kUnit));

    // Matrices of zeros, as a context without matrices answers: nothing is left out.
    const float zeros[16] = {};
    EXPECT_TRUE(TrokView(zeros, zeros).mayShow(Vector(0, 0, 1e6f), kUnit));
}
