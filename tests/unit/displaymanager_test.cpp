#include <gtest/gtest.h>

#include <GL/glut.h>

#include "Base/displaymanager.h"
#include "double/gldouble.h"

using Args = std::vector<double>;

TEST(DisplayManager, SizeChangesShowForOneFrameAndTheRatioStaysSafe)
{
    gldouble::reset();
    EXPECT_TRUE(DisplayManager::isSizeDifferent());  // until the first frame ends
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1000.0f / 750.0f);
    DisplayManager::registerCallbacks();
    DisplayManager::signalFrameDone();
    EXPECT_FALSE(DisplayManager::isSizeDifferent());
    gldouble::reshape(640, 480);
    gldouble::reshape(800, 600);  // only the last size counts
    EXPECT_TRUE(DisplayManager::isSizeDifferent());
    EXPECT_EQ(DisplayManager::getWidth(), 800u);
    EXPECT_EQ(DisplayManager::getHeight(), 600u);
    EXPECT_EQ(gldouble::callsNamed("glViewport").back().args, (Args{ 0, 0, 800, 600 }));
    DisplayManager::signalFrameDone();
    EXPECT_FALSE(DisplayManager::isSizeDifferent());

    DisplayManager::callbackResizeDisplay(800, 0);
    EXPECT_EQ(DisplayManager::getHeight(), 0u);  // stored as reported
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1.0f);
    DisplayManager::callbackResizeDisplay(0, 0);
    EXPECT_FLOAT_EQ(DisplayManager::getAspectRatio(), 1.0f);
}

// The fixed state is checked on a real window; here what that cannot show.
TEST(DisplayManager, OpensItsWindowWhereAndHowItShould)
{
    gldouble::reset();
    DisplayManager::createDisplay();
    // (The order of the calls is checked with the whole start-up.)
    ASSERT_EQ(gldouble::calls().size(), 4u);
    EXPECT_EQ(gldouble::calls()[0].args, Args{ GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH });
    EXPECT_EQ(gldouble::calls()[2].args, (Args{ 30, 30 }));
    EXPECT_EQ(gldouble::calls()[3].text, "default");
}
