#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glut.h>

#include <cstdio>

#include "double/gldouble.h"
#include "Game/uiworld.h"

using Args = std::vector<double>;

class UIWorldProbe : public UIWorld
{
public:
    using UIWorld::renderLine;
};

// Where glOrtho followed by the viewport transformation puts a point of the
// screen space: window pixels from the bottom-left corner, and the depth in
// normalised device coordinates (visible between -1 and 1).
struct WindowPoint
{
    double x, y, depth;
};

static WindowPoint toWindow(const Args& ortho, double width, double height, double x, double y, double z)
{
    const double l = ortho[0], r = ortho[1], b = ortho[2], t = ortho[3], n = ortho[4], f = ortho[5];
    const double ndcX = 2 * (x - l) / (r - l) - 1;
    const double ndcY = 2 * (y - b) / (t - b) - 1;
    const double ndcZ = -2 * z / (f - n) - (f + n) / (f - n);
    return { (ndcX + 1) / 2 * width, (ndcY + 1) / 2 * height, ndcZ };
}

TEST(UIWorld, ScreenSpaceRunsFromCornerToCornerOfTheWindow)
{
    gldouble::reset();
    UIWorld world;  // the window is 1000 x 750 until GLUT reports otherwise
    world.output();
    const auto ortho = gldouble::callsNamed("glOrtho");
    ASSERT_EQ(ortho.size(), 1u);
    const float aspect = 1000.0f / 750.0f;
    EXPECT_EQ(ortho[0].args, (Args{ 0, aspect, 0, 1, -1, 1 }));
    // Eye at the origin looking down -z with +y up: the view is the identity.
    EXPECT_EQ(gldouble::callsNamed("gluLookAt")[0].args, (Args{ 0, 0, 0, 0, 0, -1, 0, 1, 0 }));

    const WindowPoint bottomLeft = toWindow(ortho[0].args, 1000, 750, 0, 0, 0);
    EXPECT_NEAR(bottomLeft.x, 0, 1e-9);
    EXPECT_NEAR(bottomLeft.y, 0, 1e-9);
    EXPECT_EQ(bottomLeft.depth, 0);
    const WindowPoint topRight = toWindow(ortho[0].args, 1000, 750, aspect, 1, 0);
    EXPECT_NEAR(topRight.x, 1000, 1e-9);
    EXPECT_NEAR(topRight.y, 750, 1e-9);
    // The credits start 7.5 % of the width in and half way up.
    const WindowPoint credits = toWindow(ortho[0].args, 1000, 750, 0.1f, 0.5f, 0);
    EXPECT_NEAR(credits.x, 75, 1e-4);
    EXPECT_NEAR(credits.y, 375, 1e-4);
}

TEST(UIWorld, RenderLineStepsDownAndBackToTheStartAtEachNewline)
{
    gldouble::reset();
    UIWorldProbe world;
    std::ostringstream msg;
    msg << "ab\n\tc\n";
    gldouble::clearCalls();
    world.renderLine(Vector(0.2f, 0.5f, 0), msg);

    std::vector<std::string> sequence;
    for (const auto& call : gldouble::calls()) {
        if (call.name == "glRasterPos3fv") {
            char where[32];
            std::snprintf(where, sizeof where, "@%.2f,%.2f,%.2f", call.args[0], call.args[1], call.args[2]);
            sequence.push_back(where);
        } else {
            ASSERT_EQ(call.name, "glutBitmapCharacter");
            EXPECT_EQ(call.args[1], 18) << "Helvetica 18";
            sequence.push_back(std::string(1, static_cast<char>(call.args[0])));
        }
    }
    EXPECT_EQ(sequence, (std::vector<std::string>{ "@0.20,0.50,0.00", "a", "b", "@0.20,0.45,0.00", "\n", "\t",
                                                   "c", "@0.20,0.40,0.00", "\n" }));
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
