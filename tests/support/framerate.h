#ifndef MORVELLANT_TESTS_FRAMERATE_H
#define MORVELLANT_TESTS_FRAMERATE_H

#include "Base/eventloop.h"

// Sets the frame rate the physics reads. While the frame timer keeps being
// restarted (hold) or the virtual clock stands still, getFPS answers it.
class FrameRate : public Eventloop
{
public:
    static void set(float fps) { ms_rFPS = fps; }
    static void hold() { ms_oFrametime.reset(); }
};

#endif
