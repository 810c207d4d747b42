#include "Base/displaymanager.h"

#include <GL/freeglut.h>

#include "Base/inputmanager.h"

DisplayManager* DisplayManager::ms_poSingleton = nullptr;
uint32_t DisplayManager::ms_nWidth = 1000;
uint32_t DisplayManager::ms_nHeight = 750;
// Starts true so every world computes its size-dependent values in frame one.
bool DisplayManager::ms_bScreenSizeChanged = true;
bool DisplayManager::ms_bFullscreen = false;
bool DisplayManager::ms_bDoubleBuffer = true;
std::string DisplayManager::ms_sWindowTitle = "default";
int DisplayManager::ms_nWindowedX = 30;
int DisplayManager::ms_nWindowedY = 30;
uint32_t DisplayManager::ms_nWindowedWidth = 1000;
uint32_t DisplayManager::ms_nWindowedHeight = 750;
bool DisplayManager::ms_bWindowGone = false;

static const unsigned int kDisplayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH;

DisplayManager::DisplayManager()
{
    if (ms_poSingleton == nullptr) {
        ms_poSingleton = this;
    }
}

void DisplayManager::createDisplay()
{
    openWindow(static_cast<int>(ms_nWidth), static_cast<int>(ms_nHeight));
}

void DisplayManager::openWindow(int width, int height)
{
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(30, 30);
    glutCreateWindow(ms_sWindowTitle.c_str());
}

void DisplayManager::registerCallbacks()
{
    glutReshapeFunc(callbackResizeDisplay);
}

void DisplayManager::makeSystemCalls()
{
    setFixedState(GL_FLAT);
}

void DisplayManager::callbackResizeDisplay(int width, int height)
{
    ms_nWidth = static_cast<uint32_t>(width);
    ms_nHeight = static_cast<uint32_t>(height);
    ms_bScreenSizeChanged = true;
    glViewport(0, 0, width, height);
}

void DisplayManager::signalFrameDone()
{
    ms_bScreenSizeChanged = false;
    ms_bWindowGone = false;
}

bool DisplayManager::isSizeDifferent()
{
    return ms_bScreenSizeChanged;
}

uint32_t DisplayManager::getWidth()
{
    return ms_nWidth;
}

uint32_t DisplayManager::getHeight()
{
    return ms_nHeight;
}

float DisplayManager::getAspectRatio()
{
    if (ms_nWidth == 0 || ms_nHeight == 0) {
        return 1.0f;
    }
    return static_cast<float>(ms_nWidth) / static_cast<float>(ms_nHeight);
}

void DisplayManager::initGL()
{
    openWindow(640, 480);
    setFixedState(GL_SMOOTH);
}

void DisplayManager::setFixedState(int shadeModel)
{
    glClearDepth(1.0);
    glClearColor(0.6f, 0.6f, 0.2f, 0.0f);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // No light is switched on here: the game world sets up its own each frame.
    glEnable(GL_LIGHTING);
    glCullFace(GL_BACK);
    glShadeModel(static_cast<GLenum>(shadeModel));
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

bool DisplayManager::setFullscreen(bool on)
{
    if (on == ms_bFullscreen) {
        return true;
    }
    if (on) {
        if (glutGet(GLUT_SCREEN_WIDTH) <= 0 || glutGet(GLUT_SCREEN_HEIGHT) <= 0) {
            return false;
        }
        ms_nWindowedX = glutGet(GLUT_WINDOW_X);
        ms_nWindowedY = glutGet(GLUT_WINDOW_Y);
        ms_nWindowedWidth = ms_nWidth;
        ms_nWindowedHeight = ms_nHeight;
        glutFullScreen();
    } else {
        // A window manager puts the window back by itself; without one GLUT
        // restores the size but not the place. Asking for both serves both.
        glutLeaveFullScreen();
        glutPositionWindow(ms_nWindowedX, ms_nWindowedY);
        glutReshapeWindow(static_cast<int>(ms_nWindowedWidth), static_cast<int>(ms_nWindowedHeight));
    }
    ms_bFullscreen = on;
    return true;
}

bool DisplayManager::isFullscreen()
{
    return ms_bFullscreen;
}

void DisplayManager::registerWindowStatus()
{
    glutWindowStatusFunc(callbackWindowStatus);
}

void DisplayManager::callbackWindowStatus(int status)
{
    // The keyboard went with the window: a key let go meanwhile sends no release.
    if (status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED) {
        ms_bWindowGone = true;
        InputManager::forgetHeldKeys();
    }
}

bool DisplayManager::isWindowGone()
{
    return ms_bWindowGone;
}
