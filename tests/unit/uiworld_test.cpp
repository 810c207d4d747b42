#include <gtest/gtest.h>

#include <GL/glut.h>

#include "double/gldouble.h"
#include "Game/uiworld.h"

// (The screens world's own projection is checked by the whole-program tests.)
TEST(UIWorld, RenderBitmapStringGoesUpOneUnitPerNewline)
{
    gldouble::reset();
    renderBitmapString(1, 2, 3, GLUT_BITMAP_HELVETICA_18, "x\ny");
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glRasterPos3f", "glutBitmapCharacter", "glRasterPos3f",
                                                            "glutBitmapCharacter", "glutBitmapCharacter" }));
    EXPECT_EQ(gldouble::calls()[0].args, (std::vector<double>{ 1, 2, 3 }));
    EXPECT_EQ(gldouble::calls()[2].args, (std::vector<double>{ 1, 3, 3 }));
    EXPECT_EQ(gldouble::bitmapText(), "x\ny");
    gldouble::clearCalls();
    renderBitmapString(0, 0, 0, GLUT_BITMAP_HELVETICA_18, nullptr);
    EXPECT_TRUE(gldouble::calls().empty());
}
