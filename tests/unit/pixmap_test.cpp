#include <gtest/gtest.h>

#include "Base/pixmap.h"
#include "double/gldouble.h"
#include "support/compare.h"

typedef std::vector<double> Args;

TEST(Pixmap, SizeAndClearing)
{
    Pixmap map;
    map.setSize(4, 3);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(rgba(map.pixels[i]), (Rgba{ 0, 0, 0, 255 }));
    }
    map.pixels[5].setWhite();
    map.clearOnce();
    map.pixels[6].setWhite();
    map.clearOnce();
    EXPECT_EQ(map.pixels[5].getr(), 0);
    EXPECT_EQ(map.pixels[6].getr(), 255);  // the second clearOnce did nothing
    map.setSize(4, 3);
    map.pixels[3].setWhite();
    map.clearCrazyOnce();
    EXPECT_EQ(rgba(map.pixels[3]), (Rgba{ 0, 81, 81, 255 }));  // clears again after setSize

    // Decision: a side of 0 or less gives an empty map; a side past maxSide ends the process.
    map.setSize(0, 5);
    EXPECT_EQ(map.pixels, nullptr);
    map.draw();
    EXPECT_EXIT(map.setSize(Pixmap::maxSide + 1, 1), ::testing::ExitedWithCode(1), "");
}

TEST(Pixmap, BandsAndFading)
{
    Pixmap map;
    map.setSize(2, 3);
    map.clearCrazy();
    EXPECT_EQ(rgba(map.pixels[0]), (Rgba{ 0, 81, 81, 255 }));  // (0, 0)
    EXPECT_EQ(rgba(map.pixels[3]), (Rgba{ 0, 81, 81, 255 }));  // (1, 0): one colour per row
    EXPECT_EQ(rgba(map.pixels[2]), (Rgba{ 1, 79, 81, 255 }));  // (0, 2): phase 0.02
    EXPECT_EQ(map.angle, 0.0f);

    const std::pair<float, Rgba> fades[] = {
        { 0.5f, { 100, 50, 25, 127 } },
        { -0.2f, { 236, 246, 251, 231 } },  // negative results keep their low 8 bits
        { 1e30f, { 0, 0, 0, 0 } },          // and huge ones stay defined
    };
    map.pixels[0].set(200, 100, 51, 255);
    for (const auto& f : fades) {
        map.percent = f.first;
        map.fade();
        EXPECT_EQ(rgba(map.pixels[0]), f.second) << f.first;
    }

    map.angle = 1.0f;  // sin 0.841, cos 0.540
    map.percent = 1.0f;
    map.pixels[0].set(100, 100, 100, 100);
    map.fadeCrazy();
    EXPECT_EQ(rgba(map.pixels[0]), (Rgba{ 84, 45, 54, 54 }));
}

TEST(Pixmap, SineWaveAndDrawing)
{
    gldouble::reset();
    Pixmap map;
    map.setSize(8, 8);
    map.drawSin();
    EXPECT_EQ(map.pixels[0 * 8 + 4].getr(), 255);  // (0, 4)
    EXPECT_EQ(map.pixels[2 * 8 + 7].getr(), 255);  // the crest, held to the last row
    EXPECT_EQ(map.pixels[6 * 8 + 0].getr(), 255);  // the trough

    map.setSize(2, 2);
    map.setScale(1, 2);  // 2 apart across, 1 down
    map.pixels[1].set(1, 2, 3, 4);  // (0, 1)
    gldouble::clearCalls();
    map.draw();
    const auto& calls = gldouble::calls();
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls[0].args, Args{ GL_POINTS });
    for (int i = 0; i < 4; ++i) {  // rows outermost
        EXPECT_EQ(calls[2 + 2 * i].args, (Args{ 2.0 * (i % 2), double(i / 2) }));
    }
    EXPECT_EQ(calls[5].args, (Args{ 1, 2, 3, 4 }));
    EXPECT_EQ(calls[9].name + calls[10].name, "glEndglutPostRedisplay");
    EXPECT_FLOAT_EQ(map.angle, 0.01f);
    map.angle = 359.995f;
    map.update();
    EXPECT_NEAR(map.angle, 0.005f, 1e-4f);  // wraps past 360
}
