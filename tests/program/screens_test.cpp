#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glut.h>

#include <sstream>

#include "Base/eventloop.h"
#include "double/gldouble.h"
#include "Game/gamestates.h"
#include "support/gameharness.h"

namespace
{

const unsigned char ESC = 27;
const unsigned char SPACE = 32;

const char* const kUnknown = "UIWorld::output() -- unrecognized state";
const char* const kCredits =
    "The Morvellant\n"
    " \n"
    " \t\t\t\t\tby the Morvellant team \n"
    " \t\t\t\t\tfor the Morvellant winter game jam \n"
    " \t\t\t\t\t(https://morvellant.example.org) \n"
    " \t\t\t\t\t(press any key to continue)\n";
const char* const kTitle =
    "               THE MORVELLANT\n\n\n"
    " \t\t\t\t\t\tNEW GAME: Press Spacebar\n"
    " \t\t\t\t\t\tQUIT: Press Escape\n";
const char* const kPaused =
    "               PAUSED\n\n\n"
    "RETURN TO GAME: Press Escape\n"
    "QUIT TO TITLE: Press Spacebar\n";
const char* const kLost = "YOU LOSE.\n\n\n(press the escape key to continue)\n";
const char* const kWon = "YOU WIN!!!\n\n\n(press the escape key to continue)\n";

// Depth-only clear and lighting off come first; the darkening quad is drawn
// without depth writes, then the text in white.
const char* const kHead = "glClear 256|glDisable 2896|";
const char* const kQuad =
    "glColor4ubv 0 0 0 96|glDepthMask 0|glBegin 7|glVertex3f 0 0 0|glVertex3f 5 0 0|glVertex3f 5 5 0|"
    "glVertex3f 0 5 0|glEnd|glDepthMask 1|glColor4ubv 255 255 255 255|glRasterPos3fv";

// One frame in a window of a new size (every frame another, so that both
// worlds must follow it at once, in every state): what the screens world drew,
// the characters in Helvetica 18, the raster positions, and its calls from its
// depth-only clear (the game world's comes before it) to the buffer swap as
// "name args|". Both projections must have the window's safe ratio.
struct Screen
{
    std::string trace;
    std::string text;
    std::vector<std::vector<double>> rasters;
    double aspect;

