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
// clear up to the buffer swap.
struct Screen
{
    std::vector<gldouble::Call> calls;
    std::string text;
    std::vector<Args> rasters;

    bool has(const std::string& name) const
    {
        for (const auto& call : calls) {
            if (call.name == name) return true;
        }
        return false;
    }
};

static Screen drawFrame(GameHarness& game)
{
    gldouble::clearCalls();
    game.frame();
    Screen screen;
    bool inside = false;
    for (const auto& call : gldouble::calls()) {
        if (call.name == "glClear" && call.args[0] == GL_DEPTH_BUFFER_BIT) inside = true;
        if (call.name == "glutSwapBuffers") inside = false;
        if (!inside) continue;
        screen.calls.push_back(call);
        if (call.name == "glutBitmapCharacter") screen.text += static_cast<char>(call.args[0]);
        if (call.name == "glRasterPos3fv") screen.rasters.push_back(call.args);
    }
    return screen;
}

// Every line starts at x; each newline is 0.05 lower than the one before.
static void expectLines(const Screen& screen, double x, double y, size_t lines)
{
    ASSERT_EQ(screen.rasters.size(), lines);
    for (size_t i = 0; i < lines; ++i) {
        EXPECT_FLOAT_EQ(screen.rasters[i][0], x) << "line " << i;
        EXPECT_NEAR(screen.rasters[i][1], y - 0.05 * i, 1e-6) << "line " << i;
        EXPECT_EQ(screen.rasters[i][2], 0) << "line " << i;
    }
}

static void toCredits(GameHarness& game) { game.frame(); }
static void toTitle(GameHarness& game)
{
    toCredits(game);
    game.tap('k');
    ASSERT_EQ(game.state(), STATE_TITLE);
}
static void toPlaying(GameHarness& game)
{
    toTitle(game);
    game.tap(SPACE);
    ASSERT_EQ(game.state(), STATE_PLAYING);
}

static const char* const kCredits =
    "The Morvellant\n"
    " \n"
    " \t\t\t\t\tby the Morvellant team \n"
    " \t\t\t\t\tfor the Morvellant winter game jam \n"
    " \t\t\t\t\t(https://morvellant.example.org) \n"
    " \t\t\t\t\t(press any key to continue)\n";
static const float kCentredX = 1000.0f / 750.0f * 0.3f;

TEST(Screens, FirstFrameHasNoStateThenTheCreditsOverTheDarkenedScene)
{
    GameHarness game;
    game.press(ESC);  // keys are ignored while there is no state
    Screen first = drawFrame(game);
    EXPECT_EQ(first.text, "UIWorld::output() -- unrecognized state");
    expectLines(first, 0.1f, 0.5f, 1);
    EXPECT_EQ(game.state(), STATE_CREDITS);

    // The whole sequence of one screen: depth clear, lighting off, camera,
    // overlay quad without depth writes, then the white text.
    game.release(ESC);
    Screen credits = drawFrame(game);
    EXPECT_EQ(game.state(), STATE_CREDITS);
    EXPECT_EQ(credits.text, kCredits);
    expectLines(credits, 0.1f, 0.5f, 7);
    const std::vector<std::string> head = {
        "glClear", "glDisable", "glMatrixMode", "glLoadIdentity", "glOrtho", "glMatrixMode",
        "glLoadIdentity", "gluLookAt", "glColor4ubv", "glDepthMask", "glBegin", "glVertex3f",
        "glVertex3f", "glVertex3f", "glVertex3f", "glEnd", "glDepthMask", "glColor4ubv",
        "glRasterPos3fv" };
    ASSERT_GE(credits.calls.size(), head.size());
    for (size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(credits.calls[i].name, head[i]) << "call " << i;
    }
    const auto& c = credits.calls;
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
    for (const auto& call : c) {
        if (call.name == "glutBitmapCharacter") {
            ASSERT_EQ(call.args[1], 18);
        }
    }
}

