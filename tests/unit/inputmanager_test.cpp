#include <gtest/gtest.h>

#include <GL/glut.h>

#include "Base/inputmanager.h"
#include "double/gldouble.h"

// Keys arrive through the callbacks GLUT was given, frames end with
// signalFrameDone, exactly as in the running game.
class InputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new InputManager();
        InputManager::registerCallbacks();
    }
    void endFrame() { InputManager::signalFrameDone(); }
};

TEST_F(InputTest, HeldKeyIsPressedForOneFrameThenOnlyDown)
{
    gldouble::pressKey('x');
    EXPECT_TRUE(InputManager::isKeyDown('x'));
    EXPECT_TRUE(InputManager::isKeyPressed('x'));
    EXPECT_FALSE(InputManager::isKeyUp('x'));
    EXPECT_TRUE(InputManager::isAnyKeyPressed());
    endFrame();
    EXPECT_TRUE(InputManager::isKeyDown('x'));
    EXPECT_FALSE(InputManager::isKeyPressed('x'));
    EXPECT_FALSE(InputManager::isAnyKeyPressed());
    gldouble::releaseKey('x');
    EXPECT_TRUE(InputManager::isKeyReleased('x'));
    EXPECT_FALSE(InputManager::isAnyKeyPressed());  // releases are not presses
    endFrame();
    EXPECT_FALSE(InputManager::isKeyReleased('x'));
    EXPECT_TRUE(InputManager::isKeyUp('x'));
}

TEST_F(InputTest, ChangesBetweenFramesReportTheNetResult)
{
    gldouble::pressKey(' ');
    gldouble::releaseKey(' ');
    EXPECT_FALSE(InputManager::isKeyDown(' '));
    EXPECT_FALSE(InputManager::isKeyPressed(' '));
    EXPECT_TRUE(InputManager::isKeyReleased(' '));
    EXPECT_TRUE(InputManager::isAnyKeyPressed());
    endFrame();

    gldouble::pressKey(27);
    endFrame();
    gldouble::releaseKey(27);
    gldouble::pressKey(27);
    EXPECT_TRUE(InputManager::isKeyPressed(27));
}

TEST_F(InputTest, RepeatedPressOfAHeldKeyChangesNothing)
{
    gldouble::pressKey('q');
    endFrame();
    gldouble::pressKey('q');
    EXPECT_FALSE(InputManager::isKeyPressed('q'));
    EXPECT_TRUE(InputManager::isAnyKeyPressed());
}

TEST_F(InputTest, ReleaseOfAKeyNotDownIsIgnored)
{
    gldouble::releaseKey('z');
    EXPECT_FALSE(InputManager::isKeyReleased('z'));
    EXPECT_TRUE(InputManager::isKeyUp('z'));
}

TEST_F(InputTest, KeysAreMatchedByCharacterWithoutCaseFolding)
{
    gldouble::pressKey('A');
    gldouble::releaseKey('a');
    EXPECT_TRUE(InputManager::isKeyDown('A'));
    EXPECT_FALSE(InputManager::isKeyDown('a'));
    EXPECT_FALSE(InputManager::isKeyReleased('a'));
    gldouble::pressKey(255);
    EXPECT_TRUE(InputManager::isKeyDown(255));
}

TEST_F(InputTest, SpecialKeysAreUnknownUntilFirstSeen)
{
    EXPECT_FALSE(InputManager::isSpecialUp(GLUT_KEY_UP));
    EXPECT_FALSE(InputManager::isSpecialDown(GLUT_KEY_UP));
    EXPECT_TRUE(InputManager::isKeyUp('u'));
    EXPECT_FALSE(InputManager::isSpecialUp(GLUT_KEY_UP));  // queries create nothing

    gldouble::pressSpecial(GLUT_KEY_UP);
    EXPECT_TRUE(InputManager::isSpecialPressed(GLUT_KEY_UP));
    EXPECT_TRUE(InputManager::isAnyKeyPressed());
    endFrame();
    EXPECT_TRUE(InputManager::isSpecialDown(GLUT_KEY_UP));
    EXPECT_FALSE(InputManager::isSpecialPressed(GLUT_KEY_UP));
    gldouble::releaseSpecial(GLUT_KEY_UP);
    EXPECT_TRUE(InputManager::isSpecialReleased(GLUT_KEY_UP));
    EXPECT_FALSE(InputManager::isAnyKeyPressed());
    endFrame();
    EXPECT_TRUE(InputManager::isSpecialUp(GLUT_KEY_UP));
    EXPECT_FALSE(InputManager::isSpecialReleased(GLUT_KEY_UP));
}

TEST_F(InputTest, ReleaseOfANeverSeenSpecialKeyIsReported)
{
    gldouble::releaseSpecial(GLUT_KEY_LEFT);
    EXPECT_TRUE(InputManager::isSpecialReleased(GLUT_KEY_LEFT));
    EXPECT_TRUE(InputManager::isSpecialUp(GLUT_KEY_LEFT));
    endFrame();
    gldouble::releaseSpecial(GLUT_KEY_LEFT);  // already up: nothing
    EXPECT_FALSE(InputManager::isSpecialReleased(GLUT_KEY_LEFT));
}

TEST_F(InputTest, SpecialPressAndReleaseBetweenFramesReadsAsRelease)
{
    gldouble::pressSpecial(GLUT_KEY_RIGHT);
    gldouble::releaseSpecial(GLUT_KEY_RIGHT);
    EXPECT_FALSE(InputManager::isSpecialPressed(GLUT_KEY_RIGHT));
    EXPECT_TRUE(InputManager::isSpecialReleased(GLUT_KEY_RIGHT));
}

TEST_F(InputTest, AutoRepeatIsSwitchedOff)
{
    InputManager::makeSystemCalls();
    const auto recorded = gldouble::callsNamed("glutIgnoreKeyRepeat");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].args[0], 1);
}