    explicit Screen(GameHarness& game, int height = 500)
    {
        static int width = 400;
        width += 10;
        aspect = height == 0 ? 1.0 : width / static_cast<double>(height);
        gldouble::reshape(width, height);
        gldouble::clearCalls();
        game.frame();
        std::ostringstream calls;
        for (const gldouble::Call& call : gldouble::calls()) {
            if (call.name == "glutSwapBuffers") break;
            if (call.name == "glClear" && call.args[0] == GL_DEPTH_BUFFER_BIT) calls.str("");
            calls << call.name;
            for (double arg : call.args) calls << " " << arg;
            calls << "|";
            if (call.name == "glRasterPos3fv") rasters.push_back(call.args);
            if (call.name == "glutBitmapCharacter" && call.args[1] == 18) text += static_cast<char>(call.args[0]);
        }
        trace = calls.str();
        EXPECT_EQ(gldouble::callsNamed("glClear")[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        EXPECT_EQ(trace.rfind(kHead, 0), 0u);
        EXPECT_NEAR(gldouble::callsNamed("gluPerspective").back().args[1], aspect, 1e-6);
        EXPECT_NEAR(gldouble::callsNamed("glOrtho").back().args[1], aspect, 1e-6);
    }

    // The text, each line starting at x, every line 0.05 below the last.
    void expect(const std::string& wanted, double x, double y) const
    {
        EXPECT_EQ(text, wanted);
        ASSERT_EQ(rasters.size(), occurrences(wanted, "\n") + 1) << wanted;
        for (size_t i = 0; i < rasters.size(); ++i) {
            EXPECT_FLOAT_EQ(rasters[i][0], x) << wanted << " line " << i;
            EXPECT_NEAR(rasters[i][1], y - 0.05 * i, 1e-6) << wanted << " line " << i;
            EXPECT_EQ(rasters[i][2], 0);
        }
    }
};

// '+' presses and '-' releases the key after it (E is Escape, S Space); '='
// asks for the state numbered by the digit after it, from the frame's end on.
void keys(GameHarness& game, const std::string& script)
{
    for (size_t i = 0; i + 1 < script.size(); i += 2) {
        const unsigned char key = script[i + 1] == 'E' ? ESC : script[i + 1] == 'S' ? SPACE : script[i + 1];
        if (script[i] == '=') Eventloop::switchState(key - '0');
        if (script[i] == '+') game.press(key);
        if (script[i] == '-') game.release(key);
    }
}

}

// One frame at a time: the keys before it, the text it draws (the frame runs
// in the state before any change) and the state after it.
TEST(Screens, KeysWalkTheStatesAndEachStateDrawsItsText)
{
    enterTemporaryDirectory();
    writeLevel({ "@" });
    GameHarness game;
    testing::internal::CaptureStdout();
    EXPECT_EQ(gldouble::names("glut"),
              (std::vector<std::string>{ "glutInitDisplayMode", "glutInitWindowSize", "glutInitWindowPosition",
                                         "glutCreateWindow", "glutReshapeFunc", "glutKeyboardFunc",
                                         "glutKeyboardUpFunc", "glutSpecialFunc", "glutSpecialUpFunc",
                                         "glutDisplayFunc", "glutIdleFunc", "glutIgnoreKeyRepeat" }));
    // The clear world's colour replaces the display manager's; it clears
    // both buffers first in every frame.
    EXPECT_EQ(gldouble::callsNamed("glClearColor").back().args,
              (std::vector<double>{ 15 / 255.0f, 0, 32 / 255.0f, 1 }));
    const struct { const char* keys; const char* text; int state; } walk[] = {
        { "+E", kUnknown, STATE_CREDITS },     // the first frame has no state
        { "-E", kCredits, STATE_CREDITS },     // a release is no key press
        { "+S", kCredits, STATE_TITLE },
        { "", kTitle, STATE_TITLE },           // that Space does not also start a game
        { "-S", kTitle, STATE_TITLE },
        { "+S", kTitle, STATE_PLAYING },       // and Space stays held
        { "+E", nullptr, STATE_PAUSED },
        { "-E", kPaused, STATE_PAUSED },
        { "", kPaused, STATE_PAUSED },
        { "-S", kPaused, STATE_TITLE },        // the Space held when pausing acts on release
        { "+S", kTitle, STATE_PLAYING },
        { "-S+E", nullptr, STATE_PAUSED },
        { "-E", kPaused, STATE_PAUSED },
        { "+E", kPaused, STATE_PLAYING },      // Escape resumes
        { "-E+S", nullptr, STATE_PLAYING },
        { "+E", nullptr, STATE_PAUSED },
        { "-E", kPaused, STATE_PAUSED },
        { "+E-S", kPaused, STATE_TITLE },      // Space's release wins over Escape
        { "-E", kTitle, STATE_TITLE },         // and that Escape does not end the program
        { "=5", kTitle, STATE_LOST },          // the end screens ignore Space
        { "+S", kLost, STATE_LOST },
        { "-S+E", kLost, STATE_TITLE },
        { "-E=6", kTitle, STATE_WON },
        { "+S", kWon, STATE_WON },
        { "-S+E", kWon, STATE_TITLE },
        { "-E=9", kTitle, 9 },                 // an unknown state says so, no key leaves it
        { "+E", kUnknown, 9 },
        { "-E=3", kUnknown, STATE_PLAYING },
    };
    for (const auto& step : walk) {
        keys(game, step.keys);
        SCOPED_TRACE(step.keys);
        const Screen screen(game);
        if (step.text != nullptr) {
            const bool centred = step.text != kCredits && step.text != kUnknown;
            screen.expect(step.text, centred ? 0.3 * screen.aspect : 0.1, centred ? 0.65 : 0.5);
            EXPECT_NE(screen.trace.find(kQuad), std::string::npos);
        }
        ASSERT_EQ(game.state(), step.state);
    }

    // Playing: the frame rate in default stream formatting, no darkening.
    game.frames(40);
    const Screen playing(game);
    std::ostringstream fps;
    fps << Eventloop::getFPS();  // the clock stands still between frames
    EXPECT_NE(fps.str().find('.'), std::string::npos) << "a rate with a fraction shows its format";
    playing.expect("fps: " + fps.str() + "\n", 0, 0.07f);
    EXPECT_EQ(playing.trace.find("glBegin"), std::string::npos);
    EXPECT_EQ(playing.trace.find("glDepthMask"), std::string::npos);

    const Screen withoutHeight(game, 0);  // both projections stay finite
    testing::internal::GetCapturedStdout();
}

TEST(Screens, EscapeOnTheTitleEndsTheProgramAlsoWithSpace)
{
    for (const char* script : { "+E", "+S+E" }) {
        EXPECT_EXIT(
            {
                GameHarness game;
                game.toTitle();
                keys(game, script);
                game.frame();
            },
            ::testing::ExitedWithCode(0), "")
            << script;
    }
}