TEST(Screens, AnyKeyLeavesTheCreditsButSpaceThereStartsNoGame)
{
    GameHarness game;
    toCredits(game);
    game.press(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
    game.frames(3);  // Space still held: no longer a press
    EXPECT_EQ(game.state(), STATE_TITLE);
    game.release(SPACE);
    Screen title = drawFrame(game);
    EXPECT_EQ(game.state(), STATE_TITLE);
    EXPECT_EQ(title.text,
              "               THE MORVELLANT\n\n\n"
              " \t\t\t\t\t\tNEW GAME: Press Spacebar\n"
              " \t\t\t\t\t\tQUIT: Press Escape\n");
    expectLines(title, kCentredX, 0.65f, 6);
    EXPECT_TRUE(title.has("glBegin"));
}

TEST(Screens, ASpecialKeyAlsoLeavesTheCredits)
{
    GameHarness game;
    toCredits(game);
    game.pressSpecial(GLUT_KEY_F1);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
}

TEST(Screens, EscapeOnTheTitleEndsTheProgram)
{
    EXPECT_EXIT(
        {
            GameHarness game;
            toTitle(game);
            game.press(ESC);
            game.frame();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Screens, EscapeAndSpaceTogetherOnTheTitleEndTheProgram)
{
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

TEST(Screens, PlayingShowsOnlyTheFrameRate)
{
    GameHarness game;
    toTitle(game);
    game.press(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_PLAYING);
    game.release(SPACE);
    game.frames(40);
    Screen playing = drawFrame(game);
    EXPECT_EQ(game.state(), STATE_PLAYING);

    std::ostringstream fps;
    fps << Eventloop::getFPS();  // the clock stands still between frames
    EXPECT_EQ(playing.text, "fps: " + fps.str() + "\n");
    EXPECT_GT(Eventloop::getFPS(), 30.0f);
    EXPECT_EQ(fps.str().find_first_not_of("0123456789."), std::string::npos) << fps.str();
    expectLines(playing, 0, 0.07f, 2);
    EXPECT_FALSE(playing.has("glBegin"));
    EXPECT_FALSE(playing.has("glDepthMask"));
    EXPECT_TRUE(playing.has("glColor4ubv"));
    EXPECT_EQ(playing.calls[1].args, Args{ GL_LIGHTING });
}

TEST(Screens, EscapePausesAndResumes)
{
    GameHarness game;
    toPlaying(game);
    game.press(ESC);
    game.frame();
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.release(ESC);
    Screen paused = drawFrame(game);
    EXPECT_EQ(paused.text,
              "               PAUSED\n\n\n"
              "RETURN TO GAME: Press Escape\n"
              "QUIT TO TITLE: Press Spacebar\n");
    expectLines(paused, kCentredX, 0.65f, 6);
    EXPECT_TRUE(paused.has("glBegin"));

    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PLAYING);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PAUSED);
}

TEST(Screens, SpaceOnThePauseScreenActsWhenReleased)
{
    GameHarness game;
    toPlaying(game);
    game.tap(ESC);
    game.press(SPACE);
    game.frames(3);
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.release(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
}

TEST(Screens, EscapeAndSpaceReleasedTogetherOnThePauseScreenLeadToTheTitle)
{
    GameHarness game;
    toPlaying(game);
    game.tap(ESC);
    game.press(SPACE);
    game.frame();
    game.press(ESC);
    game.release(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
    game.release(ESC);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);  // the same Escape does not also quit
}

TEST(Screens, SpaceHeldWhilePausingLeadsToTheTitleOnceReleased)
{
    GameHarness game;
    toTitle(game);
    game.press(SPACE);  // starts the game and stays down, talking
    game.frame();
    ASSERT_EQ(game.state(), STATE_PLAYING);
    game.frames(5);
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.frames(5);
    EXPECT_EQ(game.state(), STATE_PAUSED);
    game.release(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
}

TEST(Screens, LoseAndWinScreensReturnToTheTitleOnEscape)
{
    GameHarness game;
    toPlaying(game);
    Eventloop::switchState(STATE_LOST);
    game.frame();
    Screen lost = drawFrame(game);
    EXPECT_EQ(lost.text, "YOU LOSE.\n\n\n(press the escape key to continue)\n");
    expectLines(lost, kCentredX, 0.65f, 5);
    EXPECT_TRUE(lost.has("glBegin"));
    game.press(SPACE);
    game.frame();
    EXPECT_EQ(game.state(), STATE_LOST);
    game.press(ESC);
    game.frame();
    EXPECT_EQ(game.state(), STATE_TITLE);
    game.release(ESC);
    game.release(SPACE);
    game.frame();

    Eventloop::switchState(STATE_WON);
    game.frame();
    Screen won = drawFrame(game);
    EXPECT_EQ(won.text, "YOU WIN!!!\n\n\n(press the escape key to continue)\n");
    game.tap(ESC);
    EXPECT_EQ(game.state(), STATE_TITLE);
}

TEST(Screens, AnUnknownStateIsShownAndIgnoresKeys)
{
    GameHarness game;
    toCredits(game);
    Eventloop::switchState(9);
    game.frame();
    game.press(ESC);
    game.press(SPACE);
    Screen unknown = drawFrame(game);
    EXPECT_EQ(game.state(), 9);
    EXPECT_EQ(unknown.text, "UIWorld::output() -- unrecognized state");
    expectLines(unknown, 0.1f, 0.5f, 1);
    EXPECT_TRUE(unknown.has("glBegin"));
}

TEST(Screens, ResizeMovesTheCentredTextFromTheNextFrame)
{
    GameHarness game;
    toTitle(game);
    EXPECT_FLOAT_EQ(drawFrame(game).rasters[0][0], kCentredX);
    gldouble::reshape(800, 400);
    Screen wide = drawFrame(game);
    EXPECT_FLOAT_EQ(wide.rasters[0][0], 2.0f * 0.3f);
    EXPECT_EQ(gldouble::callsNamed("glOrtho")[0].args, (Args{ 0, 2, 0, 1, -1, 1 }));
    EXPECT_FLOAT_EQ(drawFrame(game).rasters[0][0], 2.0f * 0.3f);
}

TEST(Screens, AWindowWithoutHeightKeepsTheProjectionFinite)
{
    GameHarness game;
    toTitle(game);
    for (const auto& size : std::vector<std::pair<int, int>>{ { 800, 0 }, { 0, 600 }, { 0, 0 } }) {
        gldouble::reshape(size.first, size.second);
        Screen screen = drawFrame(game);
        const auto ortho = gldouble::callsNamed("glOrtho");
        ASSERT_EQ(ortho.size(), 1u);
        for (double value : ortho[0].args) {
            EXPECT_TRUE(std::isfinite(value)) << size.first << "x" << size.second;
        }
        EXPECT_EQ(ortho[0].args[1], 1.0);
        EXPECT_FLOAT_EQ(screen.rasters[0][0], 0.3f);
    }
    gldouble::reshape(1200, 600);
    game.frame();
    gldouble::clearCalls();
    game.frame();
    EXPECT_EQ(gldouble::callsNamed("glOrtho")[0].args[1], 2.0);
}
