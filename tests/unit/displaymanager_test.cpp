#include <gtest/gtest.h>

#include <GL/glut.h>

#include "Base/displaymanager.h"
#include "double/gldouble.h"

TEST(DisplayManager, DefaultsHoldUntilGlutReportsASize)
{
    EXPECT_EQ(DisplayManager::getWidth(), 1000u);
    EXPECT_EQ(DisplayManager::getHeight(), 750u);
    EXPECT_TRUE(DisplayManager::isSizeDifferent());
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1000.0f / 750.0f);
}

TEST(DisplayManager, ResizeIsVisibleForOneFrame)
{
    gldouble::reset();
    DisplayManager::registerCallbacks();
    DisplayManager::signalFrameDone();
    gldouble::reshape(640, 480);
    gldouble::reshape(800, 600);  // only the last size counts
    EXPECT_TRUE(DisplayManager::isSizeDifferent());
    EXPECT_EQ(DisplayManager::getWidth(), 800u);
    EXPECT_EQ(DisplayManager::getHeight(), 600u);
    const auto viewport = gldouble::callsNamed("glViewport");
    ASSERT_EQ(viewport.size(), 2u);
    EXPECT_EQ(viewport[1].args, (std::vector<double>{ 0, 0, 800, 600 }));
    DisplayManager::signalFrameDone();
    EXPECT_FALSE(DisplayManager::isSizeDifferent());
    EXPECT_EQ(DisplayManager::getWidth(), 800u);
}

TEST(DisplayManager, ZeroSizedWindowGivesASafeRatio)
{
    DisplayManager::callbackResizeDisplay(800, 0);
    EXPECT_EQ(DisplayManager::getHeight(), 0u);  // stored as reported
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1.0f);
    DisplayManager::callbackResizeDisplay(0, 0);
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1.0f);
}

TEST(DisplayManager, CreatesTheWindowAndFixedStateInOrder)
{
    gldouble::reset();
    DisplayManager::createDisplay();
    DisplayManager::makeSystemCalls();
    const std::vector<std::string> expected = {
        "glutInitDisplayMode", "glutInitWindowSize", "glutInitWindowPosition", "glutCreateWindow",
        "glClearDepth", "glClearColor", "glColorMaterial", "glEnable", "glEnable", "glCullFace",
        "glShadeModel", "glBlendFunc", "glEnable", "glEnable" };
    EXPECT_EQ(gldouble::names(), expected);
    const auto& c = gldouble::calls();
    EXPECT_EQ(c[0].args[0], GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    EXPECT_EQ(c[1].args, (std::vector<double>{ 1000, 750 }));
    EXPECT_EQ(c[2].args, (std::vector<double>{ 30, 30 }));
    EXPECT_EQ(c[3].text, "default");
    EXPECT_EQ(c[4].args[0], 1.0);
    EXPECT_EQ(c[6].args, (std::vector<double>{ GL_FRONT, GL_AMBIENT_AND_DIFFUSE }));
    EXPECT_EQ(c[7].args[0], GL_COLOR_MATERIAL);
    EXPECT_EQ(c[8].args[0], GL_LIGHTING);
    EXPECT_EQ(c[9].args[0], GL_BACK);
    EXPECT_EQ(c[10].args[0], GL_FLAT);
    EXPECT_EQ(c[11].args, (std::vector<double>{ GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA }));
    EXPECT_EQ(c[12].args[0], GL_BLEND);
    EXPECT_EQ(c[13].args[0], GL_DEPTH_TEST);
}

TEST(DisplayManager, InitGLIsTheSmallSmoothVariant)
{
    gldouble::reset();
    DisplayManager::initGL();
    EXPECT_EQ(gldouble::callsNamed("glutInitWindowSize")[0].args, (std::vector<double>{ 640, 480 }));
    EXPECT_EQ(gldouble::callsNamed("glShadeModel")[0].args[0], GL_SMOOTH);
}
