#ifndef MORVELLANT_BASE_DISPLAYMANAGER_H
#define MORVELLANT_BASE_DISPLAYMANAGER_H

#include <cstdint>
#include <string>

// The one window, its OpenGL context and the OpenGL state that holds for the
// whole run. A resize is reported to the worlds for exactly one frame.
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

private:
    static DisplayManager* ms_poSingleton;
    static uint32_t ms_nWidth;
    static uint32_t ms_nHeight;
    static bool ms_bScreenSizeChanged;
    static bool ms_bFullscreen;
    static bool ms_bDoubleBuffer;
    static std::string ms_sWindowTitle;

    static void openWindow(int width, int height);
    static void setFixedState(int shadeModel);
};

#endif
