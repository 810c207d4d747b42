#include <gtest/gtest.h>

#include <GL/gl.h>

#include "Base/eventloop.h"
#include "double/gldouble.h"
#include "Game/gamestates.h"
#include "support/gameharness.h"

TEST(Startup, OpensTheWindowThenRegistersCallbacksThenFixesState)
{
    GameHarness game;
    std::vector<std::string> glut = gldouble::names("glut");
    const std::vector<std::string> expected = {
        "glutInitDisplayMode", "glutInitWindowSize", "glutInitWindowPosition", "glutCreateWindow",
        "glutReshapeFunc", "glutKeyboardFunc", "glutKeyboardUpFunc", "glutSpecialFunc",
        "glutSpecialUpFunc", "glutDisplayFunc", "glutIdleFunc", "glutIgnoreKeyRepeat" };
    EXPECT_EQ(glut, expected);

    // The fixed state comes before auto-repeat is switched off, and the clear
    // world's colour replaces the display manager's.
    const auto& all = gldouble::calls();
    size_t lastEnable = 0, repeat = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].name == "glEnable") lastEnable = i;
        if (all[i].name == "glutIgnoreKeyRepeat") repeat = i;
    }
    EXPECT_LT(lastEnable, repeat);
    const auto colours = gldouble::callsNamed("glClearColor");
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_FLOAT_EQ(colours[1].args[0], 15 / 255.0f);
    EXPECT_FLOAT_EQ(colours[1].args[2], 32 / 255.0f);
}

TEST(Startup, FirstFrameRunsWithoutAStateThenCredits)
{
    GameHarness game;
    EXPECT_EQ(game.state(), STATE_NONE);
    game.frame();
    EXPECT_EQ(Eventloop::getFrameNumber(), 2u);
    EXPECT_EQ(game.state(), STATE_CREDITS);
    game.frames(3);
    EXPECT_EQ(game.state(), STATE_CREDITS);
}

TEST(Startup, EveryFrameClearsAndSwaps)
{
    GameHarness game;
    gldouble::clearCalls();
    game.frames(5);
    int fullClears = 0;
    for (const auto& call : gldouble::callsNamed("glClear")) {
        fullClears += call.args[0] == (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    EXPECT_EQ(fullClears, 5);
    EXPECT_EQ(gldouble::countOf("glutSwapBuffers"), 5u);
}
