#include <GL/glut.h>

#include "Base/hostplatform.h"
#include "Base/initialize.h"
#include "Game/gameinit.h"

int main(int argc, char** argv)
{
    // GLUT sees the command line first; the game itself takes no arguments.
    glutInit(&argc, argv);
    initTrokEngine();
    initGameWorlds();
    initPlayerSettings(userSettingsFile());
    glutMainLoop();
    return 0;
}
