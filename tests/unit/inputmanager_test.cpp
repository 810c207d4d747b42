#include <gtest/gtest.h>

#include <GL/glut.h>

#include "Base/inputmanager.h"
#include "double/gldouble.h"

// Keys arrive through the callbacks GLUT was given and frames end with
// signalFrameDone, as in the running game. A key's state reads as letters:
// Down, Up, Pressed, Released, and '*' when any key was pressed this frame.
class InputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gldouble::reset();
        new InputManager();
        InputManager::registerCallbacks();
    }
    static void endFrame() { InputManager::signalFrameDone(); }
    static std::string key(unsigned char k)
    {
        return std::string(InputManager::isKeyDown(k) ? "D" : "") + (InputManager::isKeyUp(k) ? "U" : "")
            + (InputManager::isKeyPressed(k) ? "P" : "") + (InputManager::isKeyReleased(k) ? "R" : "")
            + (InputManager::isAnyKeyPressed() ? "*" : "");
    }
    static std::string special(int k)
    {
        return std::string(InputManager::isSpecialDown(k) ? "D" : "") + (InputManager::isSpecialUp(k) ? "U" : "")
            + (InputManager::isSpecialPressed(k) ? "P" : "") + (InputManager::isSpecialReleased(k) ? "R" : "")
            + (InputManager::isAnyKeyPressed() ? "*" : "");
    }
};

TEST_F(InputTest, OrdinaryKeysReportTheNetChangeOfEachFrame)
{
    gldouble::pressKey('x');
    EXPECT_EQ(key('x'), "DP*");
    endFrame();
    EXPECT_EQ(key('x'), "D");
    gldouble::pressKey('x');  // a repeat of a held key is no new press
    EXPECT_EQ(key('x'), "D*");
    endFrame();
    gldouble::releaseKey('x');
    EXPECT_EQ(key('x'), "UR");  // releases are not presses
    endFrame();
    EXPECT_EQ(key('x'), "U");

    gldouble::pressKey(' ');  // pressed and released between frames
    gldouble::releaseKey(' ');
    EXPECT_EQ(key(' '), "UR*");
    endFrame();
    gldouble::pressKey(27);
    endFrame();
    gldouble::releaseKey(27);  // released and pressed again
    gldouble::pressKey(27);
    EXPECT_EQ(key(27), "DP*");
    endFrame();
    gldouble::releaseKey('z');  // never down: ignored
    EXPECT_EQ(key('z'), "U");

    gldouble::pressKey('A');  // no case folding
    gldouble::releaseKey('a');
    EXPECT_EQ(key('A'), "DP*");
    EXPECT_EQ(key('a'), "U*");
    gldouble::pressKey(255);
    EXPECT_EQ(key(255), "DP*");
}

TEST_F(InputTest, SpecialKeysAreNeitherUpNorDownUntilFirstSeen)
{
    EXPECT_EQ(special(GLUT_KEY_UP), "");
    EXPECT_EQ(key('u'), "U");
    EXPECT_EQ(special(GLUT_KEY_UP), "");  // queries create nothing
    gldouble::pressSpecial(GLUT_KEY_UP);
    EXPECT_EQ(special(GLUT_KEY_UP), "DP*");
    endFrame();
    EXPECT_EQ(special(GLUT_KEY_UP), "D");
    gldouble::releaseSpecial(GLUT_KEY_UP);
    EXPECT_EQ(special(GLUT_KEY_UP), "UR");
    endFrame();
    EXPECT_EQ(special(GLUT_KEY_UP), "U");

    gldouble::releaseSpecial(GLUT_KEY_LEFT);  // never seen: the release is reported
    EXPECT_EQ(special(GLUT_KEY_LEFT), "UR");
    endFrame();
    gldouble::releaseSpecial(GLUT_KEY_LEFT);  // already up: nothing
    EXPECT_EQ(special(GLUT_KEY_LEFT), "U");
    gldouble::pressSpecial(GLUT_KEY_RIGHT);
    gldouble::releaseSpecial(GLUT_KEY_RIGHT);
    EXPECT_EQ(special(GLUT_KEY_RIGHT), "UR*");
}
