#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glut.h>

#include <cmath>
#include <sstream>

#include "Base/eventloop.h"
#include "double/gldouble.h"
#include "Game/gamestates.h"
#include "support/gameharness.h"

using Args = std::vector<double>;

static const unsigned char ESC = 27;
static const unsigned char SPACE = 32;

// What the screens world drew in one frame: everything from its depth-only
// clear (the last one: the game world before it clears the depth too) up to
// the buffer swap.
struct Screen
{
    std::vector<gldouble::Call> calls;
    std::string text;
    std::vector<Args> rasters;
    bool overlay = false;

    Screen(GameHarness& game)
    {
        gldouble::clearCalls();
        game.frame();
        const auto& all = gldouble::calls();
        size_t start = all.size();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].name == "glClear" && all[i].args[0] == GL_DEPTH_BUFFER_BIT) start = i;
        }
        bool inside = false;
        for (size_t i = 0; i < all.size(); ++i) {
            const auto& call = all[i];
            inside = (inside || i == start) && call.name != "glutSwapBuffers";
            if (!inside) continue;
            if (call.name == "glutBitmapCharacter") {
                text += static_cast<char>(call.args[0]);
                EXPECT_EQ(call.args[1], 18) << "Helvetica 18";
                // A new line's raster position is set just before its newline.
                if (call.args[0] == '\n') {
                    EXPECT_TRUE(!calls.empty() && calls.back().name == "glRasterPos3fv");
                }
            }
            if (call.name == "glRasterPos3fv") rasters.push_back(call.args);
            overlay = overlay || call.name == "glBegin";
            calls.push_back(call);
        }
    }

    // Every line starts at x; each newline is 0.05 lower than the one before.
    void expectLines(double x, double y, size_t lines) const
    {
        ASSERT_EQ(rasters.size(), lines);
        for (size_t i = 0; i < lines; ++i) {
            EXPECT_FLOAT_EQ(rasters[i][0], x) << "line " << i;
            EXPECT_NEAR(rasters[i][1], y - 0.05 * i, 1e-6) << "line " << i;
            EXPECT_EQ(rasters[i][2], 0) << "line " << i;
        }
    }
};

static void toTitle(GameHarness& game)
{
    game.frame();
    game.tap('k');
    ASSERT_EQ(game.state(), STATE_TITLE);
}

static const float kCentredX = 1000.0f / 750.0f * 0.3f;

TEST(Screens, FirstFrameHasNoStateThenTheCreditsOverTheDarkenedScene)
{
    GameHarness game;
    game.press(ESC);  // ignored while there is no state
    Screen first(game);
    EXPECT_EQ(first.text, "UIWorld::output() -- unrecognized state");
    first.expectLines(0.1f, 0.5f, 1);
    EXPECT_TRUE(first.overlay);

    game.release(ESC);
    Screen credits(game);
    EXPECT_EQ(game.state(), STATE_CREDITS);
    EXPECT_EQ(credits.text,
              "The Morvellant\n"
              " \n"
              " \t\t\t\t\tby the Morvellant team \n"
              " \t\t\t\t\tfor the Morvellant winter game jam \n"
              " \t\t\t\t\t(https://morvellant.example.org) \n"
              " \t\t\t\t\t(press any key to continue)\n");
    credits.expectLines(0.1f, 0.5f, 7);

    // Depth clear, lighting off, camera, overlay without depth writes, white text.
    const std::vector<std::string> head = {
        "glClear", "glDisable", "glMatrixMode", "glLoadIdentity", "glOrtho", "glMatrixMode",
        "glLoadIdentity", "gluLookAt", "glColor4ubv", "glDepthMask", "glBegin", "glVertex3f",
        "glVertex3f", "glVertex3f", "glVertex3f", "glEnd", "glDepthMask", "glColor4ubv", "glRasterPos3fv" };
    const auto& c = credits.calls;
    ASSERT_GE(c.size(), head.size());
    for (size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(c[i].name, head[i]) << "call " << i;
    }
    EXPECT_EQ(c[1].args, Args{ GL_LIGHTING });
    EXPECT_EQ(c[8].args, (Args{ 0, 0, 0, 96 }));
    EXPECT_EQ(c[9].args, Args{ GL_FALSE });
    EXPECT_EQ(c[10].args, Args{ GL_QUADS });
    EXPECT_EQ(c[11].args, (Args{ 0, 0, 0 }));
    EXPECT_EQ(c[12].args, (Args{ 5, 0, 0 }));
    EXPECT_EQ(c[13].args, (Args{ 5, 5, 0 }));
    EXPECT_EQ(c[14].args, (Args{ 0, 5, 0 }));
    EXPECT_EQ(c[16].args, Args{ GL_TRUE });
    EXPECT_EQ(c[17].args, (Args{ 255, 255, 255, 255 }));
}

