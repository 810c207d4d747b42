#include <gtest/gtest.h>

#include <GL/glut.h>

#include "double/gldouble.h"
#include "Game/uiworld.h"

using Args = std::vector<double>;

// Window pixel, from the bottom-left corner, of a screen-space point after
// glOrtho(l, r, b, t, n, f) and a viewport covering the whole window.
static std::pair<double, double> toWindow(const Args& o, double width, double height, double x, double y)
{
    const double ndcX = 2 * (x - o[0]) / (o[1] - o[0]) - 1;
    const double ndcY = 2 * (y - o[2]) / (o[3] - o[2]) - 1;
    return { (ndcX + 1) / 2 * width, (ndcY + 1) / 2 * height };
}

TEST(UIWorld, ScreenSpaceRunsFromCornerToCornerOfTheWindow)
{
    gldouble::reset();
    UIWorld world;  // the window is 1000 x 750 until GLUT reports otherwise
    world.output();
    const auto ortho = gldouble::callsNamed("glOrtho");
    ASSERT_EQ(ortho.size(), 1u);
    const float aspect = 1000.0f / 750.0f;
    // z = 0 lies half way between the clipping planes at -1 and 1.
    EXPECT_EQ(ortho[0].args, (Args{ 0, aspect, 0, 1, -1, 1 }));
    // Eye at the origin looking down -z with +y up: the view is the identity.
    EXPECT_EQ(gldouble::callsNamed("gluLookAt")[0].args, (Args{ 0, 0, 0, 0, 0, -1, 0, 1, 0 }));

    const auto bottomLeft = toWindow(ortho[0].args, 1000, 750, 0, 0);
    EXPECT_NEAR(bottomLeft.first, 0, 1e-9);
    EXPECT_NEAR(bottomLeft.second, 0, 1e-9);
    const auto topRight = toWindow(ortho[0].args, 1000, 750, aspect, 1);
    EXPECT_NEAR(topRight.first, 1000, 1e-9);
    EXPECT_NEAR(topRight.second, 750, 1e-9);
}

TEST(UIWorld, RenderBitmapStringGoesUpOneUnitPerNewline)
{
    gldouble::reset();
    renderBitmapString(1, 2, 3, GLUT_BITMAP_HELVETICA_18, "x\ny");
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glRasterPos3f", "glutBitmapCharacter",
                                                            "glRasterPos3f", "glutBitmapCharacter",
                                                            "glutBitmapCharacter" }));
    EXPECT_EQ(gldouble::calls()[2].args, (Args{ 1, 3, 3 }));
    EXPECT_EQ(gldouble::bitmapText(), "x\ny");
    gldouble::clearCalls();
    renderBitmapString(0, 0, 0, GLUT_BITMAP_HELVETICA_18, nullptr);
    EXPECT_TRUE(gldouble::calls().empty());
}
