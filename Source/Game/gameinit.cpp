#include "Game/gameinit.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "Base/clearworld.h"
#include "Base/displaymanager.h"
#include "Base/eventloop.h"
#include "Base/inputmanager.h"
#include "Game/gamestates.h"
#include "Game/settings.h"
#include "Game/trokworld.h"
#include "Game/uiworld.h"

TrokWorld* initGameWorlds()
{
    // Takes effect at the end of the first frame, which runs in STATE_NONE.
    Eventloop::switchState(STATE_CREDITS);

    // Registration order is drawing order: clear first, overlays last.
    TrokWorld* game = new TrokWorld();
    Eventloop::addWorldToList(new ClearWorld());
    Eventloop::addWorldToList(game);
    Eventloop::addWorldToList(new UIWorld());
    return game;
}

namespace {

std::string settingsFile;

// The window's keys: F11, and Alt+Enter as on Windows. They switch
// fullscreen and nothing else, so the credits stay on F11.
bool switchFullscreen(Key key)
{
    const bool altEnter = key == Key{ false, '\r' } && (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0;
    if (!(key == Key{ true, GLUT_KEY_F11 }) && !altEnter) {
        return false;
    }
    const bool on = !DisplayManager::isFullscreen();
    if (!DisplayManager::setFullscreen(on)) {
        std::fprintf(stderr, "fullscreen: the screen reports no size to fill: the game stays in its window\n");
        return true;
    }
    playerSettings().setFullscreen(on);
    playerSettings().save(settingsFile);
    return true;
}

}  // namespace

void initPlayerSettings(const std::string& file)
{
    settingsFile = file;
    playerSettings().load(file);
    if (playerSettings().fullscreen() && !DisplayManager::setFullscreen(true)) {
        std::fprintf(stderr, "%s: fullscreen = yes, but the screen reports no size to fill: the game starts in "
                     "its window\n", file.c_str());
    }
    InputManager::setWindowKeys(switchFullscreen);
    DisplayManager::registerWindowStatus();
}
