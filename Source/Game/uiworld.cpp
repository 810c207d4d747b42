#include "Game/uiworld.h"

#include <GL/gl.h>
#include <GL/glut.h>

#include <cstdlib>

#include "Base/color.h"
#include "Base/displaymanager.h"
#include "Base/eventloop.h"
#include "Base/inputmanager.h"
#include "Game/gamestates.h"
#include "Game/settings.h"

static const unsigned char KEY_ESCAPE = 27;
static const unsigned char KEY_SPACE = 32;

// Alpha 96 keeps 159/255 of the scene's colour under the text.
static const Color slightblack(0, 0, 0, 96);
static const Color white(255, 255, 255, 255);
static const float kLineStep = 0.05f;

static const char* const kCreditsText =
    "The Morvellant\n"
    " \n"
    " \t\t\t\t\tby the Morvellant team \n"
    " \t\t\t\t\tfor the Morvellant winter game jam \n"
    " \t\t\t\t\t(https://morvellant.example.org) \n"
    " \t\t\t\t\t(press any key to continue)\n";

static const char* const kTitleText =
    "               THE MORVELLANT\n\n\n"
    " \t\t\t\t\t\tNEW GAME: Press Spacebar\n"
    " \t\t\t\t\t\tQUIT: Press Escape\n";

static const char* const kPausedText =
    "               PAUSED\n\n\n"
    "RETURN TO GAME: Press Escape\n"
    "QUIT TO TITLE: Press Spacebar\n";

static const char* const kLostText = "YOU LOSE.\n\n\n(press the escape key to continue)\n";
static const char* const kWonText = "YOU WIN!!!\n\n\n(press the escape key to continue)\n";
static const char* const kUnknownStateText = "UIWorld::output() -- unrecognized state";

UIWorld::UIWorld()
    : cam(), textPos(0.1f, 0.5f, 0.0f)
{
    cam.ortho = true;
    cam.clipNear = -1.0f;
    cam.clipFar = 1.0f;
    // The safe ratio: a window of height 0 must not make the projection infinite.
    cam.aspectRatio = DisplayManager::getAspectRatio();
    cam.loc.reset();
}

void UIWorld::input()
{
    const Key pauseKey = playerSettings().key(Settings::kPause);
    switch (Eventloop::getState()) {
    case STATE_CREDITS:
        if (InputManager::isAnyKeyPressed()) {
            Eventloop::switchState(STATE_TITLE);
        }
        break;
    case STATE_TITLE:
        if (InputManager::isKeyPressed(KEY_ESCAPE)) {
            std::exit(0);
        }
        if (InputManager::isKeyPressed(KEY_SPACE)) {
            Eventloop::switchState(STATE_PLAYING);
        }
        break;
    case STATE_PLAYING:
        // The pause key is the player's (Escape by default); a window out of
        // sight pauses as that key would.
        if (InputManager::isPressed(pauseKey) || DisplayManager::isWindowGone()) {
            Eventloop::switchState(STATE_PAUSED);
        }
        break;
    case STATE_PAUSED:
        // Escape, as the screen says, and the player's pause key resume.
        if (InputManager::isKeyPressed(KEY_ESCAPE) || InputManager::isPressed(pauseKey)) {
            Eventloop::switchState(STATE_PLAYING);
        }
        // Space acts on release: it is also the talk key, and a Space held
        // while pausing must not count until the player lets go. Asked later,
        // it wins over Escape in the same frame.
        if (InputManager::isKeyReleased(KEY_SPACE)) {
            Eventloop::switchState(STATE_TITLE);
        }
        break;
    case STATE_LOST:
    case STATE_WON:
        if (InputManager::isKeyPressed(KEY_ESCAPE)) {
            Eventloop::switchState(STATE_TITLE);
        }
        break;
    default:
        break;
    }
}

void UIWorld::think()
{
    if (DisplayManager::isSizeDifferent()) {
        cam.aspectRatio = DisplayManager::getAspectRatio();
    }
}

void UIWorld::output()
{
    const int state = Eventloop::getState();

    // Nothing of the scene may hide the overlay or the text; its colours stay.
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    cam.draw();

    glColor4ubv(slightblack.get());
    if (state != STATE_PLAYING) {
        glDepthMask(GL_FALSE);
        glBegin(GL_QUADS);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(5.0f, 0.0f, 0.0f);
        glVertex3f(5.0f, 5.0f, 0.0f);
        glVertex3f(0.0f, 5.0f, 0.0f);
        glEnd();
        glDepthMask(GL_TRUE);
    }

    std::ostringstream msg;
    glColor4ubv(white.get());
    const Vector centered(cam.aspectRatio * 0.3f, 0.65f, 0.0f);
    Vector start = textPos;
    switch (state) {
    case STATE_CREDITS:
        msg << kCreditsText;
        break;
    case STATE_TITLE:
        msg << kTitleText;
        start = centered;
        break;
    case STATE_PLAYING:
        msg << "fps: " << Eventloop::getFPS() << "\n";
        start = Vector(0.0f, 0.07f, 0.0f);
        break;
    case STATE_PAUSED:
        msg << kPausedText;
        start = centered;
        break;
    case STATE_LOST:
        msg << kLostText;
        start = centered;
        break;
    case STATE_WON:
        msg << kWonText;
        start = centered;
        break;
    default:
        msg << kUnknownStateText;
        break;
    }
    renderLine(start, msg);
}

void UIWorld::renderLine(Vector pos, const std::ostringstream& msg)
{
    glRasterPos3fv(pos.getv());
    for (const char c : msg.str()) {
        if (c == '\n') {
            // Next line: one step down, back to the start of the line.
            pos.y -= kLineStep;
            glRasterPos3fv(pos.getv());
        }
        // Characters without a glyph (the newline, the tab) take no room.
        // Some GLUTs advance for them anyway, so they are not handed over.
        if (static_cast<unsigned char>(c) >= ' ' && c != '\x7f') {
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(c));
        }
    }
}

void renderBitmapString(float x, float y, float z, void* font, const char* string)
{
    if (string == nullptr) {
        return;
    }
    glRasterPos3f(x, y, z);
    for (const char* c = string; *c != '\0'; ++c) {
        if (*c == '\n') {
            y += 1.0f;
            glRasterPos3f(x, y, z);
        }
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    }
}
