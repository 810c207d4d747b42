#ifndef MORVELLANT_BASE_DISPLAYMANAGER_H
#define MORVELLANT_BASE_DISPLAYMANAGER_H

#include <cstdint>
#include <string>

// The one window, its OpenGL context and the OpenGL state that holds for the
// whole run. A resize is reported to the worlds for exactly one frame, and
// so is the window going out of sight. Fullscreen keeps the windowed place
// and size, to go back to.
// The first instance constructed is the manager; later ones are mere handles.
class DisplayManager
{
public:
    DisplayManager();

    static void createDisplay();
    static void registerCallbacks();
    static void makeSystemCalls();
    static void callbackResizeDisplay(int width, int height);
    static void signalFrameDone();

    static bool isSizeDifferent();
    static uint32_t getWidth();
    static uint32_t getHeight();
    // width / height, or 1 while either is 0 (a minimised window), so that
    // cameras never build a projection from a division by zero.
    static float getAspectRatio();

    static void initGL();

    // Over the whole screen, or back to the window's place and size as they
    // were. False when the screen reports no size to fill: the window stays.
    static bool setFullscreen(bool on);
    static bool isFullscreen();
    // Hands GLUT the window-status callback; not part of registerCallbacks,
    // so that a program without it runs exactly as before.
    static void registerWindowStatus();
    static void callbackWindowStatus(int status);
    // The window was iconified, hidden or covered since the end of the last
    // frame; the keys held then were let go (InputManager::forgetHeldKeys).
    static bool isWindowGone();

private:
    static DisplayManager* ms_poSingleton;
    static uint32_t ms_nWidth;
    static uint32_t ms_nHeight;
    static bool ms_bScreenSizeChanged;
    static bool ms_bFullscreen;
    static bool ms_bDoubleBuffer;
    static std::string ms_sWindowTitle;
    // Where the window was before it went fullscreen.
    static int ms_nWindowedX;
    static int ms_nWindowedY;
    static uint32_t ms_nWindowedWidth;
    static uint32_t ms_nWindowedHeight;
    static bool ms_bWindowGone;

    static void openWindow(int width, int height);
    static void setFixedState(int shadeModel);
};

#endif
