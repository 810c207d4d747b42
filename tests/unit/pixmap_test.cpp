#include <gtest/gtest.h>

#include "Base/pixmap.h"
#include "double/gldouble.h"

static std::vector<int> rgba(const Color& c)
{
    return { c.getr(), c.getg(), c.getb(), c.geta() };
}

TEST(Pixmap, SizeScaleAndClearing)
{
    gldouble::reset();
    Pixmap map;
    EXPECT_EQ(map.pixels, nullptr);
    map.setSize(4, 3);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(rgba(map.pixels[i]), (std::vector<int>{ 0, 0, 0, 255 }));
    }
    EXPECT_FALSE(map.hasCleared);
    EXPECT_EQ(map.xScale, 1.0f);
    EXPECT_EQ(map.yScale, 1.0f);
    EXPECT_EQ(gldouble::callsNamed("glPointSize")[0].args, (std::vector<double>{ 1 }));
    map.setScale(2, 1);  // the smaller spacing sets the point size
    EXPECT_EQ(gldouble::callsNamed("glPointSize")[1].args, (std::vector<double>{ 2 }));

    map.pixels[5].setWhite();
    map.clearOnce();
    EXPECT_EQ(rgba(map.pixels[5]), (std::vector<int>{ 0, 0, 0, 255 }));
    map.pixels[5].setWhite();
    map.clearOnce();
    EXPECT_EQ(map.pixels[5].getr(), 255);  // cleared only once
    map.setSize(4, 3);
    map.pixels[3].setWhite();
    map.clearCrazyOnce();
    EXPECT_EQ(rgba(map.pixels[3]), (std::vector<int>{ 0, 81, 81, 255 }));  // cleared again after setSize

    // Decision: sides of 0 or less give an empty map, too large ones end the process.
    map.setSize(0, 5);
    EXPECT_EQ(map.pixels, nullptr);
    map.clear();
    map.draw();
    EXPECT_EXIT(map.setSize(Pixmap::maxSide + 1, 1), ::testing::ExitedWithCode(1), "");
}

TEST(Pixmap, BandsAndFading)
{
    Pixmap map;
    map.setSize(2, 3);
    map.clearCrazy();
    EXPECT_EQ(rgba(map.pixels[0]), (std::vector<int>{ 0, 81, 81, 255 }));  // (0, 0)
    EXPECT_EQ(rgba(map.pixels[3]), (std::vector<int>{ 0, 81, 81, 255 }));  // (1, 0): same row
    EXPECT_EQ(map.pixels[1].getr(), 0);  // row 1: sin(0.01) * 255 / pi = 0.81
    EXPECT_EQ(map.pixels[2].getr(), 1);  // row 2: 1.62
    EXPECT_EQ(map.angle, 0.0f);
    EXPECT_TRUE(map.hasCleared);

    map.pixels[0].set(200, 100, 51, 255);
    map.percent = 0.5f;
    map.fade();
    EXPECT_EQ(rgba(map.pixels[0]), (std::vector<int>{ 100, 50, 25, 127 }));
    map.percent = -0.2f;  // negative results wrap to their low 8 bits
    map.fade();
    EXPECT_EQ(rgba(map.pixels[0]), (std::vector<int>{ 236, 246, 251, 231 }));
    map.percent = 1e30f;  // huge factors stay defined
    map.fade();

    map.angle = 1.0f;
    map.percent = 1.0f;
    map.pixels[0].set(100, 100, 100, 100);
    map.fadeCrazy();  // sin 1 = 0.841, cos 1 = 0.540
    EXPECT_EQ(rgba(map.pixels[0]), (std::vector<int>{ 84, 45, 54, 54 }));
}

TEST(Pixmap, SineWaveAndDrawing)
{
    gldouble::reset();
    Pixmap map;
    map.setSize(8, 8);
    map.drawSin();
    EXPECT_EQ(map.pixels[0 * 8 + 4].getr(), 255);  // (0, 4)
    EXPECT_EQ(map.pixels[2 * 8 + 7].getr(), 255);  // the crest, limited to the last row
    EXPECT_EQ(map.pixels[6 * 8 + 0].getr(), 255);  // the trough
    int white = 0;
    for (int i = 0; i < 64; ++i) {
        white += map.pixels[i].getr() == 255;
    }
    EXPECT_EQ(white, 8);  // one per column

    Pixmap small;
    small.setSize(2, 2);
    small.setScale(1, 2);  // spacing 2 across, 1 down
    small.pixels[1].set(1, 2, 3, 4);  // (0, 1)
    gldouble::clearCalls();
    small.draw();
    const std::vector<gldouble::Call> vertices = gldouble::callsNamed("glVertex2f");
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_EQ(vertices[1].args, (std::vector<double>{ 2, 0 }));  // rows outermost
    EXPECT_EQ(vertices[2].args, (std::vector<double>{ 0, 1 }));
    EXPECT_EQ(gldouble::callsNamed("glColor4ubv")[2].args, (std::vector<double>{ 1, 2, 3, 4 }));
    EXPECT_EQ(gldouble::names().front(), "glBegin");
    EXPECT_EQ(gldouble::calls().front().args[0], GL_POINTS);
    EXPECT_EQ(gldouble::names().back(), "glutPostRedisplay");
    EXPECT_FLOAT_EQ(small.angle, 0.01f);

    small.angle = 359.995f;  // the phase wraps past 360
    small.update();
    EXPECT_NEAR(small.angle, 0.005f, 1e-4f);
}