TEST(Screens, KeysWalkFromCreditsThroughPlayingAndPause)
{
    GameHarness game;
    game.frame();
    game.press(SPACE);  // leaves the credits but must not also start a game
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
    Screen title(game);
    EXPECT_EQ(game.state(), STATE_TITLE);
    EXPECT_EQ(title.text,
              "               THE MORVELLANT\n\n\n"
              " \t\t\t\t\t\tNEW GAME: Press Spacebar\n"
              " \t\t\t\t\t\tQUIT: Press Escape\n");
    title.expectLines(kCentredX, 0.65f, 6);
    EXPECT_TRUE(title.overlay);

    // Space pressed again starts a game and stays down (the talk key); Escape
    // pauses; the held Space leads to the title once released.
    game.release(SPACE);
    game.frame();
    game.press(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_PLAYING);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.frames(3);
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.release(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);

    game.tap(SPACE);
    game.frames(40);
    Screen playing(game);
    EXPECT_EQ(game.state(), STATE_PLAYING);
    std::ostringstream fps;
    fps << Eventloop::getFPS();  // the clock stands still between frames
    EXPECT_EQ(playing.text, "fps: " + fps.str() + "\n");
    EXPECT_GT(Eventloop::getFPS(), 30.0f);
    EXPECT_EQ(fps.str().find_first_not_of("0123456789."), std::string::npos) << fps.str();
    playing.expectLines(0, 0.07f, 2);
    EXPECT_FALSE(playing.overlay);
    EXPECT_EQ(gldouble::countOf("glDepthMask"), 0u);
    EXPECT_EQ(playing.calls[1].args, Args{ GL_LIGHTING });

    game.press(ESC);
    game.frame();
    game.release(ESC);
    Screen paused(game);
    EXPECT_EQ(paused.text,
              "               PAUSED\n\n\n"
              "RETURN TO GAME: Press Escape\n"
              "QUIT TO TITLE: Press Spacebar\n");
    paused.expectLines(kCentredX, 0.65f, 6);
    EXPECT_TRUE(paused.overlay);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PLAYING);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PAUSED);

    // Escape pressed and Space released in one frame: the title wins, and the
    // same Escape does not also end the program there.
    game.press(SPACE);
    game.frame();
    game.press(ESC);
    game.release(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
    game.release(ESC);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
}

TEST(Screens, EscapeOnTheTitleEndsTheProgramAlsoWithSpace)
{
    EXPECT_EXIT(
        {
            GameHarness game;
            toTitle(game);
            game.press(ESC);
            game.frame();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            GameHarness game;
            toTitle(game);
            game.press(SPACE);
            game.press(ESC);
            game.frame();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Screens, EndScreensAndUnknownStates)
{
    GameHarness game;
    game.frame();
    game.pressSpecial(GLUT_KEY_F1);  // a special key leaves the credits too
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);

    Eventloop::switchState(STATE_LOST);
    game.frame();
    Screen lost(game);
    EXPECT_EQ(lost.text, "YOU LOSE.\n\n\n(press the escape key to continue)\n");
    lost.expectLines(kCentredX, 0.65f, 5);
    EXPECT_TRUE(lost.overlay);
    game.tap(SPACE);
    EXPECT_EQ(game.state(), STATE_LOST);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_TITLE);

    Eventloop::switchState(STATE_WON);
    game.frame();
    EXPECT_EQ(Screen(game).text, "YOU WIN!!!\n\n\n(press the escape key to continue)\n");
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_TITLE);

    Eventloop::switchState(9);
    game.frame();
    game.press(ESC);
    Screen unknown(game);
    EXPECT_EQ(game.state(), 9);
    EXPECT_EQ(unknown.text, "UIWorld::output() -- unrecognized state");
    unknown.expectLines(0.1f, 0.5f, 1);
    EXPECT_TRUE(unknown.overlay);
}

TEST(Screens, ResizeMovesTheCentredTextAndHeightZeroStaysFinite)
{
    GameHarness game;
    toTitle(game);
    EXPECT_FLOAT_EQ(Screen(game).rasters[0][0], kCentredX);
    gldouble::reshape(800, 400);
    EXPECT_FLOAT_EQ(Screen(game).rasters[0][0], 2.0f * 0.3f);  // from the very next frame
    EXPECT_EQ(gldouble::callsNamed("glOrtho")[0].args, (Args{ 0, 2, 0, 1, -1, 1 }));

    for (const auto& size : std::vector<std::pair<int, int>>{ { 800, 0 }, { 0, 600 }, { 0, 0 } }) {
        gldouble::reshape(size.first, size.second);
        Screen screen(game);
        const Args ortho = gldouble::callsNamed("glOrtho")[0].args;
        for (double value : ortho) {
            EXPECT_TRUE(std::isfinite(value)) << size.first << "x" << size.second;
        }
        EXPECT_EQ(ortho[1], 1.0);
        EXPECT_FLOAT_EQ(screen.rasters[0][0], 0.3f);
    }
}
